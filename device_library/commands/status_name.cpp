// Names of the status codes, for callers' messages and logs.
#include <iterator>

#include "petrel.h"

extern "C" {

PETREL_API const char* PetrelStatusName(int status) {
    static constexpr const char* kNames[] = {"STATUS_OK",
                                             "STATUS_FAILED",
                                             "STATUS_NO_CONNECTION",
                                             "STATUS_BAD_ARGUMENT",
                                             "STATUS_NOT_VERIFIED",
                                             "STATUS_VERSION_MISMATCH",
                                             "STATUS_PASSWORD_LOCKED",
                                             "STATUS_NOT_SUPPORTED"};
    if (status < 0 || status >= static_cast<int>(std::size(kNames))) return "STATUS_UNKNOWN";
    return kNames[status];
}

}  // extern "C"
