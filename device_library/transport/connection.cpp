#include "transport/connection.h"

#include <openssl/crypto.h>

#include <deque>
#include <new>

#include "transport/live_set.h"

namespace petrel {
namespace {

// Library-wide, like every other piece of state: callers serialise all calls.
LiveSet<DeviceConnection>& LiveConnections() {
    static LiveSet<DeviceConnection> live;
    return live;
}

// Closed records keep their memory for the next kRetiredKept closes, so a connection
// opened soon after does not get the address of one a caller may still hold (and close or
// use again by mistake): that handle stays unknown instead of naming the new connection.
constexpr size_t kRetiredKept = 64;

std::deque<std::unique_ptr<DeviceConnection>>& Retired() {
    static std::deque<std::unique_ptr<DeviceConnection>> retired;
    return retired;
}

void Retire(DeviceConnection* connection) {
    auto& retired = Retired();
    try {
        retired.emplace_back(connection);
    } catch (const std::bad_alloc&) {
        delete connection;
        return;
    }
    if (retired.size() > kRetiredKept) retired.pop_front();
}

}  // namespace

DeviceConnection* NewConnection(std::unique_ptr<Carrier> carrier) {
    if (carrier == nullptr) return nullptr;
    auto* connection = new (std::nothrow) DeviceConnection;
    if (connection == nullptr) return nullptr;
    if (!LiveConnections().Add(connection)) {
        delete connection;
        return nullptr;
    }
    connection->carrier = std::move(carrier);
    return connection;
}

void FreeConnection(DeviceConnection* connection) {
    LiveConnections().Remove(connection);
    connection->carrier.reset();
    // The connection key is derived from a password.
    OPENSSL_cleanse(connection->connectionKey, sizeof connection->connectionKey);
    Retire(connection);
}

bool IsLiveConnection(const DeviceConnection* connection) {
    return LiveConnections().Contains(connection);
}

}  // namespace petrel
