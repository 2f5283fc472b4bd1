#include "core/atomic_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace fs = std::filesystem;

namespace {

// A link is replaced through its target, so the link itself survives the save.
std::string resolvedPath(const std::string& path)
{
    std::error_code ec;
    const fs::path real = fs::canonical(path, ec);
    return ec ? path : real.string();
}

// A file without any write bit counts as read-only also for a privileged user, who could
// otherwise replace it.
bool isWritableFile(const struct stat& status, const std::string& path)
{
    return S_ISREG(status.st_mode) && (status.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

mode_t defaultFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

AtomicFile::AtomicFile(std::string path)
    : m_path(resolvedPath(path))
{
}

AtomicFile::~AtomicFile()
{
    discard();
}

bool AtomicFile::open()
{
    struct stat old {};
    const bool exists = ::stat(m_path.c_str(), &old) == 0;
    if (exists && !isWritableFile(old, m_path)) {
        errno = S_ISDIR(old.st_mode) ? EISDIR : EACCES;
        return false;
    }

    const fs::path target(m_path);
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    m_tempPath = name.data();

    const mode_t mode = exists ? (old.st_mode & 07777) : defaultFileMode();
    bool ok = ::fchmod(fd, mode) == 0;
    if (ok && exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        // Only possible with the right privileges; a new owner is no reason to fail.
        [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    }
    m_file = ok ? ::fdopen(fd, "wb") : nullptr;
    if (!m_file) {
        ::close(fd);
        discard();
        return false;
    }
    return true;
}

bool AtomicFile::write(std::string_view bytes)
{
    if (!m_file || m_failed)
        return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        m_failed = true;
    return !m_failed;
}

bool AtomicFile::commit()
{
    if (!m_file || m_failed) {
        discard();
        return false;
    }
    const bool written = std::fflush(m_file) == 0 && ::fsync(::fileno(m_file)) == 0;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!written || !closed || ::rename(m_tempPath.c_str(), m_path.c_str()) != 0) {
        discard();
        return false;
    }
    m_tempPath.clear();
    return true;
}

void AtomicFile::discard()
{
    // The cleanup keeps the reason of the failure that called for it.
    const int reason = errno;
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
    errno = reason;
}

} // namespace core
