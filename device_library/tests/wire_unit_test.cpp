// Edges the simulated camera cannot produce, without a camera: reply frames, masking, records.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "commands/record_codec.h"
#include "crypto/cipher.h"
#include "petrel.h"
#include "transport/frame.h"

namespace {

using Bytes = std::vector<uint8_t>;

uint8_t Sum(const Bytes& bytes, size_t count) {
    unsigned sum = 0;
    for (size_t i = 0; i < count; ++i) sum += bytes[i];
    return static_cast<uint8_t>(sum);
}

// A well-formed reply frame for `command` carrying `payload`.
Bytes Reply(uint16_t command, const Bytes& payload) {
    Bytes frame = {0xA3,
                   0xB2,
                   0xC1,
                   0xD0,
                   0,
                   static_cast<uint8_t>(payload.size() + 10),
                   static_cast<uint8_t>(command >> 8),
                   static_cast<uint8_t>(command),
                   0};
    for (uint8_t byte : payload) frame.push_back(byte);
    frame.push_back(Sum(frame, frame.size()));
    return frame;
}

struct ReplyCase {
    const char* what;
    void (*damage)(Bytes& frame, size_t& received);
    uint16_t command;
    size_t capacity;
    Bytes out;  // empty: refused, the output untouched
};

TEST(ReplyFrame, AcceptedOnlyWhenEveryRuleHolds) {
    // A damaged checksum or another command's reply: the command table's faults.
    // clang-format off
    const ReplyCase cases[] = {
        {"valid", [](Bytes&, size_t&) {}, 0x29, 4, {1, 2, 3, 0xEE}},
        {"capacity below payload", [](Bytes&, size_t&) {}, 0x29, 2, {1, 2}},
        {"only the low command byte counts", [](Bytes& f, size_t&) { f[6] = 0x10, f.back() = static_cast<uint8_t>(f.back() + 0x10); }, 0x29, 3, {1, 2, 3}},
        {"trailing bytes ignored", [](Bytes& f, size_t& r) { f.resize(r = 500, 0x55); }, 0x29, 3, {1, 2, 3}},
        {"wrong magic", [](Bytes& f, size_t&) { f[3] = 0xD1; }, 0x29, 3, {}},
        {"request magic", [](Bytes& f, size_t&) { std::swap(f[0], f[3]), std::swap(f[1], f[2]); }, 0x29, 3, {}},
        {"length beyond received", [](Bytes&, size_t& r) { r -= 1; }, 0x29, 3, {}},
        {"declared below header", [](Bytes& f, size_t&) { f[5] = 9; }, 0x29, 3, {}},
        {"nothing received", [](Bytes&, size_t& r) { r = 0; }, 0x29, 3, {}},
        {"beyond the buffer", [](Bytes& f, size_t& r) { f.resize(r = petrel::kFrameBufferSize + 1); }, 0x29, 3, {}},
    };
    // clang-format on
    for (const ReplyCase& c : cases) {
        Bytes frame = Reply(0x29, {1, 2, 3});
        size_t received = frame.size();
        c.damage(frame, received);
        Bytes out(c.capacity, 0xEE);
        EXPECT_EQ(petrel::AcceptReply(frame.data(), received, c.command, out.data(), out.size()),
                  !c.out.empty())
            << c.what;
        EXPECT_EQ(out, c.out.empty() ? Bytes(c.capacity, 0xEE) : c.out) << c.what;
    }
}

TEST(Masking, FirstSixBytesOfAtMostSixteen) {
    const uint8_t key[6] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    std::array<uint8_t, 20> field;
    field.fill(0xEE);
    petrel::ScrambleField("ab", key, field.data());
    EXPECT_EQ(Bytes(field.begin(), field.begin() + 8),
              Bytes({'a' ^ 0x11, 'b' ^ 0x22, 0x33, 0x44, 0x55, 0x66, 0xEE, 0xEE}))
        << "key bytes past a short text, the rest left";
    field = {};
    petrel::ScrambleField("ABCDEFGHIJKLMNOPQRST", key, field.data());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(field[i], ("ABCDEF"[i]) ^ key[i]) << i;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(field.data()) + 6), "GHIJKLMNOP");
}

bool SameTime(const DeviceTime& a, const DeviceTime& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(DeviceTimeWire, LowBitsOutAndUnsignedIn) {
    Bytes wire(8);
    petrel::Wire<DeviceTime>::Encode(DeviceTime{INT_MIN, 257, -1, 300, 0, 0}, wire.data());
    const uint16_t year = static_cast<uint16_t>(static_cast<uint32_t>(INT_MIN) - 1900u);
    EXPECT_EQ(wire, Bytes({static_cast<uint8_t>(year), static_cast<uint8_t>(year >> 8), 1, 0xFF,
                           300 & 0xFF, 0, 0, 0}));
    DeviceTime time{};
    const Bytes read = {0xFF, 0xFF, 0xC8, 0xFF, 0x80, 0x81, 0x82, 0x55};
    petrel::Wire<DeviceTime>::Decode(read.data(), time);
    EXPECT_TRUE(SameTime(time, DeviceTime{65535 + 1900, 200, 255, 128, 129, 130}));
}

TEST(TextCopies, NeverReadBeyondTheLimitOfAnUnterminatedText) {
    // Exactly as long as the limit and no terminator: a longer read trips the sanitiser.
    const auto text = std::make_unique<char[]>(16);
    std::memset(text.get(), 'a', 16);
    std::array<uint8_t, 20> field{};
    EXPECT_EQ(petrel::CopyText(field.data(), text.get(), 16), 16u);
    EXPECT_EQ(field[16], 0);
}

TEST(PublicTables, SettingsFieldsCoverTheBlockAndChannelListsEndAtTheMarker) {
    std::vector<int> offsets;
#define FIELD(offset, name, kind, list) offsets.push_back(offset);
    PETREL_SYSPARAM_FIELDS(FIELD)
#undef FIELD
    ASSERT_EQ(offsets.size(), sizeof(SysParam));
    for (size_t i = 0; i < offsets.size(); ++i) EXPECT_EQ(offsets[i], static_cast<int>(i));

    const uint8_t band[14] = {1, 6, 11, 0xFF, 36, 40};
    EXPECT_EQ(PetrelChannelCount(band, sizeof band), 3);
    const uint8_t full[14] = {};
    EXPECT_EQ(PetrelChannelCount(full, 14), 14);
}

}  // namespace
