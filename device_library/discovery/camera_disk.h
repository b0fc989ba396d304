// Whether a drive letter stands for a camera's disk, as the storage list decides it.
#pragma once

namespace petrel {

// True when the letter is mapped and its disk answers the camera's model query.
bool IsCameraDisk(char letter);

}  // namespace petrel
