// The way frames reach one camera, chosen when the connection is opened. Code above this
// interface asks which kind it holds only where the two kinds behave differently on purpose.
#pragma once

#include <cstddef>
#include <cstdint>

namespace petrel {

enum class CarrierKind { kUsb, kDisk };

constexpr size_t kParameterBytes = 10;

// Destroying a carrier closes it.
class Carrier {
public:
    virtual ~Carrier() = default;
    virtual CarrierKind Kind() const = 0;

    // parameter: the command-block bytes the disk carries (null for zeros); USB has none.
    // True when the request went out and, on the disk, the camera took it.
    virtual bool Send(uint16_t command, const uint8_t* parameter, const uint8_t* payload,
                      size_t length) = 0;

    // True when a valid reply for `command` arrived and min(capacity, its payload) bytes
    // went to out; out is untouched otherwise.
    virtual bool Receive(uint16_t command, const uint8_t* parameter, uint8_t* out,
                         size_t capacity) = 0;
};

}  // namespace petrel
