#include "cipher.h"

#include <openssl/evp.h>

#include <memory>
#include <stdexcept>

namespace camsim::model {
namespace {

constexpr std::string_view kRequestKeyText = "pkt_outbound_frame_cipher_text_material";
constexpr std::string_view kReplyKeyText = "pkt_inbound_frame_cipher_material_x";

using CipherCtx = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

std::array<std::uint8_t, kCipherUnit> aesEcb(std::string_view keyText,
                                             std::span<const std::uint8_t> in, bool encrypt) {
    std::array<std::uint8_t, kCipherUnit> block{};
    std::copy_n(in.begin(), std::min(in.size(), block.size()), block.begin());
    std::array<std::uint8_t, kCipherUnit> out{};
    CipherCtx ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    int moved = 0;
    const auto* key = reinterpret_cast<const unsigned char*>(keyText.data());
    if (!ctx ||
        EVP_CipherInit_ex(ctx.get(), EVP_aes_256_ecb(), nullptr, key, nullptr, encrypt ? 1 : 0) !=
            1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1 ||
        EVP_CipherUpdate(ctx.get(), out.data(), &moved, block.data(),
                         static_cast<int>(block.size())) != 1)
        throw std::runtime_error("AES-256 unavailable");
    return out;
}

}  // namespace

std::array<std::uint8_t, kCipherUnit> decipherRequest(std::span<const std::uint8_t> data) {
    return aesEcb(kRequestKeyText, data, false);
}
std::array<std::uint8_t, kCipherUnit> encipherReply(std::span<const std::uint8_t> frame) {
    return aesEcb(kReplyKeyText, frame, true);
}
std::array<std::uint8_t, kCipherUnit> encipherRequest(std::span<const std::uint8_t> payload) {
    return aesEcb(kRequestKeyText, payload, true);
}
std::array<std::uint8_t, kCipherUnit> decipherReply(std::span<const std::uint8_t> data) {
    return aesEcb(kReplyKeyText, data, false);
}

std::array<std::uint8_t, 16> md5(std::string_view text) {
    std::array<std::uint8_t, 16> digest{};
    unsigned int length = 0;
    if (EVP_Digest(text.data(), text.size(), digest.data(), &length, EVP_md5(), nullptr) != 1)
        throw std::runtime_error("MD5 unavailable");
    return digest;
}

}  // namespace camsim::model
