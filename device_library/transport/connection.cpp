#include "transport/connection.h"

#include <openssl/crypto.h>

#include <new>

namespace petrel {

DeviceConnection* NewConnection(std::unique_ptr<Carrier> carrier) {
    if (carrier == nullptr) return nullptr;
    auto* connection = new (std::nothrow) DeviceConnection;
    if (connection != nullptr) connection->carrier = std::move(carrier);
    return connection;
}

void FreeConnection(DeviceConnection* connection) {
    connection->carrier.reset();
    // The connection key is derived from a password.
    OPENSSL_cleanse(connection->connectionKey, sizeof connection->connectionKey);
    delete connection;
}

}  // namespace petrel
