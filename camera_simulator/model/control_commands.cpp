// Commands that act on the camera as a whole.
#include "handlers.h"

namespace camsim::model {
namespace {

constexpr std::array<std::uint8_t, 7> kResetGuard{0x3E, 0x51, 0x0C, 0x72, 0x26, 0x19, 0x44};

// A reset restores the settings; identity, passwords, ownership, encryption,
// clock and storage are the camera's and stay as they are.
void restoreSettings(CameraState& s, const CameraState& factory) {
    s.sysParam = factory.sysParam;
    s.networkInfo = factory.networkInfo;
    s.wifiUniversal = factory.wifiUniversal;
    s.wifiApSetting = factory.wifiApSetting;
    s.wifiStaSetting = factory.wifiStaSetting;
    s.bluetoothInfo = factory.bluetoothInfo;
    s.mobile4GInfo = factory.mobile4GInfo;
    s.summerTime = factory.summerTime;
    s.waterMark = factory.waterMark;
    s.p2pCode = factory.p2pCode;
    s.timeoutMs = factory.timeoutMs;
}

}  // namespace

void resetDevice(CameraCore& core, CommandContext& ctx) {
    if (!std::equal(kResetGuard.begin(), kResetGuard.end(), ctx.request.begin())) return;
    restoreSettings(core.state, core.factory);
    ++core.state.resetCount;
}

// Sent first on every connection: the camera starts a new session.
void setSystemType(CameraCore& core, CommandContext& ctx) {
    core.state.systemType = ctx.request[0];
    core.startSession();
    core.keyCursor = 0;
}

void enterMassStorage(CameraCore&, CommandContext& ctx) {
    if (ctx.carrier == Carrier::Usb) ctx.effect = Effect::LeaveForDisk;
}

void shutDown(CameraCore&, CommandContext& ctx) { ctx.effect = Effect::PowerOff; }

void reboot(CameraCore&, CommandContext& ctx) { ctx.effect = Effect::Reboot; }

void formatDisk(CameraCore& core, CommandContext&) {
    core.state.diskFreeMb = core.state.diskTotalMb;
    ++core.state.formatCount;
}

}  // namespace camsim::model
