// Any bytes at all can be read, and a read that runs out of memory changes nothing.
// Which lines are skipped the golden files show.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "ini_file.h"

namespace {

// Armed, the n-th allocation from now fails as if memory had run out.
long failAfter = -1;
bool failed = false;

}  // namespace

void* operator new(std::size_t size) {
    if (failAfter == 0) {
        failAfter = -1;
        failed = true;
        throw std::bad_alloc();
    }
    if (failAfter > 0) --failAfter;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(Malformed, ArbitraryBytesNeverBreakTheReader) {
    std::string noise;
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 7919) % 256);
    CIniFile document;
    document.Parse(noise);
    document.Parse(std::string("\xEF\xBB\xBF", 3));
    document.Parse(std::string("[A]\nk=\0v\n", 9));
    (void)document.BuildText();
    SUCCEED();
}

TEST(Malformed, RunningOutOfMemoryWhileReadingLeavesTheDocumentAsItWas) {
    CIniFile document;
    document.Parse("[Old]\nk=v\n");
    const std::string before = document.BuildText();
    // Fail each allocation of the read in turn: none may leave a part behind.
    for (long n = 0; n < 40; ++n) {
        failAfter = n;
        failed = false;
        try {
            document.Parse("[New]\na=1\nb=2\n[Old]\nk2=w\n");
        } catch (const std::bad_alloc&) {
        }
        failAfter = -1;
        if (!failed) break;  // the read needed fewer allocations than n: it went through
        EXPECT_EQ(document.BuildText(), before) << "allocation " << n;
    }
}

}  // namespace
