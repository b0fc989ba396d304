// Faults armed by a test, and what they do to a reply frame.
#pragma once

#include <camsim/types.h>

#include <optional>

#include "bytes.h"

namespace camsim::model {

// The fault that strikes one exchange; lasting when it stays armed from then on.
struct Strike {
    std::optional<Fault> fault;
    bool lasting = false;
    bool is(Fault f) const { return fault == f; }
    bool damagesReply() const;
};

class FaultPlan {
public:
    void arm(Fault fault, unsigned exchange, FaultSpan span);
    void clear() { armed_.clear(); }
    // Counts one exchange and returns the fault that applies to it, if any.
    Strike next();

private:
    struct Armed {
        Fault fault;
        unsigned remaining;  // exchanges until it strikes; 1 = this one
        FaultSpan span;
    };
    std::vector<Armed> armed_;
};

// The reply frame as the fault makes it travel.
Bytes damageReply(Bytes frame, Fault fault);

}  // namespace camsim::model
