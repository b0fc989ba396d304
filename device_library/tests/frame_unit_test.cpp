#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

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
    Bytes frame(payload.size() + 10);
    const uint8_t header[9] = {0xA3, 0xB2, 0xC1, 0xD0, 0, static_cast<uint8_t>(frame.size()),
                               static_cast<uint8_t>(command >> 8), static_cast<uint8_t>(command), 0};
    std::copy(std::begin(header), std::end(header), frame.begin());
    std::copy(payload.begin(), payload.end(), frame.begin() + 9);
    frame.back() = Sum(frame, frame.size() - 1);
    return frame;
}

bool Accept(const Bytes& frame, size_t received, uint16_t command, Bytes& out) {
    return petrel::AcceptReply(frame.data(), received, command, out.data(), out.size());
}

TEST(RequestFrame, EmptyPayloadGivesTheTenByteFrame) {
    std::array<uint8_t, petrel::kFrameBufferSize> frame{};
    ASSERT_EQ(petrel::BuildRequestFrame(0x2D, nullptr, 0, frame.data()), 10u);
    const Bytes header = {0xD0, 0xC1, 0xB2, 0xA3, 0x00, 0x0A, 0x00, 0x2D, 0x00};
    EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 9), header);
    EXPECT_EQ(frame[9], Sum(header, 9));
}

TEST(RequestFrame, PayloadFollowsTheHeaderAndCommandIsBigEndian) {
    std::array<uint8_t, petrel::kFrameBufferSize> frame{};
    const uint8_t payload[3] = {0xFF, 0x01, 0x80};
    ASSERT_EQ(petrel::BuildRequestFrame(0x1000, payload, 3, frame.data()), 13u);
    EXPECT_EQ(frame[4], 0x00);
    EXPECT_EQ(frame[5], 13);
    EXPECT_EQ(frame[6], 0x10);
    EXPECT_EQ(frame[7], 0x00);
    EXPECT_EQ(frame[9], 0xFF);
    EXPECT_EQ(frame[11], 0x80);
    EXPECT_EQ(frame[12], static_cast<uint8_t>(0xD0 + 0xC1 + 0xB2 + 0xA3 + 13 + 0x10 + 0xFF + 0x01 + 0x80));
}

TEST(RequestFrame, PayloadBeyondTheBufferIsRefused) {
    std::array<uint8_t, petrel::kFrameBufferSize> frame{};
    std::array<uint8_t, 503> payload{};
    EXPECT_EQ(petrel::BuildRequestFrame(1, payload.data(), payload.size(), frame.data()), 0u);
}

TEST(ReplyValidation, ValidReplyCopiesItsPayload) {
    const Bytes frame = Reply(0x29, {0x57, 0x00});
    Bytes out(2, 0xEE);
    ASSERT_TRUE(Accept(frame, frame.size(), 0x29, out));
    EXPECT_EQ(out, (Bytes{0x57, 0x00}));
}

TEST(ReplyValidation, EachBrokenRuleRejectsAndLeavesTheOutputAlone) {
    struct Case {
        const char* what;
        void (*damage)(Bytes& frame, size_t& received);
    };
    const Case cases[] = {
        {"wrong magic", [](Bytes& f, size_t&) { f[3] = 0xD1; }},
        {"request magic", [](Bytes& f, size_t&) { f[0] = 0xD0, f[1] = 0xC1, f[2] = 0xB2, f[3] = 0xA3; }},
        {"length one beyond received", [](Bytes&, size_t& r) { r -= 1; }},
        {"checksum off by one", [](Bytes& f, size_t&) { f.back() = static_cast<uint8_t>(f.back() + 1); }},
        {"other command", [](Bytes& f, size_t&) { f[7] = 0x2A; }},
        {"declared length below header", [](Bytes& f, size_t&) { f[5] = 9; }},
        {"nothing received", [](Bytes&, size_t& r) { r = 0; }},
    };
    for (const auto& c : cases) {
        Bytes frame = Reply(0x29, {0x57, 0x00});
        size_t received = frame.size();
        c.damage(frame, received);
        Bytes out(2, 0xEE);
        EXPECT_FALSE(Accept(frame, received, 0x29, out)) << c.what;
        EXPECT_EQ(out, Bytes(2, 0xEE)) << c.what;
    }
}

TEST(ReplyValidation, OnlyTheLowByteOfTheCommandIsCompared) {
    const Bytes frame = Reply(0x1001, {});
    Bytes out(1, 0xEE);
    EXPECT_TRUE(Accept(frame, frame.size(), 0x0001, out));
    EXPECT_FALSE(Accept(frame, frame.size(), 0x0002, out));
}

TEST(ReplyValidation, CopiesAtMostCapacityAndAtMostThePayload) {
    const Bytes frame = Reply(0x10, {1, 2, 3, 4});
    Bytes small(2, 0xEE);
    ASSERT_TRUE(Accept(frame, frame.size(), 0x10, small));
    EXPECT_EQ(small, (Bytes{1, 2}));
    Bytes large(6, 0xEE);
    ASSERT_TRUE(Accept(frame, frame.size(), 0x10, large));
    EXPECT_EQ(large, (Bytes{1, 2, 3, 4, 0xEE, 0xEE}));
}

TEST(ReplyValidation, ExtraBytesAfterTheDeclaredFrameAreIgnored) {
    Bytes frame = Reply(0x10, {7});
    frame.resize(500, 0x55);
    Bytes out(1, 0);
    ASSERT_TRUE(Accept(frame, frame.size(), 0x10, out));
    EXPECT_EQ(out[0], 7);
}

TEST(ReplyValidation, ReceivedCountBeyondTheBufferIsRefused) {
    Bytes frame = Reply(0x10, {7});
    frame.resize(petrel::kFrameBufferSize + 1, 0);
    Bytes out(1, 0xEE);
    EXPECT_FALSE(Accept(frame, frame.size(), 0x10, out));
}

}  // namespace
