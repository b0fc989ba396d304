#include "transport/disk_carrier.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "crypto/cipher.h"
#include "platform/pass_through.h"
#include "platform/volume.h"
#include "transport/byte_order.h"
#include "transport/frame.h"

namespace petrel {
namespace {

constexpr uint8_t kWriteSignature[4] = {0xA3, 0xB2, 0xC1, 0xD0};
constexpr uint8_t kReadSignature[4] = {0xA7, 0xB6, 0xC5, 0xD4};

platform::PassThroughRequest MakeRequest(const uint8_t* signature, uint16_t command,
                                         const uint8_t* parameter,
                                         platform::DataDirection direction, uint8_t* data,
                                         uint32_t length) {
    platform::PassThroughRequest request;
    std::memcpy(request.commandBlock.data(), signature, 4);
    PutBigEndian16(request.commandBlock.data() + 4, command);
    if (parameter != nullptr) std::memcpy(request.commandBlock.data() + 6, parameter, 10);
    request.direction = length == 0 ? platform::DataDirection::kNone : direction;
    request.data = data;
    request.length = length;
    return request;
}

class DiskCarrier final : public Carrier {
public:
    explicit DiskCarrier(platform::VolumeHandle volume) : volume_(volume) {}
    ~DiskCarrier() override { platform::CloseVolume(volume_); }
    DiskCarrier(const DiskCarrier&) = delete;
    DiskCarrier& operator=(const DiskCarrier&) = delete;

    CarrierKind Kind() const override { return CarrierKind::kDisk; }

    bool Send(uint16_t command, const uint8_t* parameter, const uint8_t* payload,
              size_t length) override {
        // Only 128 bytes are enciphered; a longer payload would go out with a clear tail.
        if (length > kCipherUnit) return false;
        uint8_t plain[kCipherUnit] = {};
        if (payload != nullptr && length > 0) std::memcpy(plain, payload, length);
        uint8_t data[kFrameBufferSize] = {};
        EncipherRequest(plain, data);
        const auto rounded = static_cast<uint32_t>((length + 15) / 16 * 16);
        auto request = MakeRequest(kWriteSignature, command, parameter,
                                   platform::DataDirection::kToDevice, data, rounded);
        // A camera that refuses the command answers CHECK CONDITION: that is no delivery.
        return platform::ExecutePassThrough(volume_, request) == platform::PassThroughResult::kGood;
    }

    bool Receive(uint16_t command, const uint8_t* parameter, uint8_t* out,
                 size_t capacity) override {
        uint8_t data[kFrameBufferSize] = {};
        auto request = MakeRequest(kReadSignature, command, parameter,
                                   platform::DataDirection::kFromDevice, data, kReplyReadLength);
        const bool good =
            platform::ExecutePassThrough(volume_, request) == platform::PassThroughResult::kGood;
        // Only the first 128 bytes are deciphered: a frame claiming more has an unreadable tail.
        const size_t received = good ? std::min<size_t>(request.length, kCipherUnit) : 0;
        uint8_t frame[kFrameBufferSize] = {};
        DecipherReply(data, frame);
        return AcceptReply(frame, received, command, out, capacity);
    }

private:
    platform::VolumeHandle volume_;
};

}  // namespace

std::unique_ptr<Carrier> OpenDiskCarrier(char letter) {
    platform::VolumeHandle volume = platform::OpenVolume(letter);
    if (!volume.IsOpen()) return nullptr;
    std::unique_ptr<Carrier> carrier(new (std::nothrow) DiskCarrier(volume));
    if (carrier == nullptr) platform::CloseVolume(volume);
    return carrier;
}

}  // namespace petrel
