// What the camera received, kept for tests; bounded so a long run cannot grow it without end.
#pragma once

#include <camsim/types.h>

#include <deque>

namespace camsim::model {

class RequestLog {
public:
    static constexpr std::size_t kCapacity = 4096;

    void add(LoggedRequest entry) {
        if (entries_.size() == kCapacity) entries_.pop_front();
        entries_.push_back(std::move(entry));
    }
    std::vector<LoggedRequest> entries() const { return {entries_.begin(), entries_.end()}; }
    void clear() { entries_.clear(); }

private:
    std::deque<LoggedRequest> entries_;
};

}  // namespace camsim::model
