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

constexpr std::size_t kCopyChunk = 1 << 20;

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

// A new hidden file beside path, open for writing; -1 when none could be made.
int createBeside(const std::string& path, std::string& created)
{
    const fs::path target(path);
    const std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd >= 0)
        created = name.data();
    return fd;
}

bool writeAll(int fd, const char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Copies every byte of the file at `from` over the file at `to`, and syncs it; with times,
// `to` is given them as its access and write times.
bool copyContents(const std::string& from, const std::string& to, int flags, const timespec* times = nullptr)
{
    const int source = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    const int target = ::open(to.c_str(), O_WRONLY | O_CLOEXEC | flags);
    bool ok = source >= 0 && target >= 0;
    std::vector<char> buffer(ok ? kCopyChunk : 0);
    while (ok) {
        const ssize_t got = ::read(source, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        ok = writeAll(target, buffer.data(), static_cast<std::size_t>(got));
    }
    ok = ok && (times == nullptr || ::futimens(target, times) == 0) && ::fsync(target) == 0;
    if (source >= 0)
        ::close(source);
    if (target >= 0 && ::close(target) != 0)
        ok = false;
    return ok;
}

// The copy's name in its folder must outlast a crash that comes while the file is rewritten.
bool syncFolderOf(const std::string& path)
{
    const int folder = ::open(fs::path(path).parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return false;
    const bool synced = ::fsync(folder) == 0;
    ::close(folder);
    return synced;
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
    // Replacing one name of a hard-linked file would part it from its other names.
    if (exists && old.st_nlink > 1) {
        m_oldTimes[0] = old.st_atim;
        m_oldTimes[1] = old.st_mtim;
        return openInPlace();
    }
    return openTemporary(exists ? &old : nullptr);
}

bool AtomicFile::openTemporary(const struct stat* old)
{
    const int fd = createBeside(m_path, m_tempPath);
    if (fd < 0)
        return false;
    const mode_t mode = old != nullptr ? (old->st_mode & 07777) : defaultFileMode();
    bool ok = ::fchmod(fd, mode) == 0;
    if (ok && old != nullptr && (old->st_uid != ::geteuid() || old->st_gid != ::getegid())) {
        // Only possible with the right privileges; a new owner is no reason to fail.
        [[maybe_unused]] const int ignored = ::fchown(fd, old->st_uid, old->st_gid);
    }
    m_file = ok ? ::fdopen(fd, "wb") : nullptr;
    if (!m_file) {
        ::close(fd);
        discard();
        return false;
    }
    return true;
}

bool AtomicFile::openInPlace()
{
    const int backup = createBeside(m_path, m_backupPath);
    if (backup < 0)
        return false;
    ::close(backup);
    const bool copied = copyContents(m_path, m_backupPath, 0) && syncFolderOf(m_backupPath);
    const int fd = copied ? ::open(m_path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC) : -1;
    if (fd < 0) {
        ::unlink(m_backupPath.c_str());
        m_backupPath.clear();
        return false;
    }
    m_file = ::fdopen(fd, "wb");
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

bool AtomicFile::finish()
{
    if (!m_file || m_failed || !finishWriting()) {
        m_failed = true;
        discard();
        return false;
    }
    m_finished = true;
    return true;
}

bool AtomicFile::commit()
{
    if (!m_finished && !finish())
        return false;
    if (!m_backupPath.empty()) {
        ::unlink(m_backupPath.c_str());
        m_backupPath.clear();
        return true;
    }
    if (::rename(m_tempPath.c_str(), m_path.c_str()) != 0) {
        discard();
        return false;
    }
    m_tempPath.clear();
    return true;
}

bool AtomicFile::finishWriting()
{
    const bool written = std::fflush(m_file) == 0 && ::fsync(::fileno(m_file)) == 0;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    return written && closed;
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
    if (!m_backupPath.empty())
        restoreFromBackup();
    errno = reason;
}

// The old bytes and times go back, so the file is as it was read also to a later check.
// When even the way back fails, the copy stays beside the file: nothing is lost.
void AtomicFile::restoreFromBackup()
{
    if (copyContents(m_backupPath, m_path, O_TRUNC, m_oldTimes))
        ::unlink(m_backupPath.c_str());
    m_backupPath.clear();
}

} // namespace core
