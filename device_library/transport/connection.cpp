#include "transport/connection.h"

#include <openssl/crypto.h>

#include <new>

#include "transport/live_set.h"

namespace petrel {
namespace {

void DeleteConnection(DeviceConnection* connection) { delete connection; }

// Library-wide, like every other piece of state: callers serialise all calls.
LiveSet<DeviceConnection, DeleteConnection>& LiveConnections() {
    static LiveSet<DeviceConnection, DeleteConnection> live;
    return live;
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
    connection->carrier.reset();
    // The connection key is derived from a password.
    OPENSSL_cleanse(connection->connectionKey, sizeof connection->connectionKey);
    LiveConnections().Retire(connection);
}

bool IsLiveConnection(const DeviceConnection* connection) {
    return LiveConnections().Contains(connection);
}

}  // namespace petrel
