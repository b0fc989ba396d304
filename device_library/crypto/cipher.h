// Payload cipher of the disk carrier and the connection key derived from a password.
#pragma once

#include <cstddef>
#include <cstdint>

namespace petrel {

constexpr size_t kCipherUnit = 128;
constexpr size_t kConnectionKeyLength = 6;
constexpr size_t kMaskedTextLimit = 16;

// AES-256 in ECB over kCipherUnit bytes under a 32-byte key.
void AesEcb256(const uint8_t* key, bool encipher, const uint8_t* in, uint8_t* out);

// AES-256, eight independent 16-byte blocks, under the request key.
void EncipherRequest(const uint8_t* in, uint8_t* out);

// AES-256 inverse, eight independent 16-byte blocks, under the reply key.
void DecipherReply(const uint8_t* in, uint8_t* out);

// Six key bytes from MD5(password + modelCode + decimal level); password is at most 16 bytes.
void DeriveConnectionKey(const char* password, size_t passwordLength, const char* modelCode,
                         int level, uint8_t* key);

// Masks the first six bytes of text (at most 16 bytes, up to its first NUL) with key into
// field; bytes from max(length, 6) on are left as the caller had them.
void ScrambleField(const char* text, const uint8_t* key, uint8_t* field);

}  // namespace petrel
