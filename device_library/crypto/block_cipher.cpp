#include <openssl/evp.h>

#include <mutex>

#include "crypto/cipher.h"

namespace petrel {
namespace {

// The camera's firmware holds the same two texts; only their first 32 bytes form each key.
constexpr char kRequestKeyText[] = "pkt_outbound_frame_cipher_text_material";
constexpr char kReplyKeyText[] = "pkt_inbound_frame_cipher_material_x";
static_assert(sizeof kRequestKeyText - 1 >= 32 && sizeof kReplyKeyText - 1 >= 32);

}  // namespace

// ECB without padding enciphers each 16-byte block on its own, exactly the camera's scheme,
// so one context serves any number of units without being set up again.
class EcbContext {
public:
    EcbContext(const uint8_t* key, bool encipher) : context_(EVP_CIPHER_CTX_new()) {
        ready_ = context_ != nullptr &&
                 EVP_CipherInit_ex(context_, EVP_aes_256_ecb(), nullptr, key, nullptr, encipher ? 1 : 0) == 1 &&
                 EVP_CIPHER_CTX_set_padding(context_, 0) == 1;
    }
    ~EcbContext() { EVP_CIPHER_CTX_free(context_); }
    EcbContext(const EcbContext&) = delete;
    EcbContext& operator=(const EcbContext&) = delete;

    void Run(const uint8_t* in, uint8_t* out) {
        int written = 0;
        if (!ready_ || EVP_CipherUpdate(context_, out, &written, in, static_cast<int>(kCipherUnit)) != 1) {
            // Garbage out fails the frame checks downstream instead of leaking stale bytes.
            for (size_t i = 0; i < kCipherUnit; ++i) out[i] = 0;
        }
    }

private:
    EVP_CIPHER_CTX* context_;
    bool ready_ = false;
};

void AesEcb256(const uint8_t* key, bool encipher, const uint8_t* in, uint8_t* out) {
    EcbContext(key, encipher).Run(in, out);
}

namespace {

// One context per direction for the life of the process, so an exchange allocates
// nothing; the lock keeps callers on several threads apart.
void RunShared(bool encipher, const uint8_t* in, uint8_t* out) {
    static std::mutex lock;
    static EcbContext request(reinterpret_cast<const uint8_t*>(kRequestKeyText), true);
    static EcbContext reply(reinterpret_cast<const uint8_t*>(kReplyKeyText), false);
    std::lock_guard guard(lock);
    (encipher ? request : reply).Run(in, out);
}

}  // namespace

void EncipherRequest(const uint8_t* in, uint8_t* out) { RunShared(true, in, out); }

void DecipherReply(const uint8_t* in, uint8_t* out) { RunShared(false, in, out); }

}  // namespace petrel
