#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace core {

// Writes a file under a temporary name beside it and renames it over the old one only when
// everything was written and flushed, so a failed save leaves the old file as it was. The new
// file keeps the old one's permission bits (and owner, where allowed). A read-only target is
// refused rather than replaced. After a failure errno holds its reason.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool open();
    bool write(std::string_view bytes);
    // Flushes, syncs and renames; false leaves the old file untouched.
    bool commit();

private:
    void discard();

    std::string m_path;        // the file to replace (symbolic links followed)
    std::string m_tempPath;
    std::FILE* m_file = nullptr;
    bool m_failed = false;
};

} // namespace core
