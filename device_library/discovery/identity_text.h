// Copy rules for the identity texts the camera returns.
#pragma once

#include <cstddef>
#include <cstdint>

struct DeviceConnection;

namespace petrel {

// Copies at most n bytes, stops at the first zero, fills the rest of the n bytes with zeros.
void CopyAndFill(char* destination, const uint8_t* source, size_t n);

// Reads the model identifier and keeps its model code in the connection.
bool ReadModelCode(DeviceConnection* connection);

}  // namespace petrel
