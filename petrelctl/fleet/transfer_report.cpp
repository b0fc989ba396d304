#include "fleet/transfer_report.h"

#include <unistd.h>

#include <cstdio>

#include "fleet/progress.h"

namespace petrelctl {
namespace {

constexpr std::chrono::milliseconds kInterval{250};
constexpr double kMebibyte = 1024.0 * 1024.0;

std::string Rate(std::uint64_t bytes, double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB/s", seconds > 0 ? bytes / kMebibyte / seconds : 0.0);
    return text;
}

}  // namespace

TransferReport::TransferReport() : start_(std::chrono::steady_clock::now()) {
    if (!Listened() && isatty(STDERR_FILENO) != 0) board_ = std::make_unique<ProgressBoard>(1);
}

double TransferReport::Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void TransferReport::Show(const CopyProgress& progress) {
    const auto now = std::chrono::steady_clock::now();
    const bool last = progress.filesDone == progress.files;
    if (!last && now - shown_ < kInterval) return;
    shown_ = now;
    char text[160];
    std::snprintf(text, sizeof text, "copying: %llu/%llu files, %.1f of %.1f MiB, ",
                  static_cast<unsigned long long>(progress.filesDone),
                  static_cast<unsigned long long>(progress.files), progress.bytesDone / kMebibyte,
                  progress.bytes / kMebibyte);
    const std::string line = text + Rate(progress.bytesDone, Seconds());
    if (board_ && board_->Live())
        board_->Report(0, line);
    else
        ReportStep(line);
}

void TransferReport::Totals(const std::vector<CopiedFile>& files, Output& output) const {
    std::uint64_t bytes = 0;
    for (const auto& file : files) bytes += file.size;
    output.Field("files", static_cast<long long>(files.size()));
    output.Field("bytes", static_cast<long long>(bytes));
    const double seconds = Seconds();
    output.Value("bytes per second",
                 std::to_string(seconds > 0 ? static_cast<long long>(bytes / seconds) : 0),
                 Rate(bytes, seconds));
}

}  // namespace petrelctl
