// Opening a connection record on either carrier.
#pragma once

#include "discovery/connection.h"
#include "discovery/identity_text.h"

namespace petrel {

// Each returns a new record with the model code read, or null (nothing left open).
DeviceConnection* OpenUsbConnection(struct usb_device* device);
DeviceConnection* OpenDiskConnection(char letter);

void FreeConnection(DeviceConnection* connection);

}  // namespace petrel
