// The connection key the camera derives on an accepted password, and the
// masking it undoes on password and identity fields.
#pragma once

#include <camsim/camera_state.h>

#include "bytes.h"

namespace camsim::model {

// Text after the first '_' of the model identifier (all of it when there is none),
// cut to the 15 characters the host's model-code field can hold.
std::string modelCodeOf(std::string_view modelId);

Bytes6 deriveConnectionKey(std::string_view password, std::string_view modelCode, int level);

// XORs the first six bytes of a field with the key (masking and unmasking alike).
void applyMask(std::span<std::uint8_t> field, const Bytes6& key);

}  // namespace camsim::model
