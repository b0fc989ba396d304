#include "connection_key.h"

#include "cipher.h"

namespace camsim::model {

std::string modelCodeOf(std::string_view modelId) {
    const auto underscore = modelId.find('_');
    const auto code =
        underscore == std::string_view::npos ? modelId : modelId.substr(underscore + 1);
    return std::string(code.substr(0, 15));
}

Bytes6 deriveConnectionKey(std::string_view password, std::string_view modelCode, int level) {
    const auto digest = md5(std::string(password) + std::string(modelCode) + std::to_string(level));
    constexpr char kHex[] = "0123456789ABCDEF";
    std::array<char, 16> hex{};
    for (int i = 0; i < 8; ++i) {
        hex[2 * i] = kHex[digest[4 + i] >> 4];
        hex[2 * i + 1] = kHex[digest[4 + i] & 0x0F];
    }
    Bytes6 key{};
    for (std::size_t i = 0; i < key.size(); ++i)
        key[i] = static_cast<std::uint8_t>(hex[i] ^ hex[i + 8]);
    return key;
}

void applyMask(std::span<std::uint8_t> field, const Bytes6& key) {
    for (std::size_t i = 0; i < key.size() && i < field.size(); ++i) field[i] ^= key[i];
}

}  // namespace camsim::model
