// The handles the library gave out and has not taken back. A caller's pointer is looked up
// here by its address alone before anything reads it, so a made-up or freed one is refused.
#pragma once

#include <new>
#include <unordered_set>

namespace petrel {

template <class Handle>
class LiveSet {
public:
    // False when there is no memory to note it: the handle must then not be given out.
    bool Add(const Handle* handle) noexcept {
        try {
            handles_.insert(handle);
            return true;
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    void Remove(const Handle* handle) noexcept { handles_.erase(handle); }
    bool Contains(const Handle* handle) const {
        return handle != nullptr && handles_.count(handle) != 0;
    }

private:
    std::unordered_set<const Handle*> handles_;
};

}  // namespace petrel
