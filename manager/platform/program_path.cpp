#include "program_path.h"

#include <filesystem>
#include <system_error>

namespace platform {

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ProgramDirectory() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : DirectoryOf(self.string());
}

}  // namespace platform
