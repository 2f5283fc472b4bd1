#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include <sys/stat.h>

namespace core {

// What tells one state of a file on disk from another without reading it: the file it is
// (device and inode), its size and its last-write time to the nanosecond. A write by
// another program, in place or by replacing the file, changes at least one of them.
struct DiskStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::filesystem::file_time_type written {};

    static DiskStamp fromStatus(const struct stat& status);
    // The stamp of the file at path (symbolic links followed); none when it cannot be read
    // or is no ordinary file.
    static std::optional<DiskStamp> of(const std::string& path);

    bool operator==(const DiskStamp&) const = default;
};

} // namespace core
