#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include <sys/stat.h>

namespace core {

// Writes a file so that a failed save leaves the old one as it was. An ordinary file is
// written under a temporary name beside it and renamed over the old one only when
// everything was written and flushed; the new file keeps the old one's permission bits
// (and owner, where allowed). A file with more than one hard link is written in place,
// so that every name keeps showing it, after a complete copy of its old contents was
// flushed beside it; a failure puts the old contents back from that copy, and the copy is
// removed once it is not needed. A read-only target is refused rather than replaced. After
// a failure errno holds its reason.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool open();
    bool write(std::string_view bytes);
    // Flushes and syncs what was written, the long part of the end, which may run on
    // another thread than the commit; the old file is as it was.
    bool finish();
    // Finishes when not yet done, then renames (or ends the write in place); false leaves
    // the old file untouched.
    bool commit();

private:
    bool openTemporary(const struct stat* old);
    bool openInPlace();
    // Flushes, syncs and closes the file being written.
    bool finishWriting();
    void discard();
    void restoreFromBackup();

    std::string m_path;        // the file to replace (symbolic links followed)
    std::string m_tempPath;    // the new contents, while they are written beside the file
    std::string m_backupPath;  // the old contents, while the file is written in place
    timespec m_oldTimes[2] {}; // the access and write times of the file written in place
    std::FILE* m_file = nullptr;
    bool m_failed = false;
    bool m_finished = false;
};

} // namespace core
