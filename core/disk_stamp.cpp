#include "core/disk_stamp.h"

#include <chrono>

namespace core {

DiskStamp DiskStamp::fromStatus(const struct stat& status)
{
    using namespace std::chrono;
    const sys_time<nanoseconds> written { seconds(status.st_mtim.tv_sec) + nanoseconds(status.st_mtim.tv_nsec) };
    return {
        .device = static_cast<std::uint64_t>(status.st_dev),
        .inode = static_cast<std::uint64_t>(status.st_ino),
        .size = static_cast<std::int64_t>(status.st_size),
        .written = file_clock::from_sys(written),
    };
}

std::optional<DiskStamp> DiskStamp::of(const std::string& path)
{
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return fromStatus(status);
}

} // namespace core
