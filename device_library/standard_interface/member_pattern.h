// The common member pattern of the standard-interface family: every member
// but Init_Device and Uninit_Device is RunMember, through one of the helpers below,
// around the connection-based export(s) it wraps.
#pragma once

#include <cstdint>

#include "petrel.h"
#include "standard_interface/library_state.h"

namespace petrel::zfy {

enum class Gate { kNone, kPassword };

// ZFY_RESULT_NO_CONNECTION, the current connection, the gate; then `failure` is written
// and `wrapped(connection)` runs the wrapped export(s), returning their status. It
// converts outputs only once all of them returned STATUS_OK; then `success` is written.
template <class Wrapped>
ZfyBool RunMember(Gate gate, const char* password, uint16_t* result, Wrapped&& wrapped,
                  uint16_t success, uint16_t failure) {
    WriteResult(result, ZFY_RESULT_NO_CONNECTION);
    DeviceConnection* connection = CurrentConnection();
    if (connection == nullptr) return ZFY_FALSE;
    if (gate == Gate::kPassword && !PassGate(connection, password)) {
        WriteResult(result, ZFY_RESULT_PASSWORD_REFUSED);
        return ZFY_FALSE;
    }
    WriteResult(result, failure);
    if (wrapped(connection) != STATUS_OK) return ZFY_FALSE;
    WriteResult(result, success);
    return ZFY_TRUE;
}

template <class Wrapped>
ZfyBool RunUngated(uint16_t* result, Wrapped&& wrapped, uint16_t success = ZFY_RESULT_SUCCESS,
                   uint16_t failure = ZFY_RESULT_NO_CONNECTION) {
    return RunMember(Gate::kNone, nullptr, result, wrapped, success, failure);
}

// Only the clock and mass-storage members have a failure code of their own.
template <class Wrapped>
ZfyBool RunGated(const char* password, uint16_t* result, Wrapped&& wrapped,
                 uint16_t success = ZFY_RESULT_SUCCESS,
                 uint16_t failure = ZFY_RESULT_NO_CONNECTION) {
    return RunMember(Gate::kPassword, password, result, wrapped, success, failure);
}

// Members that hand their single argument straight to Export(connection, argument).
template <auto Export, class Argument>
ZfyBool PassUngated(Argument argument, uint16_t* result) {
    return RunUngated(
        result, [argument](DeviceConnection* connection) { return Export(connection, argument); });
}

template <auto Export, class Argument>
ZfyBool PassGated(Argument argument, const char* password, uint16_t* result) {
    return RunGated(password, result, [argument](DeviceConnection* connection) {
        return Export(connection, argument);
    });
}

}  // namespace petrel::zfy
