// Payloads the library assembles from export arguments; callers never see them.
// Multi-byte numbers are byte arrays, written through the byte-order helpers.
#pragma once

#include <cstdint>
#include <cstring>

#include "commands/exchange.h"

namespace petrel {

#pragma pack(push, 1)

struct DeviceTimeWire {
    uint8_t yearSince1900[2];
    uint8_t month;
    uint8_t day;
    uint8_t hour;
    uint8_t minute;
    uint8_t second;
    uint8_t reserved;
};

struct PasswordPayload {
    uint8_t level;
    uint8_t result;  // verdict of a check: kPasswordAccepted, kPasswordLocked, else rejected
    uint8_t password[16];
};

struct IdentityPayload {
    uint8_t userId[16];    // first six bytes masked on write
    uint8_t deviceId[16];  // first six bytes masked on write
    uint8_t userName[32];
};

struct UnitPayload {
    uint8_t unitNumber[32];
    uint8_t unitName[32];
};

struct EncryptionPayload {
    uint8_t dataEncryption;
    uint8_t decryptionPlayback;
    uint8_t aesKey[32];
};

// The camera expects one zero byte after the encryption payload.
struct EncryptionRequest {
    EncryptionPayload settings;
    uint8_t zero;
};

struct KeyChunk {
    uint8_t lastChunk;
    uint8_t chunkIndex;
    uint8_t data[96];
};

struct LockPayload {
    uint8_t lockFlag;
    uint8_t ack;
    uint8_t lockPassword[16];
};

struct LedPayload {
    uint8_t led;
    uint8_t ledState;
    uint8_t blinkUnits[2];
};

struct BuzzerPayload {
    uint8_t rings;
    uint8_t reserved;
    uint8_t ringUnits[2];
};

struct DiskSpacePayload {
    uint8_t totalMb[4];
    uint8_t freeMb[4];
};

#pragma pack(pop)

static_assert(sizeof(DeviceTimeWire) == 8);
static_assert(sizeof(PasswordPayload) == 18);
static_assert(sizeof(IdentityPayload) == 64);
static_assert(sizeof(UnitPayload) == 64);
static_assert(sizeof(EncryptionPayload) == 34);
static_assert(sizeof(EncryptionRequest) == 35);
static_assert(sizeof(KeyChunk) == 98);
static_assert(sizeof(LockPayload) == 18);
static_assert(sizeof(LedPayload) == 4);
static_assert(sizeof(BuzzerPayload) == 4);
static_assert(sizeof(DiskSpacePayload) == 8);

constexpr uint8_t kPasswordAccepted = 1;
constexpr uint8_t kPasswordLocked = 0xFF;
constexpr uint8_t kLockAcknowledged = 1;

// Copies between a payload record and the exchange buffer (no aliasing through casts).
template <class Record>
Record ReadPayload(const Payload& payload) {
    static_assert(sizeof(Record) <= sizeof(Payload));
    Record record;
    std::memcpy(&record, payload.data(), sizeof record);
    return record;
}

template <class Record>
void WritePayload(Payload& payload, const Record& record) {
    static_assert(sizeof(Record) <= sizeof(Payload));
    std::memcpy(payload.data(), &record, sizeof record);
}

}  // namespace petrel
