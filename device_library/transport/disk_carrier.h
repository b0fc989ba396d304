// The camera as a disk: vendor commands through SCSI pass-through, payloads enciphered.
#pragma once

#include <memory>

#include "transport/carrier.h"

namespace petrel {

// Opens the disk mapped to the drive letter; null when there is none or it cannot be opened.
std::unique_ptr<Carrier> OpenDiskCarrier(char letter);

}  // namespace petrel
