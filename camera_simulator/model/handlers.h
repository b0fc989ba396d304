// Command handlers, grouped by what they act on.
#pragma once

#include <algorithm>

#include "camera_core.h"

namespace camsim::model {

// Records moved byte for byte between the payload and a state member.
template <auto Member>
void getRecord(CameraCore& core, CommandContext& ctx) {
    const auto& record = core.state.*Member;
    std::fill(ctx.reply.begin(), ctx.reply.end(), std::uint8_t{0});
    std::copy_n(record.begin(), std::min(record.size(), ctx.reply.size()), ctx.reply.begin());
}
template <auto Member>
void setRecord(CameraCore& core, CommandContext& ctx) {
    auto& record = core.state.*Member;
    std::copy_n(ctx.request.begin(), std::min(record.size(), ctx.request.size()), record.begin());
}

// Single texts filling the whole payload.
template <auto Member>
void getText(CameraCore& core, CommandContext& ctx) {
    putText(ctx.reply, core.state.*Member);
}
template <auto Member>
void setText(CameraCore& core, CommandContext& ctx) {
    core.state.*Member = textOf(ctx.request);
}

// identity_commands.cpp
void getUserDevId(CameraCore&, CommandContext&);
void setUserDevId(CameraCore&, CommandContext&);
void getDeptInfo(CameraCore&, CommandContext&);
void setDeptInfo(CameraCore&, CommandContext&);

// password_commands.cpp
void verifyPassword(CameraCore&, CommandContext&);
void getPassword(CameraCore&, CommandContext&);
void setPassword(CameraCore&, CommandContext&);

// status_commands.cpp
void getTime(CameraCore&, CommandContext&);
void setTime(CameraCore&, CommandContext&);
void getBattery(CameraCore&, CommandContext&);
void getDiskSpace(CameraCore&, CommandContext&);
void getTimeout(CameraCore&, CommandContext&);
void sendHeartbeat(CameraCore&, CommandContext&);
void getLockState(CameraCore&, CommandContext&);
void setLockState(CameraCore&, CommandContext&);
void getEncryption(CameraCore&, CommandContext&);
void setEncryption(CameraCore&, CommandContext&);
void getKeyChunk(CameraCore&, CommandContext&);

// control_commands.cpp
void resetDevice(CameraCore&, CommandContext&);
void setSystemType(CameraCore&, CommandContext&);
void enterMassStorage(CameraCore&, CommandContext&);
void shutDown(CameraCore&, CommandContext&);
void reboot(CameraCore&, CommandContext&);
void formatDisk(CameraCore&, CommandContext&);

}  // namespace camsim::model
