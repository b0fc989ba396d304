#include "test_support.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "ini_file.h"

namespace language_test {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vireo-language-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::size_t TempDir::EntryCount() const {
    auto entries = std::filesystem::directory_iterator(m_path);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string Normalise(std::string_view text) {
    CIniFile document;
    document.Parse(text);
    return document.BuildText();
}

}  // namespace language_test
