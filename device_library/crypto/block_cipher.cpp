#include <openssl/evp.h>

#include "crypto/cipher.h"

namespace petrel {
namespace {

// The camera's firmware holds the same two texts; only their first 32 bytes form each key.
constexpr char kRequestKeyText[] = "pkt_outbound_frame_cipher_text_material";
constexpr char kReplyKeyText[] = "pkt_inbound_frame_cipher_material_x";
static_assert(sizeof kRequestKeyText - 1 >= 32 && sizeof kReplyKeyText - 1 >= 32);

}  // namespace

// ECB without padding enciphers each 16-byte block on its own, exactly the camera's scheme.
void AesEcb256(const uint8_t* key, bool encipher, const uint8_t* in, uint8_t* out) {
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    int written = 0;
    const bool ready =
        context != nullptr &&
        EVP_CipherInit_ex(context, EVP_aes_256_ecb(), nullptr,
                          key, nullptr,
                          encipher ? 1 : 0) == 1 &&
        EVP_CIPHER_CTX_set_padding(context, 0) == 1 &&
        EVP_CipherUpdate(context, out, &written, in, static_cast<int>(kCipherUnit)) == 1;
    if (!ready) {
        // Garbage out fails the frame checks downstream instead of leaking stale bytes.
        for (size_t i = 0; i < kCipherUnit; ++i) out[i] = 0;
    }
    EVP_CIPHER_CTX_free(context);
}

void EncipherRequest(const uint8_t* in, uint8_t* out) {
    AesEcb256(reinterpret_cast<const uint8_t*>(kRequestKeyText), true, in, out);
}

void DecipherReply(const uint8_t* in, uint8_t* out) {
    AesEcb256(reinterpret_cast<const uint8_t*>(kReplyKeyText), false, in, out);
}

}  // namespace petrel
