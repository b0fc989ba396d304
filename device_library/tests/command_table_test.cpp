// Every command export against the simulated camera, one row each: its code and request
// length on the wire, the order of its guards, and what its exchange shape makes of a
// camera that does not answer properly. The rows are written out here, apart from the
// library's own table, so a wrong entry there shows up as a failure.
#include <chrono>
#include <tuple>

#include "support/camera_fixture.h"

namespace petrel_test {
namespace {

using camsim::Direction;
using camsim::Fault;

enum class Leaves { kNever, kUsb, kAlways };

enum class Shape { kQuery, kConfirmed, kUnconfirmed, kTwoWay, kCheckedTwoWay, kCheckedQuery };

// valid false asks for the export's refused arguments (ignored by rows without an A guard);
// outputs go to out, inputs are the row's own.
using Export = int (*)(DeviceConnection* connection, bool valid, uint8_t* out);

struct Row {
    const char* name;
    uint16_t code;
    size_t requestLength;
    Shape shape;
    const char* guards;  // S connection, A arguments, V verified password, in order
    Export call;
    uint8_t level = 0;               // first command-block byte on the disk carrier
    Leaves leaves = Leaves::kNever;  // the camera goes away once it has executed the command

    size_t Guard(char guard) const { return std::string(guards).find(guard); }
    bool LeavesOn(Carrier carrier) const {
        return leaves == Leaves::kAlways || (leaves == Leaves::kUsb && carrier == Carrier::kUsb);
    }
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

template <class T>
T* As(uint8_t* out, bool valid = true) {
    return valid ? reinterpret_cast<T*>(out) : nullptr;
}

// A row's call: c the connection, valid the verdict wanted, out the output area.
#define CALL(expression)                                                                  \
    [](DeviceConnection* c, [[maybe_unused]] bool valid, [[maybe_unused]] uint8_t* out) { \
        return expression;                                                                \
    }

template <class Record>
const Record kZero{};
const DeviceTime kSomeTime{2024, 3, 5, 14, 7, 9};
const char kSomeKey[] = "0123456789abcdef0123456789ABCDEF";
constexpr size_t kNone = std::string::npos;

using enum Shape;
// clang-format off
const Row kRows[] = {
    {"GetDeviceVersion", 0x01, 48, kQuery, "SA", CALL(GetDeviceVersion(c, As<char>(out, valid)))},
    {"ResetDevice", 0x02, 7, kUnconfirmed, "SV", CALL(ResetDevice(c))},
    {"SendHeartbeat", 0x10, 4, kCheckedTwoWay, "SV", CALL(SendHeartbeat(c, 5000, As<uint32_t>(out)))},
    {"GetTimeOut", 0x11, 4, kQuery, "SV", CALL(GetTimeOut(c, As<uint32_t>(out)))},
    {"VerifiPassword", 0x20, 18, kTwoWay, "SA", CALL(VerifiPassword(c, valid ? kAdminPassword : nullptr, PETREL_USER_ADMINISTRATOR)), 1},
    {"GetPassword", 0x21, 18, kQuery, "SA", CALL(GetPassword(c, As<char>(out, valid), PETREL_USER_ADMINISTRATOR)), 1},
    {"SetPassword", 0x22, 18, kConfirmed, "SVA", CALL(SetPassword(c, valid ? kAdminPassword : nullptr, PETREL_USER_ADMINISTRATOR)), 1},
    {"GetTime", 0x23, 8, kQuery, "SVA", CALL(GetTime(c, As<DeviceTime>(out, valid)))},
    {"SetTime", 0x24, 8, kConfirmed, "SAV", CALL(SetTime(c, valid ? &kSomeTime : nullptr))},
    {"SyncDateTime", 0x24, 8, kConfirmed, "SV", CALL(SyncDateTime(c))},
    {"GetSysParam", 0x27, 51, kQuery, "SAV", CALL(GetSysParam(c, As<SysParam>(out, valid)))},
    {"SetSysParam", 0x28, 51, kUnconfirmed, "SAV", CALL(SetSysParam(c, valid ? &kZero<SysParam> : nullptr))},
    {"GetBattery", 0x29, 2, kQuery, "SVA", CALL(GetBattery(c, As<uint16_t>(out, valid)))},
    {"SetMSCMode", 0x2C, 10, kUnconfirmed, "SV", CALL(SetMSCMode(c)), 0, Leaves::kUsb},
    {"GetModelID", 0x2D, 32, kQuery, "SA", CALL(GetModelID(c, As<char>(out, valid)))},
    {"SetModelID", 0x2E, 32, kUnconfirmed, "SAV", CALL(SetModelID(c, valid ? "BWC_X1" : nullptr))},
    {"GetUserDevID", 0x31, 64, kQuery, "SVA", CALL(GetUserDevID(c, As<char>(out), As<char>(out + 16), As<char>(out + 48, valid)))},
    {"SetUserDevID", 0x32, 64, kUnconfirmed, "SAV", CALL(SetUserDevID(c, "100200", "Kim", valid ? "D00042" : nullptr))},
    {"GetBarCode", 0x33, 32, kQuery, "SA", CALL(GetBarCode(c, As<char>(out, valid)))},
    {"SetBarCode", 0x34, 32, kUnconfirmed, "SAV", CALL(SetBarCode(c, valid ? "0A1B2C3D4E5F" : nullptr))},
    {"GetDiskSpaceInfo", 0x35, 8, kCheckedQuery, "SVA", CALL(GetDiskSpaceInfo(c, As<uint32_t>(out), As<uint32_t>(out + 4, valid)))},
    {"GetDeptInfo", 0x37, 64, kQuery, "SVA", CALL(GetDeptInfo(c, As<char>(out, valid), As<char>(out + 32)))},
    {"SetDeptInfo", 0x38, 64, kUnconfirmed, "SAV", CALL(SetDeptInfo(c, "U-7", valid ? "Traffic" : nullptr))},
    {"GetMacAddress", 0x39, 32, kQuery, "SVA", CALL(GetMacAddress(c, As<char>(out, valid)))},
    {"SetMacAddress", 0x3A, 32, kUnconfirmed, "SAV", CALL(SetMacAddress(c, valid ? "0A1B2C3D4E5F" : nullptr))},
    {"SetCameraShutdown", 0x3B, 10, kConfirmed, "SV", CALL(SetCameraShutdown(c)), 0, Leaves::kAlways},
    {"CameraReboot", 0x3C, 10, kConfirmed, "SV", CALL(CameraReboot(c)), 0, Leaves::kAlways},
    {"GetLockMemoryState", 0x3D, 18, kQuery, "SVA", CALL(GetLockMemoryState(c, As<int32_t>(out, valid)))},
    {"SetLockMemoryState", 0x3E, 18, kCheckedTwoWay, "SVA", CALL(SetLockMemoryState(c, 1, valid ? "lock" : nullptr))},
    {"SetLedState", 0x41, 4, kUnconfirmed, "SVA", CALL(SetLedState(c, valid ? 3 : 4, 2, 500))},
    {"SetBuzzer", 0x43, 4, kUnconfirmed, "SV", CALL(SetBuzzer(c, 2, 300))},
    {"GetWaterMark", 0x44, 48, kQuery, "SVA", CALL(GetWaterMark(c, As<char>(out, valid)))},
    {"SetWaterMark", 0x45, 48, kUnconfirmed, "SAV", CALL(SetWaterMark(c, valid ? "0A1B2C3D4E5F" : nullptr))},
    {"GetSummerTimeInfo", 0x46, 8, kQuery, "SVA", CALL(GetSummerTimeInfo(c, As<SummerTimeInfo>(out, valid)))},
    {"SetSummerTimeInfo", 0x47, 8, kConfirmed, "SAV", CALL(SetSummerTimeInfo(c, valid ? &kZero<SummerTimeInfo> : nullptr))},
    {"GetNetworkInfo", 0x52, 106, kQuery, "SVA", CALL(GetNetworkInfo(c, As<NetworkInfo>(out, valid)))},
    {"SetNetworkInfo", 0x53, 106, kConfirmed, "SVA", CALL(SetNetworkInfo(c, valid ? &kZero<NetworkInfo> : nullptr))},
    {"GetBluetoothInfo", 0x54, 99, kQuery, "SVA", CALL(GetBluetoothInfo(c, As<BluetoothInfo>(out, valid)))},
    {"SetBluetoothInfo", 0x55, 99, kConfirmed, "SVA", CALL(SetBluetoothInfo(c, valid ? &kZero<BluetoothInfo> : nullptr))},
    {"Get4GInfo", 0x56, 81, kQuery, "SVA", CALL(Get4GInfo(c, As<Mobile4GInfo>(out, valid)))},
    {"Set4GInfo", 0x57, 81, kConfirmed, "SVA", CALL(Set4GInfo(c, valid ? &kZero<Mobile4GInfo> : nullptr))},
    {"GetWifiUniversal", 0x58, 67, kQuery, "SVA", CALL(GetWifiUniversal(c, As<WifiUniversal>(out, valid)))},
    {"SetWifiUniversal", 0x59, 67, kConfirmed, "SVA", CALL(SetWifiUniversal(c, valid ? &kZero<WifiUniversal> : nullptr))},
    {"GetWifiApSetting", 0x5A, 83, kQuery, "SVA", CALL(GetWifiApSetting(c, As<WifiApSetting>(out, valid)))},
    {"SetWifiApSetting", 0x5B, 83, kConfirmed, "SVA", CALL(SetWifiApSetting(c, valid ? &kZero<WifiApSetting> : nullptr))},
    {"GetWifiChannelInfo", 0x5C, 39, kQuery, "SVA", CALL(GetWifiChannelInfo(c, As<WifiChannelInfo>(out, valid)))},
    {"SetWifiStaSetting", 0x5E, 81, kConfirmed, "SVA", CALL(SetWifiStaSetting(c, valid ? &kZero<WifiStaSetting> : nullptr))},
    {"GetWifiStaSetting", 0x5F, 81, kQuery, "SVA", CALL(GetWifiStaSetting(c, As<WifiStaSetting>(out, valid)))},
    {"GetP2pCode", 0x62, 9, kQuery, "SVA", CALL(GetP2pCode(c, As<char>(out, valid)))},
    {"SetP2pCode", 0x63, 9, kConfirmed, "SVA", CALL(SetP2pCode(c, valid ? "87654321" : "8765432"))},
    {"GetEncryption", 0x64, 34, kQuery, "SVA", CALL(GetEncryption(c, out, out + 1, As<char>(out + 2, valid)))},
    {"SetEncryption", 0x65, 35, kConfirmed, "SVA", CALL(SetEncryption(c, 1, 0, valid ? kSomeKey : nullptr))},
    {"GetRsaAesKey", 0x66, 98, kQuery, "SVA", CALL(GetRsaAesKey(c, As<char>(out, valid)))},
    {"SetSystemType", 0x1000, 4, kConfirmed, "S", CALL(SetSystemType(c, 1))},
    {"FormatDisk", 0x1001, 6, kConfirmed, "SV", CALL(FormatDisk(c))},
};
// clang-format on

// The camera executes the command but refuses its transfer: no carrier delivers it.
bool SendFails(Fault fault, Carrier carrier) {
    return fault == Fault::Unplugged || (fault == Fault::NoReply && carrier == Carrier::kDisk);
}

// What the transfers of one exchange look like to the camera.
std::vector<Direction> TransfersOf(Shape shape, Carrier carrier, bool sendFails = false) {
    const bool disk = carrier == Carrier::kDisk;
    if (shape == kQuery || (shape == kCheckedQuery && disk)) {
        return disk ? std::vector{Direction::Read} : std::vector{Direction::Write, Direction::Read};
    }
    const bool checked = shape == kCheckedTwoWay || shape == kCheckedQuery;
    if ((checked && sendFails) || (disk && (shape == kConfirmed || shape == kUnconfirmed))) {
        return {Direction::Write};
    }
    return {Direction::Write, Direction::Read};
}

// Only an unconfirmed command may succeed without a valid reply, and only when its
// request went out; on the disk a confirmed command, too, trusts its send.
int StatusUnder(Fault fault, Shape shape, Carrier carrier) {
    const bool sendDecides =
        shape == kUnconfirmed || (shape == kConfirmed && carrier == Carrier::kDisk);
    return sendDecides && !SendFails(fault, carrier) ? STATUS_OK : STATUS_FAILED;
}

int Call(const Row& row, DeviceConnection* connection, Scratch& scratch, bool valid = true) {
    scratch = Scratch();
    return row.call(connection, valid, scratch.data());
}

// Every row answers `status` and leaves its outputs.
void EveryRowAnswers(DeviceConnection* connection, int status) {
    for (const Row& row : kRows) {
        Scratch scratch;
        EXPECT_EQ(Call(row, connection, scratch), status) << row.name;
        EXPECT_TRUE(scratch.Untouched()) << row.name;
    }
}

// Guards are the same code on both carriers: one camera shows their order.
TEST_F(CameraTest, GuardsRefuseInTheirOrderBeforeAnyTransfer) {
    camsim::Camera& camera = Connected(Carrier::kUsb);
    EveryRowAnswers(nullptr, STATUS_NO_CONNECTION);
    Scratch scratch;
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Call(row, nullptr, scratch, false), STATUS_NO_CONNECTION);
        // Unverified with refused arguments: whichever of A and V comes first answers.
        if (row.Guard('A') < row.Guard('V')) {
            EXPECT_EQ(Call(row, connection_, scratch, false), STATUS_BAD_ARGUMENT);
        } else if (row.Guard('V') != kNone) {
            EXPECT_EQ(Call(row, connection_, scratch, false), STATUS_NOT_VERIFIED);
        }
        if (row.Guard('V') != kNone) {
            EXPECT_EQ(Call(row, connection_, scratch), STATUS_NOT_VERIFIED);
        }
        EXPECT_TRUE(scratch.Untouched());
    }
    EXPECT_TRUE(camera.log().empty());
    for (const Row& row : kRows) {
        if (row.Guard('V') != kNone) continue;
        camera.clearLog();
        EXPECT_EQ(Call(row, connection_, scratch), STATUS_OK) << row.name << " needs no login";
        EXPECT_FALSE(camera.log().empty()) << row.name;
    }
    ASSERT_EQ(VerifiPassword(connection_, kAdminPassword, PETREL_USER_ADMINISTRATOR), STATUS_OK);
    camera.clearLog();
    for (const Row& row : kRows) {
        if (row.Guard('A') == kNone) continue;
        EXPECT_EQ(Call(row, connection_, scratch, false), STATUS_BAD_ARGUMENT) << row.name;
        EXPECT_TRUE(scratch.Untouched()) << row.name;
    }
    EXPECT_TRUE(camera.log().empty());
}

// Handles the library no longer knows, or never gave out: every export that takes one
// answers STATUS_BAD_ARGUMENT (a drive letter 0) without reading it, so none of these is
// use after free under ASan, and nothing reaches the camera.
TEST_F(CameraTest, StaleAndMadeUpHandlesAreRefusedUnread) {
    camsim::Camera& camera = AddCamera(Carrier::kUsb);
    std::array<DeviceListEntry*, 4> list{};
    ASSERT_EQ(EnumDeviceList(list.data(), 4), 1);
    DeviceListEntry* released = list[0];
    DeviceConnection* closed = nullptr;
    ASSERT_EQ(ConnectDevice(released, &closed), STATUS_OK);
    EXPECT_EQ(ReleaseList(list.data(), 1), 0);
    EXPECT_EQ(CloseDevice(closed), 0);
    // A live entry and connection made afterwards must not take the old ones' places.
    std::array<DeviceListEntry*, 4> fresh{};
    ASSERT_EQ(EnumDeviceList(fresh.data(), 4), 1);
    ASSERT_NE(fresh[0], released);
    ASSERT_EQ(ConnectDevice(fresh[0], &connection_), STATUS_OK);
    ASSERT_NE(connection_, closed);
    camera.clearLog();

    alignas(64) std::array<uint8_t, 1024> forged;
    forged.fill(0xA5);  // as if a record of the library's, with a carrier pointer of junk
    auto* unmapped = reinterpret_cast<void*>(0x10);  // reading it would crash
    for (void* stale : {static_cast<void*>(closed), static_cast<void*>(forged.data()), unmapped}) {
        SCOPED_TRACE(stale == closed ? "closed" : stale == unmapped ? "unmapped" : "forged");
        auto* connection = static_cast<DeviceConnection*>(stale);
        EveryRowAnswers(connection, STATUS_BAD_ARGUMENT);
        char text[32] = "t";
        EXPECT_EQ(GetDescriptorString(connection, text, text, text), STATUS_BAD_ARGUMENT);
        EXPECT_STREQ(text, "t");
        EXPECT_EQ(GetStorageID(connection), 0);
        EXPECT_EQ(GetStaListInfo(connection, nullptr), STATUS_BAD_ARGUMENT);
        EXPECT_EQ(CloseDevice(connection), STATUS_BAD_ARGUMENT) << "closed twice";

        auto* entry =
            static_cast<DeviceListEntry*>(stale == closed ? static_cast<void*>(released) : stale);
        DeviceConnection* opened = nullptr;
        EXPECT_EQ(ConnectDevice(entry, &opened), STATUS_BAD_ARGUMENT);
        EXPECT_EQ(opened, nullptr);
        EXPECT_EQ(GetStorageDisk(entry), 0);
        PetrelEntryInfo info{};
        EXPECT_EQ(PetrelGetEntryInfo(entry, &info), STATUS_BAD_ARGUMENT);
        std::array<DeviceListEntry*, 1> again{entry};
        EXPECT_EQ(ReleaseList(again.data(), 1), 0);
        EXPECT_EQ(again[0], entry) << "an unknown entry is skipped, not freed";
    }
    DeviceConnection* opened = nullptr;
    EXPECT_EQ(ConnectDevice(nullptr, &opened), STATUS_BAD_ARGUMENT);
    EXPECT_EQ(CloseDevice(nullptr), 0);
    EXPECT_TRUE(camera.log().empty());
    uint16_t battery = 0;
    EXPECT_EQ(GetBattery(connection_, &battery), STATUS_NOT_VERIFIED) << "the live one still works";
    char model[32];
    EXPECT_EQ(GetModelID(connection_, model), STATUS_OK);
    EXPECT_EQ(GetStorageDisk(fresh[0]), 0);
    EXPECT_EQ(ReleaseList(fresh.data(), 1), 0);
    EXPECT_EQ(fresh[0], nullptr);
}

// Unanswered, the camera leaves the command unexecuted, the status is never success and the
// outputs stay; the next exchange works again. Answered, the exchange shows its code, length
// and shape on the wire.
void WalkRow(camsim::Camera& camera, DeviceConnection* connection, const Row& row,
             Carrier carrier) {
    camera.injectFault(Fault::NoReply);
    Scratch scratch;
    const int unanswered = Call(row, connection, scratch);
    EXPECT_EQ(unanswered, StatusUnder(Fault::NoReply, row.shape, carrier));
    EXPECT_TRUE(unanswered == STATUS_OK || scratch.Untouched()) << "an output was written";
    uint16_t battery = 0;
    EXPECT_EQ(GetBattery(connection, &battery), STATUS_OK);
    camera.clearLog();

    ASSERT_EQ(Call(row, connection, scratch), STATUS_OK);
    const auto log = camera.log();
    const auto expected = TransfersOf(row.shape, carrier);
    ASSERT_EQ(log.size(), expected.size());
    for (size_t i = 0; i < log.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(log[i].direction, expected[i]);
        EXPECT_EQ(log[i].code, row.code);
        EXPECT_FALSE(log[i].failed);
        if (carrier == Carrier::kDisk) {
            EXPECT_EQ(log[i].params, (std::array<uint8_t, 10>{row.level}));
        }
        if (log[i].direction == Direction::Write) {
            EXPECT_EQ(
                carrier == Carrier::kDisk ? log[i].wire.size() : log[i].payload.size(),
                carrier == Carrier::kDisk ? (row.requestLength + 15) / 16 * 16 : row.requestLength);
        }
    }
}

using RowParam = std::tuple<Carrier, Row>;

std::vector<RowParam> Rows(bool leavingCamera) {
    std::vector<RowParam> rows;
    for (Carrier carrier : {Carrier::kUsb, Carrier::kDisk}) {
        for (const Row& row : kRows) {
            if (row.LeavesOn(carrier) == leavingCamera) rows.emplace_back(carrier, row);
        }
    }
    return rows;
}

std::string RowName(const testing::TestParamInfo<RowParam>& info) {
    return std::string(std::get<1>(info.param).name) + "_" + CarrierName(std::get<0>(info.param));
}

class CommandRow : public SharedCameras, public testing::WithParamInterface<RowParam> {};

TEST_P(CommandRow, UnansweredThenOnTheWire) {
    const auto& [carrier, row] = GetParam();
    WalkRow(CameraOn(carrier), ConnectionOn(carrier), row, carrier);
}

// Rows that send the camera away get a camera of their own.
class LeavingRow : public CameraTest, public testing::WithParamInterface<RowParam> {};

TEST_P(LeavingRow, UnansweredThenOnTheWire) {
    const auto& [carrier, row] = GetParam();
    camsim::Camera& camera = Verified(carrier);  // before connection_ is read
    WalkRow(camera, connection_, row, carrier);
    uint16_t battery = 3;
    EXPECT_NE(GetBattery(connection_, &battery), STATUS_OK) << "the camera is gone";
    EXPECT_EQ(battery, 3);
}

INSTANTIATE_TEST_SUITE_P(Table, CommandRow, testing::ValuesIn(Rows(false)), RowName);
INSTANTIATE_TEST_SUITE_P(Table, LeavingRow, testing::ValuesIn(Rows(true)), RowName);

// Each fault once for the first row of each shape: the carriers' handling of a bad reply
// or a refused transfer, and whether a failed send ends a checked exchange.
class ShapeUnderFault : public SharedCameras,
                        public testing::WithParamInterface<std::tuple<Carrier, Shape, Fault>> {};

TEST_P(ShapeUnderFault, StatusOutputsAndTransfers) {
    const auto [carrier, shape, fault] = GetParam();
    const Row& row = *std::find_if(std::begin(kRows), std::end(kRows), [shape](const Row& r) {
        return r.shape == shape && r.leaves == Leaves::kNever;
    });
    SCOPED_TRACE(row.name);
    camsim::Camera& camera = CameraOn(carrier);
    camera.injectFault(fault);
    Scratch scratch;
    const int status = Call(row, ConnectionOn(carrier), scratch);
    EXPECT_EQ(status, StatusUnder(fault, shape, carrier));
    EXPECT_TRUE(status == STATUS_OK || scratch.Untouched()) << "an output was written";
    std::vector<Direction> directions;
    for (const auto& entry : camera.log()) directions.push_back(entry.direction);
    EXPECT_EQ(directions, TransfersOf(shape, carrier, SendFails(fault, carrier)));
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, ShapeUnderFault,
    testing::Combine(testing::Values(Carrier::kUsb, Carrier::kDisk),
                     testing::Values(kQuery, kConfirmed, kUnconfirmed, kTwoWay, kCheckedTwoWay,
                                     kCheckedQuery),
                     testing::Values(Fault::NoReply, Fault::WrongMagic, Fault::WrongChecksum,
                                     Fault::LengthTooLong, Fault::OtherCommand, Fault::Unplugged)));

TEST_F(CameraTest, OnceTheUsbCameraLeftForItsDiskEveryCommandFindsNoConnection) {
    camsim::Camera& camera = Verified(Carrier::kUsb);
    ASSERT_EQ(SetMSCMode(connection_), STATUS_OK);
    ASSERT_TRUE(camera.waitForPresence(camsim::Presence::Disk, std::chrono::seconds(5)));
    camera.clearLog();
    EveryRowAnswers(connection_, STATUS_NO_CONNECTION);
    char text[32];
    EXPECT_EQ(GetDescriptorString(connection_, text, text, text), STATUS_FAILED);
    EXPECT_TRUE(camera.log().empty());
}

TEST_F(CameraTest, StationListNamesDoNothingWhateverTheyAreGiven) {
    camsim::Camera& camera = Connected(Carrier::kUsb);
    int ignored = 0;
    for (auto* member : {GetStaListInfo, DeleteStaInfo, DeleteStaInfoAll}) {
        EXPECT_EQ(member(nullptr, nullptr), STATUS_NOT_SUPPORTED);
        EXPECT_EQ(member(connection_, &ignored), STATUS_NOT_SUPPORTED);
    }
    EXPECT_TRUE(camera.log().empty());
}

}  // namespace
}  // namespace petrel_test
