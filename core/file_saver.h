#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/atomic_file.h"
#include "core/row_map.h"
#include "core/text_options.h"
#include "core/work_progress.h"

namespace core {

class LineFile;

struct SaveOptions {
    bool useTab = false;   // runs of tabSize blanks go back to tabs
    int tabSize = 0;
};

// Why a save wrote nothing, beyond errno.
struct SaveProblem {
    std::int32_t unencodableLine = 0; // 1-based: the first line the encoding cannot hold
};

inline SaveOptions saveOptionsOf(const TextOptions& options)
{
    return {.useTab = options.useTab, .tabSize = options.tabSize};
}

// Writes the lines of rows 0 .. rowCount - 1 that show a line, in order, to path; virtual
// rows write nothing, and a piece of a long line runs on into the next line written, with no
// line end between. A line read from the file is written with its bytes and line end as read,
// a copied line with the bytes read from the other file, an edited line with its bytes and
// the line end of the line it was made from, a typed line as its text (tabs put back when
// options ask); lines the file did not have end with its first line's line end. The file
// ends as it did on disk. Everything is written in the file's encoding, with its BOM when it
// had one. The file is replaced atomically: false means that nothing on disk changed, and
// errno then tells why; EILSEQ when a line holds a character the encoding cannot, which
// problem then names.
bool saveRows(const LineFile& file, const RowMap& rows, std::int32_t rowCount, const std::string& path,
              const SaveOptions& options, SaveProblem* problem = nullptr);

// saveRows in two steps, so that the long one can run on another thread and be cancelled:
// write() puts the new contents beside the file (or, for a hard-linked file, in place with
// the old contents kept beside it) and flushes them; commit() then replaces the file. Until
// commit() nothing on disk is replaced, and a save dropped without commit() leaves the old
// file as it was.
class StagedSave {
public:
    explicit StagedSave(const std::string& path) : m_target(path) {}

    // With progress, the rows written so far are counted there (the caller starts its
    // phase), and a cancel stops the write: false, with errno ECANCELED.
    bool write(const LineFile& file, const RowMap& rows, std::int32_t rowCount, const SaveOptions& options,
               WorkProgress* progress = nullptr);
    bool commit() { return m_target.commit(); }
    // After a failed write for EILSEQ: the 1-based line the encoding cannot hold.
    std::int32_t unencodableLine() const { return m_unencodableLine; }

private:
    AtomicFile m_target;
    std::int32_t m_unencodableLine = 0;
};

} // namespace core
