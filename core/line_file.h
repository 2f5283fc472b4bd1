#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

#include "core/disk_forms.h"
#include "core/disk_stamp.h"
#include "core/line_record.h"
#include "core/recent_texts.h"
#include "core/record_store.h"
#include "core/text_encoding.h"
#include "core/text_options.h"
#include "core/text_store.h"
#include "core/work_progress.h"

namespace core {

// Why the last load failed.
enum class LoadProblem { None, NotFound, Folder, NoPermission, ReadError };

// Where a line came from, which decides how it is saved.
enum class LineOrigin {
    Read,   // read from this file: saved with its bytes and line end
    Copied, // copied from the other file (or pasted): saved with the bytes read there
    Edited, // a read or copied line edited: saved with its bytes and its own line end
    Typed,  // made in the program: saved as its text
};

// One file of the pair: its lines in file order, followed during editing by lines that
// edits appended. Records are only appended, overwritten by a reload, or destroyed with
// the file, because row maps refer to them by index.
class LineFile {
public:
    // The longest piece of a line that becomes one record.
    static constexpr std::size_t kPieceSize = 4998;

    LineFile() = default;
    LineFile(LineFile&&) noexcept = default;
    LineFile& operator=(LineFile&&) noexcept = default;
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;

    // Number of lines; records at count() and above are not lines of the file.
    std::int32_t count() const { return m_count; }
    // The record at index, or null outside 0 .. count() - 1.
    const LineRecord* lineAt(std::int32_t index) const
    {
        return index < 0 || index >= m_count ? nullptr : &m_lines[static_cast<std::size_t>(index)];
    }
    LineRecord* lineAt(std::int32_t index)
    {
        return index < 0 || index >= m_count ? nullptr : &m_lines[static_cast<std::size_t>(index)];
    }

    // Room for records: the file length / 20 (at least 10) when loading, raised by 500
    // whenever the loader runs out, count() + 100 after appendLine. The storage itself
    // grows geometrically; records in the room beyond the stored ones are empty.
    std::int32_t size() const { return m_size; }

    // Every line that is appended gets its text built with options, as load builds it.
    // Sets the room to count() + 100, builds the record at count() from text (tabs
    // expanded to tabSize blanks, trailing white space removed, key and hash built, state
    // Same, no partner) and makes it a typed line; returns its index. A piece of a long line
    // (continues) keeps its trailing white space.
    std::int32_t appendLine(std::string_view text, const TextOptions& options, bool continues = false);
    // Appends the line at index with its text changed to text. A read, copied or edited line
    // keeps its bytes outside the stretch that changed, its line end and whether it
    // continues (see editedBytes); only the new stretch is written with runs of
    // options.typedTabSize() blanks as tabs. A typed line stays typed.
    std::int32_t appendEdit(std::int32_t index, std::string_view text, const TextOptions& options);
    // Appends a copy of the line at index of `from` (a typed line stays typed). With
    // keepPiece, a piece of a long line stays a piece that saving joins with its rest.
    std::int32_t appendCopy(const LineFile& from, std::int32_t index, bool keepPiece, const TextOptions& options);
    // Appends a line given as its bytes without a line end (a pasted line): its text is
    // built as a read line's, and saving writes the bytes as they are.
    std::int32_t appendVerbatim(std::string_view bytes, const TextOptions& options);

    // Reads the file at path in the encoding it finds (see encodingOfStart; a file that is
    // not UTF-8 is in the options' 8-bit code page) or the one chosen, keeping its lines
    // in UTF-8. A file without LF whose lines end in CR has CR line ends. Reading drops a
    // CR before an LF, cuts lines longer than
    // kPieceSize into several records and drops trailing blank lines (one line stays);
    // what the texts leave out of the bytes is kept for saving. On failure the lines stay
    // as they were and loaded() is false. With progress, the bytes read are counted there
    // and a cancel stops the read with WorkCancelled.
    bool load(const std::string& path, const TextOptions& options, WorkProgress* progress = nullptr);
    // The encoding that load uses instead of finding one; none lets it find one.
    void chooseEncoding(const std::optional<TextEncoding>& encoding) { m_chosenEncoding = encoding; }
    const std::optional<TextEncoding>& chosenEncoding() const { return m_chosenEncoding; }
    // The encoding of the file on disk, which saving writes.
    const TextEncoding& encoding() const { return m_encoding; }
    void setEncoding(const TextEncoding& encoding) { m_encoding = encoding; }
    LoadProblem loadProblem() const { return m_loadProblem; }
    // The system's error number of the last failed load; 0 when none is known.
    int loadError() const { return m_loadError; }

    const std::string& path() const { return m_path; }
    bool loaded() const { return m_loaded; }
    // The file on disk as it was read (or last written by the program); none before a load.
    const std::optional<DiskStamp>& diskStamp() const { return m_diskStamp; }
    void setDiskStamp(const std::optional<DiskStamp>& stamp) { m_diskStamp = stamp; }
    // The first line on disk ended with CR LF.
    bool firstLineEndsWithCrLf() const { return m_firstLineEndsWithCrLf; }
    // The line end of the first line on disk (LF when it had none, CR in a file of CR
    // line ends): the one that lines the file did not have get.
    std::string_view lineEnd() const { return m_crLineEnds ? "\r" : m_firstLineEndsWithCrLf ? "\r\n" : "\n"; }
    // How lineEnd() reads to the user: "LF", "CR LF" or "CR".
    std::string_view lineEndLabel() const { return m_crLineEnds ? "CR" : m_firstLineEndsWithCrLf ? "CR LF" : "LF"; }

    LineOrigin originOf(std::int32_t index) const;
    // Appends the bytes of the line at index: as read from disk, as read from the other
    // file for a copied line, the text of a typed line. No line end.
    void appendBytes(std::int32_t index, std::string& out) const;
    // The line end of a read line on disk or of the line an edited line was made from;
    // lineEnd() for other lines.
    std::string_view lineEndOf(std::int32_t index) const;
    // The file's ending on disk: whether its last line had a line end, and the bytes of
    // the blank lines after it that loading left out.
    bool endsWithLineEnd() const { return m_endsWithLineEnd; }
    const std::string& trailingLines() const { return m_trailingLines; }

    // Lines the last load found equal to a line shortly before them: a hint of how many
    // different lines the file has.
    std::int32_t repeatedLines() const { return m_repeatedLines; }
    // The length of the longest text of lines 0 .. count() - 1 and of the lines appended
    // since: kept as they come, so that a window need not walk millions of lines for it.
    std::size_t longestTextLength() const { return m_longestText; }

    // Modification counter: 0 when the file equals what is on disk.
    std::int32_t changes() const { return m_changes; }
    void setChanges(std::int32_t changes) { m_changes = changes; }

private:
    // How texts are built.
    struct TextRules {
        std::size_t tabSize = 0;
        bool collapseBlanks = false;
    };
    static TextRules rulesOf(const TextOptions& options);
    // The 8-bit code page named, when iconv knows it.
    static std::string legacyEncodingOf(std::string_view named);
    // For buildRecord when nobody has looked for tabs yet.
    static const char* unknownTabs(std::string_view text) { return text.data() + text.size(); }

    // The bytes a record is built from.
    struct Piece {
        std::string_view bytes;
        bool continues = false;  // a piece of a long line whose rest follows: not trimmed
        bool keepBytes = false;  // remember what restores the bytes from the text
        const char* lastTab = nullptr; // the last tab of bytes, null when it has none,
                                       // unknownTabs(bytes) when not known
    };

    LineRecord& recordAt(std::int32_t index);
    void setRoom(std::int32_t size);
    std::int32_t appendPiece(const Piece& piece, const TextOptions& options);
    void addPiece(std::int32_t index, const Piece& piece, const TextRules& rules, RecentTexts& recent);
    // Fills the empty record at index. With recent, a text equal to a recent one shares
    // its bytes.
    void buildRecord(std::int32_t index, const Piece& piece, const TextRules& rules, RecentTexts* recent);
    // Makes record's text, key and hash those of an equal line.
    static void shareText(LineRecord& record, const LineRecord& equal);
    // Loading: clear, read the lines of the open file, then settle the end of the file.
    struct LoadState;
    void failLoading(int error);
    void clearForLoading(off_t fileSize);
    // False when a read failed; the lines read until then stay.
    bool readFile(int fd, off_t fileSize, LoadState& state);
    bool readLines(int fd, std::vector<char>& chunk, std::string_view first, LoadState& state);
    bool loadDecoded(std::string bytes, LoadState& state);
    static void noteRead(std::size_t bytes, const LoadState& state);
    void addLines(const char* begin, const char* end, std::string& carried, LoadState& state);
    void addLoadedLine(LoadState& state, std::string_view line, bool endsWithLineFeed, const char* lastTab);
    void finishLoading(std::int32_t pieces, bool lastLineEnded, const TextRules& rules);
    void rebuildAsWholeLine(std::int32_t index, std::string_view droppedPieces, const TextRules& rules);

    std::int32_t m_count = 0;
    std::string m_path;
    std::optional<DiskStamp> m_diskStamp;
    RecordStore m_lines;
    std::int32_t m_size = 0;
    std::int32_t m_changes = 0;
    std::int32_t m_repeatedLines = 0;
    std::size_t m_longestText = 0;
    bool m_loaded = false;
    bool m_firstLineEndsWithCrLf = false;
    bool m_crLineEnds = false;
    TextEncoding m_encoding;
    std::optional<TextEncoding> m_chosenEncoding;
    LoadProblem m_loadProblem = LoadProblem::None;
    int m_loadError = 0;
    TextStore m_store;
    // What saving needs to write the lines as they were.
    std::int32_t m_readCount = 0;              // lines 0 .. m_readCount - 1 were read
    DiskForms m_diskForms;
    std::size_t m_indentTabSize = 0;           // the tab size of the last load
    std::vector<std::int32_t> m_otherLineEnds; // read and edited lines, in order, whose line end is not lineEnd()
    std::vector<std::int32_t> m_copiedLines;   // in order
    std::vector<std::int32_t> m_editedLines;   // in order
    bool m_endsWithLineEnd = true;
    std::string m_trailingLines;
};

} // namespace core
