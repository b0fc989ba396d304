// The handles the library gave out and has not taken back. A caller's pointer is looked up
// here by its address alone before anything reads it, so a made-up or freed one is refused.
#pragma once

#include <cstddef>
#include <deque>
#include <new>
#include <unordered_set>

namespace petrel {

template <class Handle, void (*Free)(Handle*)>
class LiveSet {
public:
    LiveSet() = default;
    LiveSet(const LiveSet&) = delete;
    LiveSet& operator=(const LiveSet&) = delete;
    ~LiveSet() {
        for (Handle* handle : retired_) Free(handle);
    }

    // False when there is no memory to note it: the handle must then not be given out.
    bool Add(Handle* handle) noexcept {
        try {
            live_.insert(handle);
            return true;
        } catch (const std::bad_alloc&) {
            return false;
        }
    }

    bool Contains(const Handle* handle) const {
        return handle != nullptr && live_.count(handle) != 0;
    }

    // Takes a live handle back. Its memory is freed only after kRetiredKept later retirements,
    // so a handle given out soon after does not get the address of one a caller may still
    // hold (and close or use again by mistake): that pointer stays unknown meanwhile.
    void Retire(Handle* handle) noexcept {
        live_.erase(handle);
        try {
            retired_.push_back(handle);
        } catch (const std::bad_alloc&) {
            Free(handle);
            return;
        }
        if (retired_.size() > kRetiredKept) {
            Free(retired_.front());
            retired_.pop_front();
        }
    }

    static constexpr size_t kRetiredKept = 64;

private:
    std::unordered_set<const Handle*> live_;
    std::deque<Handle*> retired_;
};

}  // namespace petrel
