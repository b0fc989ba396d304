// Arbitrary bytes as a language file: reading it, looking a key up and writing it
// back must never crash nor touch memory out of bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CIniFile document;
    document.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    (void)document.GetString(u"S", u"k", u"default");
    CIniFile again;
    again.Parse(document.BuildText());
    return 0;
}
