// A camera's storage as a folder to read: where this computer mounted it already, else
// mounted read-only here (as root at a private mount point; as a desktop user by UDisks2,
// the desktop's own mounter) and unmounted again when this ends.
#pragma once

#include <optional>
#include <string>

namespace petrelctl {

class DiskMount {
public:
    // The file system of camera disk `drive`; nothing, with `problem` saying why, when it
    // is not mounted and cannot be.
    static std::optional<DiskMount> Of(char drive, std::string& problem);

    ~DiskMount();
    DiskMount(DiskMount&& other) noexcept;
    DiskMount(const DiskMount&) = delete;
    DiskMount& operator=(const DiskMount&) = delete;
    DiskMount& operator=(DiskMount&&) = delete;

    const std::string& Folder() const { return folder_; }

    // Unmounts the camera's storage, whoever mounted it; false with `problem` when a file
    // system of it stays mounted.
    bool Release(std::string& problem);

private:
    enum class Owner { kOther, kPrivate, kDesktop };
    DiskMount(char drive, std::string folder, Owner owner, std::string node)
        : drive_(drive), folder_(std::move(folder)), owner_(owner), node_(std::move(node)) {}
    char drive_;
    std::string folder_;
    Owner owner_;
    std::string node_;  // the block node mounted here
};

}  // namespace petrelctl
