// SHA-256 of a stream of bytes, by OpenSSL.
#pragma once

#include <cstddef>
#include <string>

struct evp_md_ctx_st;

namespace petrelctl {

class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const void* data, std::size_t size);
    // The digest in lowercase hexadecimal, as sha256sum writes it; ends the stream.
    std::string Hex();

private:
    evp_md_ctx_st* context_;
};

// The digest of `text`.
std::string Sha256Of(const std::string& text);

}  // namespace petrelctl
