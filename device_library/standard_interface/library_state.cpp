// One instance per loaded library, unguarded: callers serialise all calls.
#include "standard_interface/library_state.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>

#include "transport/connection.h"

namespace petrel::zfy {
namespace {

constexpr int kGateClosed = -1;

struct LibraryState {
    DeviceConnection* current = nullptr;
    int rememberedLevel = kGateClosed;
    char rememberedPassword[32] = {};
};

LibraryState state;

// Zeroes through a volatile pointer so the stores are not dropped as dead.
void Wipe(char* bytes, size_t size) {
    volatile char* cursor = bytes;
    for (size_t i = 0; i < size; ++i) cursor[i] = 0;
}

void ForgetPassword() { Wipe(state.rememberedPassword, sizeof state.rememberedPassword); }

}  // namespace

DeviceConnection* CurrentConnection() {
    // A handle closed behind the family's back is not kept as current.
    if (!IsLiveConnection(state.current)) state.current = nullptr;
    return state.current;
}

void ReplaceCurrentConnection(DeviceConnection* connection) {
    CloseDevice(state.current);
    state.current = connection;
}

void ResetGate() {
    ForgetPassword();
    state.rememberedLevel = kGateClosed;
}

void Remember(int level, const char* password) {
    static_assert(sizeof state.rememberedPassword > ZFY_REMEMBERED_PASSWORD_LENGTH);
    ForgetPassword();
    std::memcpy(state.rememberedPassword, password,
                strnlen(password, ZFY_REMEMBERED_PASSWORD_LENGTH));
    state.rememberedLevel = level;
}

int RememberedLevel() { return state.rememberedLevel; }

bool PassGate(DeviceConnection* connection, const char* password) {
    if (password == nullptr) return false;
    if (state.rememberedLevel != kGateClosed) {
        return std::strcmp(password, state.rememberedPassword) == 0;
    }
    for (const int level : {PETREL_USER_GENERAL, PETREL_USER_ADMINISTRATOR}) {
        if (VerifiPassword(connection, password, level) == STATUS_OK) {
            Remember(level, password);
            return true;
        }
    }
    return false;
}

}  // namespace petrel::zfy
