// Record conversions and bounded copies, without a camera.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "commands/payloads.h"
#include "commands/record_codec.h"
#include "petrel.h"
#include "transport/byte_order.h"

namespace {

using Bytes = std::vector<uint8_t>;

template <class Record>
Bytes Encoded(const Record& record) {
    Bytes wire(petrel::Wire<Record>::kSize);
    petrel::Wire<Record>::Encode(record, wire.data());
    return wire;
}

template <class Record>
Record Decoded(const Bytes& wire) {
    Record record{};
    petrel::Wire<Record>::Decode(wire.data(), record);
    return record;
}

bool SameTime(const DeviceTime& a, const DeviceTime& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(DeviceTimeWire, TravelsAsYearSince1900ThenOneBytePerField) {
    const DeviceTime time{2024, 3, 5, 14, 7, 9};
    const Bytes wire = Encoded(time);
    EXPECT_EQ(wire, (Bytes{0x7C, 0x00, 0x03, 0x05, 0x0E, 0x07, 0x09, 0x00}));
    EXPECT_TRUE(SameTime(Decoded<DeviceTime>(wire), time));
}

TEST(DeviceTimeWire, ReadingIgnoresTheReservedByteAndWidensWithoutSign) {
    const DeviceTime time = Decoded<DeviceTime>({0xFF, 0xFF, 0xC8, 0xFF, 0x80, 0x81, 0x82, 0x55});
    EXPECT_TRUE(SameTime(time, DeviceTime{65535 + 1900, 200, 255, 128, 129, 130}));
}

TEST(DeviceTimeWire, OutOfRangeFieldsKeepTheirLowBitsWithoutOverflow) {
    const Bytes wire = Encoded(DeviceTime{INT_MIN, 257, -1, 300, 0, 0});
    EXPECT_EQ(wire[2], 1);
    EXPECT_EQ(wire[3], 0xFF);
    EXPECT_EQ(wire[4], 300 & 0xFF);
    EXPECT_EQ(petrel::GetLittleEndian16(wire.data()),
              static_cast<uint16_t>(static_cast<uint32_t>(INT_MIN) - 1900u));
}

TEST(DeviceTimeWire, LocalTimeIsTheCalendarTimeOfTheComputer) {
    const char* saved = std::getenv("TZ");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("TZ", "UTC", 1);
    tzset();
    const DeviceTime time = petrel::LocalDeviceTime(1709647629);
    setenv("TZ", "IST-5:30", 1);  // the half hour shows the conversion is local
    tzset();
    const DeviceTime shifted = petrel::LocalDeviceTime(1709647629);
    saved != nullptr ? setenv("TZ", previous.c_str(), 1) : unsetenv("TZ");
    tzset();
    EXPECT_TRUE(SameTime(time, DeviceTime{2024, 3, 5, 14, 7, 9}));
    EXPECT_TRUE(SameTime(shifted, DeviceTime{2024, 3, 5, 19, 37, 9}));
}

TEST(SummerTimeWire, CallerByteOneTravelsLastAndComesBack) {
    const SummerTimeInfo info{{1, 2, 3, 4, 5, 6, 7, 8}};
    const Bytes wire = Encoded(info);
    EXPECT_EQ(wire, (Bytes{1, 3, 4, 5, 6, 7, 8, 2}));
    const SummerTimeInfo back = Decoded<SummerTimeInfo>(wire);
    EXPECT_EQ(std::memcmp(back.rule, info.rule, sizeof info.rule), 0);
}

TEST(StaSettingWire, TextsStopAtTheirTerminatorAndFullFieldsGoWhole) {
    WifiStaSetting setting;
    std::memset(&setting, 'x', sizeof setting);
    std::memcpy(setting.ssid, "home\0stale", 10);
    setting.autoGetIp = 1;
    const Bytes wire = Encoded(setting);
    EXPECT_EQ(std::string(wire.begin(), wire.begin() + 48), std::string("home") + std::string(44, '\0'));
    EXPECT_EQ(std::string(wire.begin() + 48, wire.begin() + 80), std::string(32, 'x'));
    EXPECT_EQ(wire[80], 1);
}

TEST(TextCopies, NeverReadBeyondTheLimitOfAnUnterminatedText) {
    // Exactly as long as the limit and no terminator: a longer read would trip the sanitiser.
    const auto text = std::make_unique<char[]>(16);
    std::memset(text.get(), 'a', 16);
    std::array<uint8_t, 20> field{};
    EXPECT_EQ(petrel::CopyText(field.data(), text.get(), 16), 16u);
    EXPECT_EQ(field[15], 'a');
    EXPECT_EQ(field[16], 0);
}

TEST(TextCopies, UnitTextsFitWholeOrAreCutToLeaveATerminator) {
    std::array<uint8_t, 33> field{};
    const std::string full(32, 'n');
    petrel::CopyTextOrCut(field.data(), full.c_str(), 32);
    EXPECT_EQ(std::string(field.begin(), field.begin() + 32), full);

    field = {};
    const std::string tooLong(40, 'l');
    petrel::CopyTextOrCut(field.data(), tooLong.c_str(), 32);
    EXPECT_EQ(std::string(field.begin(), field.begin() + 31), std::string(31, 'l'));
    EXPECT_EQ(field[31], 0);

    field = {};
    petrel::CopyTextOrCut(field.data(), "short", 32);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(field.data())), "short");
}

TEST(SmallValues, IntervalsBecomeHundredMsUnitsNeverZero) {
    EXPECT_EQ(petrel::HundredMsUnits(50), 1);
    EXPECT_EQ(petrel::HundredMsUnits(0), 1);
    EXPECT_EQ(petrel::HundredMsUnits(199), 1);
    EXPECT_EQ(petrel::HundredMsUnits(25500), 255);
    EXPECT_EQ(petrel::HundredMsUnits(65536 * 100), 1);  // low 16 bits are 0
    EXPECT_EQ(petrel::HundredMsUnits(-250), 0xFFFE);
}

TEST(SmallValues, RingsAreClampedAndHeartbeatsCapped) {
    EXPECT_EQ(petrel::ClampRings(-3), 0);
    EXPECT_EQ(petrel::ClampRings(300), 255);
    EXPECT_EQ(petrel::ClampRings(7), 7);
    uint8_t wire[4];
    petrel::PutLittleEndian32(wire, petrel::CapHeartbeat(200000));
    EXPECT_EQ(Bytes(wire, wire + 4), (Bytes{0xC0, 0xD4, 0x01, 0x00}));
    EXPECT_EQ(petrel::CapHeartbeat(120000), 120000u);
    EXPECT_EQ(petrel::CapHeartbeat(0xFFFFFFFFu), 120000u);
}

TEST(ChannelLists, EndAtTheMarkerOrUseEveryEntry) {
    WifiChannelInfo info{};
    const uint8_t band[] = {1, 6, 11, 0xFF, 36, 40};
    std::memcpy(info.channels24G, band, sizeof band);
    EXPECT_EQ(PetrelChannelCount(info.channels24G, sizeof info.channels24G), 3);
    std::memset(info.channels5G, 0, sizeof info.channels5G);
    EXPECT_EQ(PetrelChannelCount(info.channels5G, 14), 14);
}

TEST(SettingsTable, EveryByteOfTheBlockHasOneFieldWithCodes) {
    struct Field {
        int offset;
        const char* name;
        int kind;
        std::vector<int> codes;
    };
#define CODE(value, text) value,
#define FIELD(offset, name, kind, codes) {offset, #name, kind, {codes(CODE)}},
    const std::vector<Field> fields = {PETREL_SYSPARAM_FIELDS(FIELD)};
#undef FIELD
#undef CODE
    ASSERT_EQ(fields.size(), sizeof(SysParam));
    int flags = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i].offset, static_cast<int>(i));
        EXPECT_FALSE(fields[i].codes.empty()) << fields[i].name;
        if (fields[i].kind == PETREL_SETTING_FLAG) {
            ++flags;
            EXPECT_EQ(fields[i].codes, (std::vector<int>{0, 1})) << fields[i].name;
        }
    }
    EXPECT_EQ(flags, 15);
    EXPECT_EQ(fields[6].codes, (std::vector<int>{0, 7}));     // preRecord: on is 7
    EXPECT_EQ(fields[34].codes, (std::vector<int>{0, 2, 3}));  // autoIr has no code 1
    EXPECT_EQ(fields[32].codes.size(), 49u);                   // time zone in half hours
}

}  // namespace
