// Records and texts between a caller and the simulated camera: every byte of a record
// both ways, each text cut where its copy rule says, and the small built payloads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "support/command_support.h"

namespace petrel_test {
namespace {

using Bytes = std::vector<uint8_t>;

// No byte zero, so a byte lost or moved shows; seed tells the two directions apart.
Bytes Pattern(size_t size, uint8_t seed) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + 7 * i) | 0x01;
    return bytes;
}

// ---- Whole records ---------------------------------------------------------

struct RecordRow {
    const char* name;
    size_t size;
    Bytes (*held)(const camsim::CameraState&);  // the camera's bytes, wire order
    void (*hold)(camsim::CameraState&, const Bytes&);
    int (*get)(DeviceConnection*, uint8_t* record);
    int (*set)(DeviceConnection*, const uint8_t* record);  // null for a read-only record
    Bytes (*toWire)(const Bytes& record);
};

Bytes SameOrder(const Bytes& record) { return record; }

// Caller byte 1 travels last.
Bytes SummerTimeOrder(const Bytes& r) { return {r[0], r[2], r[3], r[4], r[5], r[6], r[7], r[1]}; }

template <auto Member, class Record, auto Get, auto Set>
RecordRow Row(const char* name, Bytes (*toWire)(const Bytes&) = SameOrder) {
    RecordRow row{
        name,
        sizeof(Record),
        [](const camsim::CameraState& s) { return Bytes((s.*Member).begin(), (s.*Member).end()); },
        [](camsim::CameraState& s, const Bytes& b) {
            std::copy(b.begin(), b.end(), (s.*Member).begin());
        },
        [](DeviceConnection* c, uint8_t* out) { return Get(c, reinterpret_cast<Record*>(out)); },
        nullptr,
        toWire};
    if constexpr (!std::is_null_pointer_v<decltype(Set)>) {
        row.set = [](DeviceConnection* c, const uint8_t* in) {
            return Set(c, reinterpret_cast<const Record*>(in));
        };
    }
    return row;
}

using S = camsim::CameraState;
const std::vector<RecordRow> kRecords = {
    Row<&S::sysParam, SysParam, GetSysParam, SetSysParam>("SysParam"),
    Row<&S::networkInfo, NetworkInfo, GetNetworkInfo, SetNetworkInfo>("NetworkInfo"),
    Row<&S::wifiUniversal, WifiUniversal, GetWifiUniversal, SetWifiUniversal>("WifiUniversal"),
    Row<&S::wifiApSetting, WifiApSetting, GetWifiApSetting, SetWifiApSetting>("WifiApSetting"),
    Row<&S::wifiStaSetting, WifiStaSetting, GetWifiStaSetting, SetWifiStaSetting>("WifiStaSetting"),
    Row<&S::wifiChannelInfo, WifiChannelInfo, GetWifiChannelInfo, nullptr>("WifiChannelInfo"),
    Row<&S::bluetoothInfo, BluetoothInfo, GetBluetoothInfo, SetBluetoothInfo>("BluetoothInfo"),
    Row<&S::mobile4GInfo, Mobile4GInfo, Get4GInfo, Set4GInfo>("Mobile4GInfo"),
    Row<&S::summerTime, SummerTimeInfo, GetSummerTimeInfo, SetSummerTimeInfo>("SummerTimeInfo",
                                                                              SummerTimeOrder),
};

void PrintTo(const RecordRow& row, std::ostream* out) { *out << row.name; }

template <class Row>
std::vector<Row> Writable(const std::vector<Row>& rows) {
    std::vector<Row> kept;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(kept),
                 [](const Row& row) { return row.set != nullptr; });
    return kept;
}

template <class Row>
std::string RowName(const testing::TestParamInfo<std::tuple<Carrier, Row>>& info) {
    return std::string(std::get<1>(info.param).name) +
           (std::get<0>(info.param) == Carrier::kUsb ? "_Usb" : "_Disk");
}

class RecordOverCamera : public CameraTest,
                         public testing::WithParamInterface<std::tuple<Carrier, RecordRow>> {
protected:
    const RecordRow& row() const { return std::get<1>(GetParam()); }
    camsim::Camera& Verified() {
        camsim::Camera& camera = Connected(std::get<0>(GetParam()));
        EXPECT_EQ(VerifiPassword(connection_, kAdminPassword, PETREL_USER_ADMINISTRATOR),
                  STATUS_OK);
        return camera;
    }
};

class RecordRead : public RecordOverCamera {};
class RecordWrite : public RecordOverCamera {};

TEST_P(RecordRead, BringsEveryByteTheCameraHolds) {
    camsim::Camera& camera = Verified();
    const Bytes held = Pattern(row().size, 0x11);
    camera.update([&](camsim::CameraState& s) { row().hold(s, held); });
    Scratch out;
    ASSERT_EQ(row().get(connection_, out.data()), STATUS_OK);
    EXPECT_EQ(row().toWire(Bytes(out.data(), out.data() + row().size)), held);
    EXPECT_EQ(out.bytes[row().size], kUntouched) << "nothing beyond the record";
}

TEST_P(RecordWrite, DeliversEveryByteAndReadsBackUnchanged) {
    camsim::Camera& camera = Verified();
    const Bytes record = Pattern(row().size, 0x40);
    ASSERT_EQ(row().set(connection_, record.data()), STATUS_OK);
    EXPECT_EQ(row().held(camera.state()), row().toWire(record));
    Scratch out;
    ASSERT_EQ(row().get(connection_, out.data()), STATUS_OK);
    EXPECT_EQ(Bytes(out.data(), out.data() + row().size), record);
}

INSTANTIATE_TEST_SUITE_P(Records, RecordRead,
                         testing::Combine(testing::Values(Carrier::kUsb, Carrier::kDisk),
                                          testing::ValuesIn(kRecords)),
                         RowName<RecordRow>);
INSTANTIATE_TEST_SUITE_P(Records, RecordWrite,
                         testing::Combine(testing::Values(Carrier::kUsb, Carrier::kDisk),
                                          testing::ValuesIn(Writable(kRecords))),
                         RowName<RecordRow>);

// ---- Single texts ----------------------------------------------------------

struct TextRow {
    const char* name;
    std::string camsim::CameraState::*member;
    int (*get)(DeviceConnection*, char*);
    size_t charactersRead;  // at most this many characters reach the caller
    size_t bytesWritten;    // the caller's bytes the read fills (texts, zeros, terminator)
    int (*set)(DeviceConnection*, const char*);  // null for a read-only text
    size_t charactersSent;
};

const std::vector<TextRow> kTexts = {
    {"Version", &S::version, GetDeviceVersion, 47, 47, nullptr, 0},
    {"ModelID", &S::modelId, GetModelID, 32, 32, SetModelID, 32},
    {"BarCode", &S::barCode, GetBarCode, 32, 32, SetBarCode, 16},
    {"MacAddress", &S::macAddress, GetMacAddress, 12, 12, SetMacAddress, 12},
    {"WaterMark", &S::waterMark, GetWaterMark, 48, 48, SetWaterMark, 48},
    {"P2pCode", &S::p2pCode, GetP2pCode, 8, 9, nullptr, 0},
};

void PrintTo(const TextRow& row, std::ostream* out) { *out << row.name; }

std::string Letters(size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += static_cast<char>('a' + i % 26);
    return text;
}

class TextOverCamera : public CameraTest,
                       public testing::WithParamInterface<std::tuple<Carrier, TextRow>> {
protected:
    const TextRow& row() const { return std::get<1>(GetParam()); }
    camsim::Camera& Verified() {
        camsim::Camera& camera = Connected(std::get<0>(GetParam()));
        EXPECT_EQ(VerifiPassword(connection_, kAdminPassword, PETREL_USER_ADMINISTRATOR),
                  STATUS_OK);
        return camera;
    }
    // Reads the text the camera holds and checks the copy rule: the characters, zeros
    // up to bytesWritten, nothing beyond.
    void ExpectRead(camsim::Camera& camera, const std::string& held) {
        camera.update([&](camsim::CameraState& s) { s.*row().member = held; });
        Scratch out;
        ASSERT_EQ(row().get(connection_, reinterpret_cast<char*>(out.data())), STATUS_OK);
        Bytes expected(held.begin(), held.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                        held.size(), row().charactersRead)));
        expected.resize(row().bytesWritten, 0);
        EXPECT_EQ(Bytes(out.data(), out.data() + row().bytesWritten), expected);
        EXPECT_EQ(out.bytes[row().bytesWritten], kUntouched);
    }
};

class TextRead : public TextOverCamera {};
class TextWrite : public TextOverCamera {};

TEST_P(TextRead, CopiesUpToItsLimitAndFillsWithZeros) {
    camsim::Camera& camera = Verified();
    ExpectRead(camera, "API_1.0.8");
    ExpectRead(camera, Letters(row().charactersRead + 4));
}

TEST_P(TextWrite, SendsAtMostItsLimit) {
    camsim::Camera& camera = Verified();
    ASSERT_EQ(row().set(connection_, "BWC_short"), STATUS_OK);
    EXPECT_EQ(camera.state().*row().member, "BWC_short");
    const std::string longer = Letters(row().charactersSent + 4);
    ASSERT_EQ(row().set(connection_, longer.c_str()), STATUS_OK);
    EXPECT_EQ(camera.state().*row().member, longer.substr(0, row().charactersSent));
}

INSTANTIATE_TEST_SUITE_P(Texts, TextRead,
                         testing::Combine(testing::Values(Carrier::kUsb, Carrier::kDisk),
                                          testing::ValuesIn(kTexts)),
                         RowName<TextRow>);
INSTANTIATE_TEST_SUITE_P(Texts, TextWrite,
                         testing::Combine(testing::Values(Carrier::kUsb, Carrier::kDisk),
                                          testing::ValuesIn(Writable(kTexts))),
                         RowName<TextRow>);

// ---- Built payloads --------------------------------------------------------

class BuiltPayloads : public VerifiedCarrier {};

TEST_P(BuiltPayloads, PairingCodeMustBeEightCharacters) {
    camsim::Camera& camera = Verified();
    EXPECT_EQ(SetP2pCode(connection_, "1234567"), STATUS_BAD_ARGUMENT);
    EXPECT_EQ(SetP2pCode(connection_, "123456789"), STATUS_BAD_ARGUMENT);
    EXPECT_TRUE(camera.log().empty());
    ASSERT_EQ(SetP2pCode(connection_, "87654321"), STATUS_OK);
    EXPECT_EQ(camera.state().p2pCode, "87654321");
    EXPECT_EQ(Writes(camera).at(0).payload.at(8), 0) << "the code's terminator travels";
}

TEST_P(BuiltPayloads, UnitTextsFitWholeOrAreCutToLeaveATerminator) {
    camsim::Camera& camera = Verified();
    const std::string full = Letters(32);
    ASSERT_EQ(SetDeptInfo(connection_, full.c_str(), Letters(40).c_str()), STATUS_OK);
    EXPECT_EQ(camera.state().unitNumber, full);
    EXPECT_EQ(camera.state().unitName, Letters(31));
    char number[33], name[33];
    std::memset(number, kUntouched, sizeof number);
    ASSERT_EQ(GetDeptInfo(connection_, number, name), STATUS_OK);
    EXPECT_EQ(std::string(number, 32), full) << "a full field comes without terminator";
    EXPECT_EQ(number[32], static_cast<char>(kUntouched));
}

TEST_P(BuiltPayloads, ClockTravelsAsYearSince1900AndOneBytePerField) {
    camsim::Camera& camera = Verified();
    const DeviceTime time{2024, 3, 5, 14, 7, 9};
    ASSERT_EQ(SetTime(connection_, &time), STATUS_OK);
    const Bytes sent = Writes(camera).at(0).payload;
    EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 8),
              Bytes({0x7C, 0x00, 0x03, 0x05, 0x0E, 0x07, 0x09, 0x00}));
}

TEST_P(BuiltPayloads, SummerTimeByteOneTravelsLast) {
    camsim::Camera& camera = Verified();
    const SummerTimeInfo rule{{1, 2, 3, 4, 5, 6, 7, 8}};
    ASSERT_EQ(SetSummerTimeInfo(connection_, &rule), STATUS_OK);
    const auto held = camera.state().summerTime;
    EXPECT_EQ(Bytes(held.begin(), held.end()), Bytes({1, 3, 4, 5, 6, 7, 8, 2}));
}

TEST_P(BuiltPayloads, LedAndBuzzerLengthsTravelInHundredMsUnits) {
    camsim::Camera& camera = Verified();
    const auto led = [&](int ms) {
        EXPECT_EQ(SetLedState(connection_, 2, 2, ms), STATUS_OK);
        return camera.state().lastLed;
    };
    EXPECT_EQ(led(50), (std::array<uint8_t, 4>{2, 2, 1, 0}));
    EXPECT_EQ(led(0), (std::array<uint8_t, 4>{2, 2, 1, 0}));
    EXPECT_EQ(led(25500), (std::array<uint8_t, 4>{2, 2, 255, 0}));
    EXPECT_EQ(led(30000), (std::array<uint8_t, 4>{2, 2, 0x2C, 0x01}));
    const auto buzzer = [&](int rings) {
        EXPECT_EQ(SetBuzzer(connection_, rings, 250), STATUS_OK);
        return camera.state().lastBuzzer;
    };
    EXPECT_EQ(buzzer(-3), (std::array<uint8_t, 4>{0, 0, 2, 0}));
    EXPECT_EQ(buzzer(300), (std::array<uint8_t, 4>{255, 0, 2, 0}));
    camera.clearLog();
    EXPECT_EQ(SetLedState(connection_, 0, 3, 100), STATUS_BAD_ARGUMENT);
    EXPECT_EQ(SetLedState(connection_, 0xFFFFFFFFu, 0, 100), STATUS_BAD_ARGUMENT);
    EXPECT_TRUE(camera.log().empty());
}

INSTANTIATE_TEST_SUITE_P(Carriers, BuiltPayloads, testing::Values(Carrier::kUsb, Carrier::kDisk),
                         CarrierName);

}  // namespace
}  // namespace petrel_test
