// Who carries the camera and the unit it belongs to.
#include "connection_key.h"
#include "handlers.h"

namespace camsim::model {
namespace {

constexpr std::size_t kIdField = 16;
constexpr std::size_t kNameField = 32;

std::span<std::uint8_t> field(Bytes& payload, std::size_t offset, std::size_t size) {
    return std::span(payload).subspan(offset, size);
}

}  // namespace

void getUserDevId(CameraCore& core, CommandContext& ctx) {
    putText(field(ctx.reply, 0, kIdField), core.state.userId);
    putText(field(ctx.reply, kIdField, kIdField), core.state.deviceId);
    putText(field(ctx.reply, 2 * kIdField, kNameField), core.state.userName);
}

void setUserDevId(CameraCore& core, CommandContext& ctx) {
    auto userId = field(ctx.request, 0, kIdField);
    auto deviceId = field(ctx.request, kIdField, kIdField);
    Bytes plainUser(userId.begin(), userId.end());
    Bytes plainDevice(deviceId.begin(), deviceId.end());
    applyMask(plainUser, core.session.connectionKey);
    applyMask(plainDevice, core.session.connectionKey);
    core.state.userId = textOf(plainUser);
    core.state.deviceId = textOf(plainDevice);
    core.state.userName = textOf(field(ctx.request, 2 * kIdField, kNameField));
}

void getDeptInfo(CameraCore& core, CommandContext& ctx) {
    putText(field(ctx.reply, 0, kNameField), core.state.unitNumber);
    putText(field(ctx.reply, kNameField, kNameField), core.state.unitName);
}

void setDeptInfo(CameraCore& core, CommandContext& ctx) {
    core.state.unitNumber = textOf(field(ctx.request, 0, kNameField));
    core.state.unitName = textOf(field(ctx.request, kNameField, kNameField));
}

}  // namespace camsim::model
