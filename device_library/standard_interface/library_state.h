// The standard-interface family's library-wide state: the current connection and the
// password gate (remembered level and password). Only this family touches it.
#pragma once

#include <cstdint>

#include "petrel.h"

namespace petrel::zfy {

inline void WriteResult(uint16_t* result, uint16_t code) {
    if (result != nullptr) *result = code;
}

// The connection every member works on, or null (also once it is no longer live).
DeviceConnection* CurrentConnection();

// Closes the current connection (as CloseDevice does) and makes `connection` current.
void ReplaceCurrentConnection(DeviceConnection* connection);

// Forgets the accepted password (wiped) and sets the remembered level back to -1.
void ResetGate();

// The gate accepted `password` at `level`: remembers the level and the password's first
// ZFY_REMEMBERED_PASSWORD_LENGTH characters in place of the old (wiped) ones.
void Remember(int level, const char* password);

// Level the gate accepted, -1 before that.
int RememberedLevel();

// True when the gate lets `password` through on `connection`: before a first acceptance
// the camera checks it as general user, then as administrator; afterwards it is compared
// with the remembered text alone.
bool PassGate(DeviceConnection* connection, const char* password);

}  // namespace petrel::zfy
