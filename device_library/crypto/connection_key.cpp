#include <openssl/evp.h>

#include <algorithm>

#include <cstring>
#include <string>

#include "crypto/cipher.h"

namespace petrel {

void DeriveConnectionKey(const char* password, size_t passwordLength, const char* modelCode,
                         int level, uint8_t* key) {
    std::string text(password, strnlen(password, std::min(passwordLength, kMaskedTextLimit)));
    text += modelCode;
    text += std::to_string(level);

    unsigned char digest[EVP_MAX_MD_SIZE] = {};
    unsigned int digestLength = 0;
    EVP_Digest(text.data(), text.size(), digest, &digestLength, EVP_md5(), nullptr);

    static constexpr char kHex[] = "0123456789ABCDEF";
    char hex[16];
    for (int i = 0; i < 8; ++i) {
        hex[2 * i] = kHex[digest[4 + i] >> 4];
        hex[2 * i + 1] = kHex[digest[4 + i] & 0x0F];
    }
    for (size_t i = 0; i < kConnectionKeyLength; ++i) {
        key[i] = static_cast<uint8_t>(hex[i] ^ hex[i + 8]);
    }
}

void ScrambleField(const char* text, const uint8_t* key, uint8_t* field) {
    const size_t length = strnlen(text, kMaskedTextLimit);
    for (size_t i = 0; i < kConnectionKeyLength; ++i) {
        const uint8_t plain = i < length ? static_cast<uint8_t>(text[i]) : 0;
        field[i] = plain ^ key[i];
    }
    for (size_t i = kConnectionKeyLength; i < length; ++i) field[i] = static_cast<uint8_t>(text[i]);
}

}  // namespace petrel
