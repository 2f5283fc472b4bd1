#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/line_record.h"
#include "core/recent_texts.h"
#include "core/record_store.h"
#include "core/text_store.h"

namespace core {

// Why the last load failed.
enum class LoadProblem { None, NotFound, Folder, NoPermission, ReadError };

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

    // Sets the room to count() + 100, builds the record at count() from text and makes
    // it a line; returns its index.
    std::int32_t appendLine(std::string_view text);
    // The same for a copy of a piece of a long line: a continuing piece keeps its white
    // space and is marked, so that saving writes it back joined with its rest.
    std::int32_t appendLine(std::string_view text, bool continues);
    // Rebuilds the record at index (0 <= index < size()) from text: tabs expanded to
    // TabSize blanks, trailing white space removed, key and hash built, state Same,
    // no partner.
    void setText(std::int32_t index, std::string_view text);

    // Reads the file at path. Reading drops a CR before an LF, cuts lines longer than
    // kPieceSize into several records and drops trailing blank lines (one line stays).
    // On failure the lines stay as they were and loaded() is false.
    bool load(const std::string& path);
    LoadProblem loadProblem() const { return m_loadProblem; }

    const std::string& path() const { return m_path; }
    bool loaded() const { return m_loaded; }
    // The first line on disk ended with CR LF; saving writes that line end again.
    bool firstLineEndsWithCrLf() const { return m_firstLineEndsWithCrLf; }

    // Lines the last load found equal to a line shortly before them: a hint of how many
    // different lines the file has.
    std::int32_t repeatedLines() const { return m_repeatedLines; }

    // Modification counter: 0 when the file equals what is on disk.
    std::int32_t changes() const { return m_changes; }
    void setChanges(std::int32_t changes) { m_changes = changes; }

private:
    // How texts are built, read from the settings once per load.
    struct TextRules {
        std::size_t tabSize = 0;
        bool collapseBlanks = false;
    };
    static TextRules currentTextRules();
    // For buildRecord when nobody has looked for tabs yet.
    static const char* unknownTabs(std::string_view text) { return text.data() + text.size(); }

    LineRecord& recordAt(std::int32_t index);
    void setRoom(std::int32_t size);
    void addPiece(std::int32_t index, std::string_view piece, bool continues, const TextRules& rules,
                  const char* lastTab, RecentTexts& recent);
    // Fills an empty record. lastTab: the last tab of text, null when it has none,
    // unknownTabs(text) when not known.
    // With recent, a text equal to a recent one shares its bytes.
    void buildRecord(LineRecord& record, std::string_view text, bool trimTrailing, const TextRules& rules,
                     const char* lastTab, RecentTexts* recent);
    // Makes record's text, key and hash those of an equal line.
    static void shareText(LineRecord& record, const LineRecord& equal);
    void finishLoading(std::int32_t pieces);

    std::int32_t m_count = 0;
    std::string m_path;
    RecordStore m_lines;
    std::int32_t m_size = 0;
    std::int32_t m_changes = 0;
    std::int32_t m_repeatedLines = 0;
    bool m_loaded = false;
    bool m_firstLineEndsWithCrLf = false;
    LoadProblem m_loadProblem = LoadProblem::None;
    TextStore m_store;
};

} // namespace core
