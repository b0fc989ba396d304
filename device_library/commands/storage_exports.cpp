// The camera's storage: space, lock, format, and leaving the command interface for it.
#include <cstddef>

#include "commands/exchange.h"
#include "commands/payloads.h"
#include "commands/record_codec.h"
#include "petrel.h"
#include "platform/volume.h"
#include "transport/byte_order.h"
#include "transport/connection.h"
#include "transport/disk_carrier.h"

namespace {

using petrel::CommandId;

constexpr int kBytesPerMbShift = 20;

// A mounted camera disk knows its own figures better than the camera's answer.
bool AskTheSystem(const DeviceConnection* connection, uint32_t* totalMb, uint32_t* freeMb) {
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0;
    if (!petrel::platform::DiskSpaceOf(static_cast<char>(connection->driveLetter), totalBytes,
                                       freeBytes)) {
        return false;
    }
    *totalMb = static_cast<uint32_t>(totalBytes >> kBytesPerMbShift);
    *freeMb = static_cast<uint32_t>(freeBytes >> kBytesPerMbShift);
    return true;
}

petrel::Payload LockRequest(uint8_t lockFlag) {
    petrel::LockPayload request{};
    request.lockFlag = lockFlag;
    request.ack = petrel::kLockAcknowledged;
    petrel::Payload payload{};
    petrel::WritePayload(payload, request);
    return payload;
}

bool Acknowledged(const petrel::Payload& payload) {
    return petrel::ReadPayload<petrel::LockPayload>(payload).ack == petrel::kLockAcknowledged;
}

bool OnDisk(const DeviceConnection* connection) {
    return connection->carrier->Kind() == petrel::CarrierKind::kDisk;
}

// The camera's file system changed under the open volume, so it is opened afresh.
void ReopenVolume(DeviceConnection* connection) {
    if (!OnDisk(connection)) return;
    connection->carrier.reset();
    connection->carrier = petrel::OpenDiskCarrier(static_cast<char>(connection->driveLetter));
}

}  // namespace

extern "C" {

PETREL_API int GetDiskSpaceInfo(DeviceConnection* connection, uint32_t* totalMb, uint32_t* freeMb) {
    if (const int status = petrel::CheckGuards(connection, CommandId::kGetDiskSpaceInfo,
                                               totalMb != nullptr && freeMb != nullptr);
        status != STATUS_OK) {
        return status;
    }
    if (OnDisk(connection) && AskTheSystem(connection, totalMb, freeMb)) {
        return STATUS_OK;
    }
    petrel::Payload payload{};
    if (petrel::Exchange(connection, CommandId::kGetDiskSpaceInfo, payload) != STATUS_OK) {
        return STATUS_FAILED;
    }
    const auto space = petrel::ReadPayload<petrel::DiskSpacePayload>(payload);
    *totalMb = petrel::GetLittleEndian32(space.totalMb);
    *freeMb = petrel::GetLittleEndian32(space.freeMb);
    return STATUS_OK;
}

PETREL_API int GetLockMemoryState(DeviceConnection* connection, int32_t* state) {
    petrel::Payload payload = LockRequest(0);
    const int status =
        petrel::RunCommand(connection, CommandId::kGetLockMemoryState, state != nullptr, payload);
    if (status != STATUS_OK) return status;
    if (!Acknowledged(payload)) return STATUS_FAILED;
    *state = petrel::ReadPayload<petrel::LockPayload>(payload).lockFlag;
    return STATUS_OK;
}

PETREL_API int SetLockMemoryState(DeviceConnection* connection, int lock, const char* password) {
    petrel::Payload payload = LockRequest(lock != 0 ? 1 : 0);
    if (password != nullptr) {
        petrel::CopyText(payload.data() + offsetof(petrel::LockPayload, lockPassword), password,
                         sizeof petrel::LockPayload::lockPassword);
    }
    const int status = petrel::RunCommand(connection, CommandId::kSetLockMemoryState,
                                          password != nullptr, payload);
    if (status != STATUS_OK) return status;
    if (!Acknowledged(payload)) return STATUS_FAILED;
    ReopenVolume(connection);
    return STATUS_OK;
}

PETREL_API int FormatDisk(DeviceConnection* connection) {
    return petrel::RunWithoutArguments(connection, CommandId::kFormatDisk);
}

PETREL_API int SetMSCMode(DeviceConnection* connection) {
    return petrel::RunWithoutArguments(connection, CommandId::kSetMSCMode);
}

}  // extern "C"
