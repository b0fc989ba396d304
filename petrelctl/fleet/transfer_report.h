// How far a camera's copy has come: files, bytes and the rate, as a step for the parent's
// progress board, or on a terminal when petrelctl runs alone; a few times a second at most.
#pragma once

#include <chrono>
#include <memory>
#include <vector>

#include "fleet/progress_board.h"
#include "io/output.h"
#include "offload/tree_copy.h"

namespace petrelctl {

class TransferReport {
public:
    TransferReport();

    void Show(const CopyProgress& progress);

    // The files and bytes copied and the rate, as result fields.
    void Totals(const std::vector<CopiedFile>& files, Output& output) const;

private:
    double Seconds() const;
    std::chrono::steady_clock::time_point start_, shown_{};
    std::unique_ptr<ProgressBoard> board_;  // alone on a terminal
};

}  // namespace petrelctl
