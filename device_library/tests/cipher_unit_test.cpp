#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "crypto/cipher.h"

namespace {

using Block128 = std::array<uint8_t, petrel::kCipherUnit>;
using Key6 = std::array<uint8_t, 6>;

TEST(BlockCipher, MatchesTheAes256ExampleVector) {
    std::array<uint8_t, 32> key{};
    for (int i = 0; i < 32; ++i) key[i] = static_cast<uint8_t>(i);
    Block128 plain{}, out{};
    for (int i = 0; i < 16; ++i) plain[i] = static_cast<uint8_t>(i * 0x11);
    petrel::AesEcb256(key.data(), true, plain.data(), out.data());
    const uint8_t expected[16] = {0x8e, 0xa2, 0xb7, 0xca, 0x51, 0x67, 0x45, 0xbf,
                                  0xea, 0xfc, 0x49, 0x90, 0x4b, 0x49, 0x60, 0x89};
    EXPECT_EQ(std::memcmp(out.data(), expected, 16), 0);
    Block128 back{};
    petrel::AesEcb256(key.data(), false, out.data(), back.data());
    EXPECT_EQ(back, plain);
}

TEST(BlockCipher, BlocksAreEncipheredWithoutChaining) {
    Block128 zeros{}, out{};
    petrel::EncipherRequest(zeros.data(), out.data());
    for (int block = 1; block < 8; ++block) {
        EXPECT_EQ(std::memcmp(out.data(), out.data() + 16 * block, 16), 0) << block;
    }
    EXPECT_NE(std::memcmp(out.data(), zeros.data(), 16), 0);
}

TEST(BlockCipher, RequestAndReplyKeysDiffer) {
    Block128 plain{}, sealed{}, opened{};
    for (size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<uint8_t>(i);
    petrel::EncipherRequest(plain.data(), sealed.data());
    petrel::DecipherReply(sealed.data(), opened.data());
    EXPECT_NE(opened, plain);
}

TEST(ConnectionKey, MatchesWorkedExamples) {
    // MD5("123456X10") bytes 4..11 as upper-case hex, characters i and i+8 combined.
    Key6 key{};
    petrel::DeriveConnectionKey("123456", 6, "X1", 0, key.data());
    EXPECT_EQ(key, (Key6{0x76, 0x71, 0x05, 0x75, 0x7d, 0x03}));
    petrel::DeriveConnectionKey("888888", 6, "X1", 1, key.data());
    EXPECT_EQ(key, (Key6{0x02, 0x77, 0x72, 0x72, 0x00, 0x00}));
}

TEST(ConnectionKey, UsesAtMostSixteenPasswordCharacters) {
    Key6 a{}, b{};
    petrel::DeriveConnectionKey("0123456789ABCDEFxyz", 19, "X1", 0, a.data());
    petrel::DeriveConnectionKey("0123456789ABCDEF", 16, "X1", 0, b.data());
    EXPECT_EQ(a, b);
}

constexpr uint8_t kKey[6] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};

TEST(Masking, ShortTextCarriesTheKeyBytesPastItsEnd) {
    std::array<uint8_t, 16> field;
    field.fill(0xEE);
    petrel::ScrambleField("ab", kKey, field.data());
    EXPECT_EQ(field[0], 'a' ^ 0x11);
    EXPECT_EQ(field[1], 'b' ^ 0x22);
    for (int i = 2; i < 6; ++i) EXPECT_EQ(field[i], kKey[i]) << i;
    for (int i = 6; i < 16; ++i) EXPECT_EQ(field[i], 0xEE) << i;
}

TEST(Masking, OnlyTheFirstSixBytesOfALongerTextChange) {
    std::array<uint8_t, 16> field{};
    petrel::ScrambleField("ABCDEFGHIJ", kKey, field.data());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(field[i], ("ABCDEF"[i]) ^ kKey[i]) << i;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(field.data()) + 6, 4), "GHIJ");
    EXPECT_EQ(field[10], 0);
}

TEST(Masking, TextBeyondSixteenCharactersIsDropped) {
    std::array<uint8_t, 20> field{};
    petrel::ScrambleField("ABCDEFGHIJKLMNOPQRST", kKey, field.data());
    EXPECT_EQ(std::string(reinterpret_cast<char*>(field.data()) + 6, 10), "GHIJKLMNOP");
    for (int i = 16; i < 20; ++i) EXPECT_EQ(field[i], 0) << i;
}

TEST(Masking, ZeroKeyLeavesTheTextAsItIs) {
    const uint8_t zero[6] = {};
    std::array<uint8_t, 16> field{};
    petrel::ScrambleField("secret", zero, field.data());
    EXPECT_EQ(std::string(reinterpret_cast<char*>(field.data())), "secret");
}

}  // namespace
