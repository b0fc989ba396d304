// The model code a connection keeps from connect time: its password keys derive from it.
#pragma once

struct DeviceConnection;

namespace petrel {

// Reads the model identifier and keeps the text after its first underscore.
bool ReadModelCode(DeviceConnection* connection);

}  // namespace petrel
