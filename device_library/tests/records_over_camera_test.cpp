// What the exports carry between a caller and the simulated camera: every byte of a
// record both ways, each text cut where its copy rule says, the payloads the library
// builds, and the exports that take more than one plain exchange.
#include <ctime>
#include <functional>
#include <type_traits>

#include "support/camera_fixture.h"

namespace petrel_test {
namespace {

using S = camsim::CameraState;

// No byte zero, so a byte lost or moved shows; seed tells the two directions apart.
Bytes Pattern(size_t size, uint8_t seed) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + 7 * i) | 0x01;
    return bytes;
}

std::string Letters(size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += static_cast<char>('a' + i % 26);
    return text;
}

class OverCamera : public SharedCameras, public testing::WithParamInterface<Carrier> {
protected:
    camsim::Camera& camera() { return CameraOn(GetParam()); }
    DeviceConnection* connection() { return ConnectionOn(GetParam()); }
};

// ---- Whole records ---------------------------------------------------------

struct RecordRow {
    const char* name;
    size_t size;
    Bytes (*held)(const S&);  // the camera's bytes, wire order
    void (*hold)(S&, const Bytes&);
    int (*get)(DeviceConnection*, uint8_t* record);
    int (*set)(DeviceConnection*, const uint8_t* record);  // null for a read-only record
    bool summerTimeOrder;                                  // caller byte 1 travels last
};

template <auto Member, class Record, auto Get, auto Set>
RecordRow Row(const char* name, bool summerTimeOrder = false) {
    RecordRow row{
        name,
        sizeof(Record),
        [](const S& s) { return Bytes((s.*Member).begin(), (s.*Member).end()); },
        [](S& s, const Bytes& b) { std::copy(b.begin(), b.end(), (s.*Member).begin()); },
        [](DeviceConnection* c, uint8_t* out) { return Get(c, reinterpret_cast<Record*>(out)); },
        nullptr,
        summerTimeOrder};
    if constexpr (!std::is_null_pointer_v<decltype(Set)>) {
        row.set = [](DeviceConnection* c, const uint8_t* in) {
            return Set(c, reinterpret_cast<const Record*>(in));
        };
    }
    return row;
}

const RecordRow kRecords[] = {
    Row<&S::sysParam, SysParam, GetSysParam, SetSysParam>("SysParam"),
    Row<&S::networkInfo, NetworkInfo, GetNetworkInfo, SetNetworkInfo>("NetworkInfo"),
    Row<&S::wifiUniversal, WifiUniversal, GetWifiUniversal, SetWifiUniversal>("WifiUniversal"),
    Row<&S::wifiApSetting, WifiApSetting, GetWifiApSetting, SetWifiApSetting>("WifiApSetting"),
    Row<&S::wifiStaSetting, WifiStaSetting, GetWifiStaSetting, SetWifiStaSetting>("WifiStaSetting"),
    Row<&S::wifiChannelInfo, WifiChannelInfo, GetWifiChannelInfo, nullptr>("WifiChannelInfo"),
    Row<&S::bluetoothInfo, BluetoothInfo, GetBluetoothInfo, SetBluetoothInfo>("BluetoothInfo"),
    Row<&S::mobile4GInfo, Mobile4GInfo, Get4GInfo, Set4GInfo>("Mobile4GInfo"),
    Row<&S::summerTime, SummerTimeInfo, GetSummerTimeInfo, SetSummerTimeInfo>("SummerTime", true),
};

Bytes ToWire(const RecordRow& row, const Bytes& r) {
    if (!row.summerTimeOrder) return r;
    return {r[0], r[2], r[3], r[4], r[5], r[6], r[7], r[1]};
}

TEST_P(OverCamera, RecordsTravelEveryByteBothWays) {
    for (const RecordRow& row : kRecords) {
        SCOPED_TRACE(row.name);
        const Bytes held = Pattern(row.size, 0x11);
        camera().update([&](S& s) { row.hold(s, held); });
        Scratch out;
        ASSERT_EQ(row.get(connection(), out.data()), STATUS_OK);
        EXPECT_EQ(ToWire(row, out.Head(row.size)), held);
        EXPECT_EQ(out.bytes[row.size], kUntouched) << "nothing beyond the record";
        if (row.set == nullptr) continue;
        const Bytes record = Pattern(row.size, 0x40);
        ASSERT_EQ(row.set(connection(), record.data()), STATUS_OK);
        EXPECT_EQ(row.held(camera().state()), ToWire(row, record));
    }
}

// ---- Single texts ----------------------------------------------------------

struct TextRow {
    const char* name;
    std::string S::*member;
    int (*get)(DeviceConnection*, char*);
    size_t charactersRead;  // at most this many characters reach the caller
    size_t bytesWritten;    // the caller's bytes the read fills (texts, zeros, terminator)
    int (*set)(DeviceConnection*, const char*);  // null for a read-only text
    size_t charactersSent;
};

const TextRow kTexts[] = {
    {"Version", &S::version, GetDeviceVersion, 47, 47, nullptr, 0},
    {"ModelID", &S::modelId, GetModelID, 32, 32, SetModelID, 32},
    {"BarCode", &S::barCode, GetBarCode, 32, 32, SetBarCode, 16},
    {"MacAddress", &S::macAddress, GetMacAddress, 12, 12, SetMacAddress, 12},
    {"WaterMark", &S::waterMark, GetWaterMark, 48, 48, SetWaterMark, 48},
    {"P2pCode", &S::p2pCode, GetP2pCode, 8, 9, nullptr, 0},
};

TEST_P(OverCamera, TextsAreCutWhereTheirCopyRulesSay) {
    for (const TextRow& row : kTexts) {
        SCOPED_TRACE(row.name);
        for (const std::string& held :
             {std::string("API_1.0.8"), Letters(row.charactersRead + 4)}) {
            camera().update([&](S& s) { s.*row.member = held; });
            Scratch out;
            ASSERT_EQ(row.get(connection(), out.text()), STATUS_OK);
            Bytes expected(held.begin(), held.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                            held.size(), row.charactersRead)));
            expected.resize(row.bytesWritten, 0);
            EXPECT_EQ(out.Head(row.bytesWritten), expected);
            EXPECT_EQ(out.bytes[row.bytesWritten], kUntouched);
        }
        if (row.set == nullptr) continue;
        const std::string longer = Letters(row.charactersSent + 4);
        ASSERT_EQ(row.set(connection(), longer.c_str()), STATUS_OK);
        EXPECT_EQ(camera().state().*row.member, longer.substr(0, row.charactersSent));
    }
    // Unit texts: a text that fits goes whole, a longer one is cut to leave a terminator.
    ASSERT_EQ(SetDeptInfo(connection(), Letters(32).c_str(), Letters(40).c_str()), STATUS_OK);
    EXPECT_EQ(camera().state().unitNumber, Letters(32));
    EXPECT_EQ(camera().state().unitName, Letters(31));
    char number[33], name[33];
    std::memset(number, kUntouched, sizeof number);
    ASSERT_EQ(GetDeptInfo(connection(), number, name), STATUS_OK);
    EXPECT_EQ(std::string(number, 32), Letters(32)) << "a full field comes without terminator";
    EXPECT_EQ(number[32], static_cast<char>(kUntouched));
}

// ---- Built payloads --------------------------------------------------------

const char kSomeKey[] = "0123456789abcdef0123456789ABCDEF";

struct Built {
    const char* what;
    std::function<int(DeviceConnection*)> call;
    Bytes head;  // the first request bytes the camera received
};

// clang-format off
const Built kBuilt[] = {
    {"blink 50 ms is one unit", [](auto* c) { return SetLedState(c, 2, 1, 50); }, {2, 1, 1, 0}},
    {"blink 0 is one unit", [](auto* c) { return SetLedState(c, 2, 2, 0); }, {2, 2, 1, 0}},
    {"blink 25.5 s", [](auto* c) { return SetLedState(c, 3, 2, 25500); }, {3, 2, 255, 0}},
    {"blink 30 s", [](auto* c) { return SetLedState(c, 1, 0, 30000); }, {1, 0, 0x2C, 0x01}},
    {"low 16 bits 0", [](auto* c) { return SetLedState(c, 2, 2, 6553600); }, {2, 2, 1, 0}},
    {"negative", [](auto* c) { return SetLedState(c, 2, 2, -250); }, {2, 2, 0xFE, 0xFF}},
    {"rings below 0", [](auto* c) { return SetBuzzer(c, -3, 250); }, {0, 0, 2, 0}},
    {"rings above 255", [](auto* c) { return SetBuzzer(c, 300, 250); }, {255, 0, 2, 0}},
    {"heartbeat capped", [](auto* c) { return SendHeartbeat(c, 200000, nullptr); }, {0xC0, 0xD4, 1, 0}},
    {"heartbeat at most", [](auto* c) { return SendHeartbeat(c, 0xFFFFFFFF, nullptr); }, {0xC0, 0xD4, 1, 0}},
    {"host type other than 1", [](auto* c) { return SetSystemType(c, 7); }, {0, 0, 0, 0}},
    {"host type 1", [](auto* c) { return SetSystemType(c, 1); }, {1, 0, 0, 0}},
    {"reset guard", [](auto* c) { return ResetDevice(c); }, {0x3E, 0x51, 0x0C, 0x72, 0x26, 0x19, 0x44}},
    {"lock and password", [](auto* c) { return SetLockMemoryState(c, 7, "secret"); }, {1, 1, 's', 'e', 'c', 'r', 'e', 't', 0}},
    {"unlock", [](auto* c) { return SetLockMemoryState(c, 0, ""); }, {0, 1, 0}},
    {"pairing code and terminator", [](auto* c) { return SetP2pCode(c, "87654321"); }, {'8', '7', '6', '5', '4', '3', '2', '1', 0}},
    {"encryption mode low 8 bits", [](auto* c) { return SetEncryption(c, 0x103, 1, kSomeKey); }, {3, 1, '0', '1', '2'}},
};
// clang-format on

TEST_P(OverCamera, BuiltPayloadsCarryTheirBytes) {
    for (const Built& row : kBuilt) {
        SCOPED_TRACE(row.what);
        camera().clearLog();
        ASSERT_EQ(row.call(connection()), STATUS_OK);
        EXPECT_EQ(Head(Writes(camera()).at(0).payload, row.head.size()), row.head);
    }
    EXPECT_EQ(Writes(camera()).at(0).payload.at(34), 0) << "one zero byte after the key";
    camera().clearLog();
    EXPECT_EQ(SetLedState(connection(), 0, 3, 100), STATUS_BAD_ARGUMENT);
    EXPECT_EQ(SetP2pCode(connection(), "1234567"), STATUS_BAD_ARGUMENT);
    EXPECT_EQ(SetP2pCode(connection(), "123456789"), STATUS_BAD_ARGUMENT);
    EXPECT_TRUE(camera().log().empty());
}

// ---- Exports of more than one plain exchange ---------------------------------

TEST_P(OverCamera, NumbersTheCameraReportsAreLittleEndian) {
    camera().update([](S& s) {
        s.batteryPercent = 0x1234;
        s.diskTotalMb = 0x00012345;
        s.diskFreeMb = 0x00000678;
    });
    uint16_t battery = 0;
    uint32_t total = 0, free = 0, answer = 0, timeout = 0;
    ASSERT_EQ(GetBattery(connection(), &battery), STATUS_OK);
    ASSERT_EQ(GetDiskSpaceInfo(connection(), &total, &free), STATUS_OK)
        << "an unmounted camera disk's figures come from the camera";
    ASSERT_EQ(SendHeartbeat(connection(), 45000, &answer), STATUS_OK);
    ASSERT_EQ(GetTimeOut(connection(), &timeout), STATUS_OK);
    EXPECT_EQ(battery, 0x1234);
    EXPECT_EQ(total, 0x00012345u);
    EXPECT_EQ(free, 0x00000678u);
    EXPECT_EQ(answer, 45000u);
    EXPECT_EQ(timeout, 45000u);
    EXPECT_EQ(GetTimeOut(connection(), nullptr), STATUS_OK) << "the output is optional";
}

// The half-hour zone shows the clock sent is the computer's local calendar time.
TEST_P(OverCamera, LocalClockOfTheComputerIsSentAsSetTimeSendsIt) {
    setenv("TZ", "IST-5:30", 1);
    tzset();
    for (int attempt = 0; attempt < 3; ++attempt) {
        camera().clearLog();
        const std::time_t before = std::time(nullptr);
        ASSERT_EQ(SyncDateTime(connection()), STATUS_OK);
        if (std::time(nullptr) != before) continue;  // a second turned over in between
        std::tm local{};
        localtime_r(&before, &local);
        const DeviceTime now{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                             local.tm_hour,        local.tm_min,     local.tm_sec};
        ASSERT_EQ(SetTime(connection(), &now), STATUS_OK);
        const auto writes = Writes(camera());
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0].wire, writes[1].wire);
        EXPECT_EQ(camera().state().clock, (camsim::DateTime{now.year, now.month, now.day, now.hour,
                                                            now.minute, now.second}));
        break;
    }
    EXPECT_EQ(Writes(camera()).size(), 2u) << "every attempt straddled a second";
    unsetenv("TZ");
    tzset();
}

TEST_P(OverCamera, KeyTextIsAssembledFromItsChunks) {
    camera().update([](S& s) { s.rsaAesKey = Letters(150); });
    Scratch out;
    ASSERT_EQ(GetRsaAesKey(connection(), out.text()), STATUS_OK);
    const std::string key = Letters(150);
    Bytes expected(key.begin(), key.end());
    expected.resize(192, 0);
    EXPECT_EQ(out.Head(192), expected);
    EXPECT_EQ(out.bytes[192], kUntouched) << "only two chunks are copied";
    const auto reads = Reads(camera());
    ASSERT_EQ(reads.size(), 2u);
    if (GetParam() == Carrier::kUsb) {
        const auto writes = Writes(camera());
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0].payload, Bytes(98, 0));
        EXPECT_EQ(writes[1].payload, reads[0].reply) << "each request repeats the last reply";
    }

    camera().update([](S& s) { s.rsaAesKey = Letters(PETREL_RSA_AES_KEY_SIZE); });
    ASSERT_EQ(GetRsaAesKey(connection(), out.text()), STATUS_OK);
    EXPECT_EQ(std::string(out.text(), PETREL_RSA_AES_KEY_SIZE), Letters(PETREL_RSA_AES_KEY_SIZE));

    camera().update([](S& s) { s.keyChunksNeverLast = true; });
    camera().clearLog();
    Scratch never;
    EXPECT_EQ(GetRsaAesKey(connection(), never.text()), STATUS_FAILED);
    EXPECT_TRUE(never.Untouched());
    EXPECT_EQ(Reads(camera()).size(), 5u);
    camera().update([](S& s) { s.keyChunksNeverLast = false; });
}

TEST_P(OverCamera, StorageLockAndEncryptionReadBack) {
    for (const int32_t locked : {1, 0}) {  // its payload bytes: the built-payload table
        ASSERT_EQ(SetLockMemoryState(connection(), locked, locked ? "secret" : ""), STATUS_OK);
        EXPECT_EQ(camera().state().storageLocked, locked == 1);
        int32_t state = 5;
        ASSERT_EQ(GetLockMemoryState(connection(), &state), STATUS_OK) << "over a reopened disk";
        EXPECT_EQ(state, locked);
    }

    uint8_t mode = 0, playback = 0;
    char key[32];
    ASSERT_EQ(SetEncryption(connection(), 1, 1, kSomeKey), STATUS_OK);
    ASSERT_EQ(GetEncryption(connection(), &mode, &playback, key), STATUS_OK);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(playback, 1);
    EXPECT_EQ(std::string(key, sizeof key), kSomeKey);
}

PETREL_ON_EACH_CARRIER(OverCamera);

}  // namespace
}  // namespace petrel_test
