// What an offload leaves beside the copies: SHA256SUMS for sha256sum -c and a JSON
// manifest, both written last; or, when it failed, an INCOMPLETE note and no manifest.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "offload/copy_failure.h"

namespace petrelctl {

struct ManifestSource {
    std::string serial, barCode, model, firmware;
    std::chrono::system_clock::time_point time;  // when the offload started
};

// Writes SHA256SUMS then manifest.json into `folder`, each durable before the next;
// the manifest's own SHA-256, or nothing with `failure` set.
std::optional<std::string> WriteManifest(const std::string& folder, const ManifestSource& source,
                                         const std::vector<CopiedFile>& files,
                                         CopyFailure& failure);

// Leaves INCOMPLETE in `folder`, saying why the copies beside it are not to be trusted.
void MarkIncomplete(const std::string& folder, const CopyFailure& why);

// "20261207T231500Z": an offload's folder name.
std::string FolderTime(std::chrono::system_clock::time_point time);

}  // namespace petrelctl
