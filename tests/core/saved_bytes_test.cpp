#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>

#include "core/edited_bytes.h"
#include "core/file_saver.h"
#include "core/side.h"
#include "tests/core/edit_test_pair.h"
#include "tests/core/line_files.h"

// Saving writes back every byte the user did not change: files built from awkward pieces
// are loaded, saved unedited, and saved after one edit of each kind, and the bytes are
// checked against a model of the file's lines taken from its bytes alone.
namespace core {
namespace {

using testing::EditTestPair;
using Lines = std::vector<std::string>;

constexpr SaveOptions kBlanks{.useTab = false, .tabSize = 4};
constexpr SaveOptions kTabs{.useTab = true, .tabSize = 4};
// The model follows bytes: stray bytes are read as UTF-8 that keeps them.
const TextEncoding kBytesAsRead;

class NastyFiles {
public:
    explicit NastyFiles(unsigned seed) : m_random(seed) {}

    std::size_t below(std::size_t n) { return m_random() % n; }

    std::string line(bool longLines)
    {
        static const Lines pieces{"\t", " ", "  ", "    ", "x", "word", std::string(1, '\0'), "\x80", "\xe9",
                                  "\xff", "\r", "a\tb", "        ", "{"};
        std::string text;
        if (longLines && below(8) == 0) {
            // Around and across the piece size, with tabs and blanks near the cuts.
            text.assign(4990 + below(10), static_cast<char>('a' + below(26)));
            for (int k = static_cast<int>(below(4)); k > 0; --k)
                text.insert(below(text.size()), "\t");
            text.append(below(3) == 0 ? std::string(6 + below(4998), ' ') : std::string(below(12000), 'z'));
        }
        for (int k = static_cast<int>(below(7)); k > 0; --k)
            text += pieces[below(pieces.size())];
        return text;
    }

    std::string lineEnd() { return below(3) == 0 ? "\r\n" : "\n"; }

    // Lines with mixed line ends, maybe no final line end, maybe blank lines at the end.
    std::string file(bool longLines, const Lines& fixed = {})
    {
        Lines lines = fixed;
        if (lines.empty()) {
            for (int k = static_cast<int>(below(12)); k > 0; --k)
                lines.push_back(line(longLines));
        }
        std::string bytes;
        for (const std::string& text : lines)
            bytes += text + lineEnd();
        static const Lines blanks{"", "  ", "\t", " \t ", "\r"};
        for (int k = static_cast<int>(below(4)) - 1; k > 0; --k)
            bytes += blanks[below(blanks.size())] + lineEnd();
        if (!bytes.empty() && below(3) == 0)
            bytes.resize(bytes.size() - (bytes.ends_with("\r\n") ? 2 : 1));
        return bytes;
    }

private:
    std::mt19937 m_random;
};

RowMap identityRows(const LineFile& file)
{
    RowMap rows;
    for (std::int32_t i = 0; i < file.count(); ++i)
        rows.push_back(i);
    return rows;
}

TEST(SavedBytes, AnUneditedFileIsSavedByteForByte)
{
    testing_support::TempDir dir;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        NastyFiles files(seed);
        TextOptions textOptions;
        textOptions.tabSize = static_cast<int>(files.below(9));
        textOptions.ignoreBlanks = files.below(2) != 0;
        const std::string bytes = files.file(true);
        LineFile file;
        ASSERT_TRUE(file.load(dir.write("original.txt", bytes), textOptions));
        for (const SaveOptions& options : {kBlanks, kTabs}) {
            ASSERT_TRUE(saveRows(file, identityRows(file), file.count(), dir.file("copy.txt"), options));
            ASSERT_EQ(dir.read("copy.txt"), bytes);
        }
    }
}

// A file's lines as its bytes have them: the text before each line feed and the line end.
struct DiskLine {
    std::string content;
    std::string end; // "\n", "\r\n", or empty for a last line without one
};

std::vector<DiskLine> diskLines(std::string_view bytes)
{
    std::vector<DiskLine> lines;
    while (!bytes.empty()) {
        const std::size_t lineFeed = bytes.find('\n');
        if (lineFeed == std::string_view::npos) {
            lines.push_back({std::string(bytes), ""});
            break;
        }
        std::string content(bytes.substr(0, lineFeed));
        const bool crLf = content.ends_with('\r');
        if (crLf)
            content.pop_back();
        lines.push_back({std::move(content), crLf ? "\r\n" : "\n"});
        bytes.remove_prefix(lineFeed + 1);
    }
    return lines;
}

// What saving the source side must write, from the disk lines of the source: read lines
// as they were, copied and pasted lines with the bytes they came with, typed lines as their
// text, an edited line with its bytes (which the random edits below judge) and the line end
// of the line it was made from, new lines with the source's first line end, and the source's
// ending after the last.
std::string expectedSource(EditTestPair& p, std::size_t kept, const std::vector<DiskLine>& source,
                           const std::map<std::int32_t, std::string>& copiedBytes,
                           const std::map<std::int32_t, std::int32_t>& editedFrom, const SaveOptions& options)
{
    const std::string fileEnd = !source.empty() && source[0].end == "\r\n" ? "\r\n" : "\n";
    std::vector<DiskLine> written;
    for (std::int32_t row = 0; row < p.rowCount; ++row) {
        const std::int32_t entry = p.sourceRows[static_cast<std::size_t>(row)];
        const LineRecord* line = p.source.lineAt(entry);
        if (!line)
            continue;
        const auto index = static_cast<std::size_t>(entry);
        if (index < kept) {
            written.push_back(source[index]);
        } else if (const auto copied = copiedBytes.find(entry); copied != copiedBytes.end()) {
            written.push_back({copied->second, fileEnd});
        } else if (const auto edited = editedFrom.find(entry); edited != editedFrom.end()) {
            const auto old = static_cast<std::size_t>(edited->second);
            written.push_back({"", old < kept ? source[old].end : fileEnd});
            p.source.appendBytes(entry, written.back().content);
        } else {
            const std::string text(line->text());
            written.push_back({options.useTab ? compressTabs(text, options.tabSize) : text, fileEnd});
        }
    }
    std::string bytes;
    const bool endsWithLineEnd = kept == 0 || !source[kept - 1].end.empty();
    for (std::size_t k = 0; k < written.size(); ++k) {
        const std::string end = written[k].end.empty() ? fileEnd : written[k].end;
        bytes += written[k].content;
        if (k + 1 < written.size() || endsWithLineEnd)
            bytes += end;
    }
    for (std::size_t k = kept; k < source.size(); ++k)
        bytes += source[k].content + source[k].end;
    return bytes;
}

struct EditKind {
    const char* name;
    // Makes the edit at row on the source side; false when it does not apply there.
    std::function<bool(RowEditor&, int row, NastyFiles&)> edit;
};

const std::vector<EditKind>& editKinds()
{
    static const std::vector<EditKind> kinds{
        {"in-place edit", [](RowEditor& e, int row, NastyFiles& f) {
             return e.setCellText(row, "typed    text " + std::to_string(f.below(100))).done;
         }},
        {"line copy", [](RowEditor& e, int row, NastyFiles&) { return e.copyLine(row).done; }},
        {"difference copy", [](RowEditor& e, int row, NastyFiles&) {
             return e.isDifferenceRow(row) && e.copyDifference(row).done;
         }},
        {"delete", [](RowEditor& e, int row, NastyFiles&) { return e.deleteLine(row).done; }},
        {"insert", [](RowEditor& e, int row, NastyFiles&) { return e.insertLine(row).done; }},
        {"paste", [](RowEditor& e, int row, NastyFiles& f) {
             return e.pasteLines(row, {"pasted    one", "", "pasted two"}, f.below(2) == 0).done;
         }},
    };
    return kinds;
}

// The destination: the source's lines with some changed, dropped or added, and line ends
// of its own.
std::string mutatedFile(NastyFiles& files, const std::string& source)
{
    Lines lines;
    for (const DiskLine& line : diskLines(source)) {
        const std::size_t choice = files.below(6);
        if (choice == 0)
            continue;
        lines.push_back(choice == 1 ? files.line(false) : line.content);
        if (choice == 2)
            lines.push_back(files.line(false));
    }
    if (lines.empty())
        lines.push_back(files.line(false));
    return files.file(false, lines);
}

TEST(SavedBytes, OneEditChangesExactlyTheEditedLines)
{
    int edits = 0;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        for (const EditKind& kind : editKinds()) {
            for (const SaveOptions& options : {kBlanks, kTabs}) {
                SCOPED_TRACE(::testing::Message() << "seed " << seed << ", " << kind.name << (options.useTab ? ", tabs" : ""));
                NastyFiles files(seed);
                const std::string sourceBytes = files.file(false);
                const std::string targetBytes = mutatedFile(files, sourceBytes);
                EditTestPair p(EditTestPair::Bytes{sourceBytes, targetBytes, kBytesAsRead});
                if (p.rowCount == 0)
                    continue;
                const std::size_t lineCount = static_cast<std::size_t>(p.source.count());
                RowEditor editor = p.editor(kSourceSide);
                const int row = static_cast<int>(files.below(static_cast<std::size_t>(p.rowCount)));
                const RowMap destinationRows = p.destinationRows;
                const RowMap sourceRows = p.sourceRows;
                if (!kind.edit(editor, row, files))
                    continue;
                ++edits;

                // The bytes of the destination line each copied source line came from (a
                // pasted line's, which has no tabs or trailing blanks, are its text), and the
                // source line each edited one was made from.
                const std::vector<DiskLine> targetLines = diskLines(targetBytes);
                std::map<std::int32_t, std::string> copiedBytes;
                std::map<std::int32_t, std::int32_t> editedFrom;
                for (std::int32_t r = 0; r < p.rowCount; ++r) {
                    const auto at = static_cast<std::size_t>(r);
                    const std::int32_t entry = p.sourceRows[at];
                    if (entry >= 0 && p.source.originOf(entry) == LineOrigin::Edited)
                        editedFrom[entry] = sourceRows[at];
                    if (entry < 0 || p.source.originOf(entry) != LineOrigin::Copied)
                        continue;
                    if (std::string(kind.name) == "paste") {
                        copiedBytes[entry] = p.source.lineAt(entry)->text();
                        continue;
                    }
                    copiedBytes[entry] = targetLines[static_cast<std::size_t>(destinationRows[at])].content;
                }
                const std::string expected =
                    expectedSource(p, lineCount, diskLines(sourceBytes), copiedBytes, editedFrom, options);
                ASSERT_TRUE(saveRows(p.source, p.sourceRows, p.rowCount, p.dir.file("saved.txt"), options));
                ASSERT_EQ(p.dir.read("saved.txt"), expected);
            }
        }
    }
    EXPECT_GT(edits, 600);
}


// --- Random edits, copies and deletes in a row, each followed by a save ---------------------

// What a line record of the destination must write: its bytes, its line end, and whether it
// is a piece whose line goes on in the next row that shows a line.
struct ModelRecord {
    std::string bytes;
    std::string end;
    bool continues = false;
    int diskLine = -1; // the line of its file a read record is part of
};
using RecordModel = std::map<std::int32_t, ModelRecord>; // by record index

// The records loading makes of a file whose lines all end and whose last line is not blank.
RecordModel loadedRecords(std::string_view bytes)
{
    RecordModel model;
    std::int32_t index = 0;
    int lineNumber = 0;
    for (const DiskLine& line : diskLines(bytes)) {
        std::string_view rest = line.content;
        do {
            const std::size_t take = std::min(LineFile::kPieceSize, rest.size());
            model[index++] = {std::string(rest.substr(0, take)), line.end, take < rest.size(), lineNumber};
            rest.remove_prefix(take);
        } while (!rest.empty());
        ++lineNumber;
    }
    return model;
}

std::size_t widthOf(char c, std::size_t tabSize)
{
    return c == '\t' ? tabSize : 1;
}

// How many bytes of a line stand for its text: all of a piece, else those before its trailing
// white space.
std::size_t shownBytes(std::string_view bytes, bool piece)
{
    return piece ? bytes.size() : bytes.find_last_not_of(" \t\r\n\v\f") + 1;
}

// The bytes at the start of a line that stand wholly for its text's first `columns` columns.
std::size_t bytesBefore(std::string_view bytes, bool piece, std::size_t columns, std::size_t tabSize)
{
    const std::size_t shown = shownBytes(bytes, piece);
    std::size_t at = 0;
    for (std::size_t column = 0; at < shown && column + widthOf(bytes[at], tabSize) <= columns; ++at)
        column += widthOf(bytes[at], tabSize);
    return at;
}

// The first of the bytes that stand wholly for the last `columns` columns of the text; its
// trailing white space follows them.
std::size_t bytesFrom(std::string_view bytes, bool piece, std::size_t columns, std::size_t tabSize)
{
    std::size_t at = shownBytes(bytes, piece);
    for (std::size_t column = 0; at > 0 && column + widthOf(bytes[at - 1], tabSize) <= columns; --at)
        column += widthOf(bytes[at - 1], tabSize);
    return at;
}

std::size_t commonStart(std::string_view a, std::string_view b)
{
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

std::size_t commonEnd(std::string_view a, std::string_view b)
{
    return static_cast<std::size_t>(std::mismatch(a.rbegin(), a.rend(), b.rbegin(), b.rend()).first - a.rbegin());
}

// Random edits of the destination of a pair, with a model of the bytes each line record
// must write that is taken from the files' bytes and each edit's text alone.
class RandomSession {
public:
    RandomSession(unsigned seed, EditTestPair& pair, const std::string& sourceBytes,
                  const std::string& targetBytes)
        : m_files(seed)
        , m_p(pair)
        , m_source(loadedRecords(sourceBytes))
        , m_target(loadedRecords(targetBytes))
    {
    }

    // One random edit; false when it did not apply.
    bool step()
    {
        if (m_p.rowCount == 0)
            return false;
        const int row = static_cast<int>(m_files.below(static_cast<std::size_t>(m_p.rowCount)));
        const RowMap before = m_p.destinationRows;
        RowEditor editor = m_p.editor(kTargetSide);
        m_copiedLines.clear();
        switch (m_files.below(6)) {
        case 0:
        case 1:
            return type(row);
        case 2:
            return editor.copyLine(row).done && noteCopies(before);
        case 3:
            return editor.isDifferenceRow(row) && editor.copyDifference(row).done && noteCopies(before);
        case 4:
            return editor.deleteLine(row).done;
        default:
            return editor.removeRow(row).done;
        }
    }

    // The destination's bytes as the model has them.
    std::string expected() const
    {
        std::string bytes;
        const ModelRecord* last = nullptr;
        for (std::int32_t row = 0; row < m_p.rowCount; ++row) {
            const auto found = m_target.find(m_p.destinationRows[static_cast<std::size_t>(row)]);
            if (found == m_target.end())
                continue;
            if (last != nullptr && !last->continues)
                bytes += last->end;
            bytes += found->second.bytes;
            last = &found->second;
        }
        return last == nullptr ? bytes : bytes + (last->continues ? std::string(m_p.target.lineEnd()) : last->end);
    }

    // The source lines the last step copied, each of them whole.
    const std::vector<int>& copiedLines() const { return m_copiedLines; }

private:
    // Replaces a stretch of the row's text with typed text.
    bool type(int row)
    {
        const std::int32_t entry = m_p.destinationRows[static_cast<std::size_t>(row)];
        const LineRecord* line = m_p.target.lineAt(entry);
        const std::string oldText(line ? line->text() : "");
        static const Lines typed{"", "Q", "  ", "ab c", "    x", " "};
        const std::size_t from = m_files.below(oldText.size() + 1);
        const std::size_t to = from + m_files.below(oldText.size() - from + 1);
        const std::string newText = oldText.substr(0, from) + typed[m_files.below(typed.size())] + oldText.substr(to);
        if (!m_p.editor(kTargetSide).setCellText(row, newText).done)
            return false;
        const std::int32_t edited = m_p.destinationRows[static_cast<std::size_t>(row)];
        const LineRecord* result = m_p.target.lineAt(edited);
        ModelRecord record;
        record.end = m_p.target.lineEnd();
        record.continues = result->continues();
        m_p.target.appendBytes(edited, record.bytes);
        const auto old = m_target.find(entry);
        if (line == nullptr || m_p.target.originOf(entry) == LineOrigin::Typed) {
            const SaveOptions options = saveOptionsOf(m_p.options);
            if (options.useTab)
                record.bytes = compressTabs(record.bytes, options.tabSize);
        } else {
            expectKept(old->second, record.bytes, oldText, newText);
            record.end = old->second.end;
            EXPECT_EQ(record.continues, old->second.continues);
        }
        EXPECT_EQ(result->text(), record.continues ? newText : newText.substr(0, newText.find_last_not_of(" \t\r\n\v\f") + 1));
        m_target[edited] = record;
        return true;
    }

    // The bytes standing for the unchanged start and end of the text are the old ones.
    void expectKept(const ModelRecord& old, const std::string& bytes, std::string_view oldText,
                    std::string_view newText) const
    {
        const auto tabSize = static_cast<std::size_t>(m_p.options.tabSize);
        const std::size_t sameStart = commonStart(oldText, newText);
        const std::size_t sameEnd =
            std::min(commonEnd(oldText, newText), std::min(oldText.size(), newText.size()) - sameStart);
        const std::size_t start = bytesBefore(old.bytes, old.continues, sameStart, tabSize);
        const std::size_t end = std::max(start, bytesFrom(old.bytes, old.continues, sameEnd, tabSize));
        EXPECT_TRUE(bytes.starts_with(old.bytes.substr(0, start)));
        EXPECT_TRUE(bytes.ends_with(old.bytes.substr(end)));
        EXPECT_GE(bytes.size(), start + old.bytes.size() - end);
    }

    bool noteCopies(const RowMap& before)
    {
        for (std::int32_t r = 0; r < m_p.rowCount; ++r) {
            const auto at = static_cast<std::size_t>(r);
            const std::int32_t entry = m_p.destinationRows[at];
            if (entry == before[at] || !m_p.target.lineAt(entry))
                continue;
            ModelRecord record = m_source.at(m_p.sourceRows[at]);
            record.end = m_p.target.lineEnd();
            if (m_copiedLines.empty() || m_copiedLines.back() != record.diskLine)
                m_copiedLines.push_back(record.diskLine);
            m_target[entry] = record;
        }
        return true;
    }

    NastyFiles m_files;
    EditTestPair& m_p;
    RecordModel m_source;
    RecordModel m_target;
    std::vector<int> m_copiedLines;
};

// Lines as the bytes before each line feed.
Lines rawLines(const std::string& bytes)
{
    Lines lines;
    for (const DiskLine& line : diskLines(bytes))
        lines.push_back(line.content + (line.end == "\r\n" ? "\r" : ""));
    return lines;
}

TEST(SavedBytes, RandomEditsKeepTheBytesAroundThemAndCopiedLinesWhole)
{
    int steps = 0;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        NastyFiles files(seed);
        TextOptions options;
        options.tabSize = static_cast<int>(files.below(9));
        options.useTab = files.below(2) != 0;
        options.ignoreBlanks = files.below(2) != 0;
        Lines source;
        for (int k = static_cast<int>(files.below(10)); k > 0; --k)
            source.push_back(files.line(true));
        Lines target;
        for (const std::string& line : source) {
            const std::size_t choice = files.below(5);
            // A long line changed at its start differs only in its first piece.
            if (choice == 1)
                target.push_back(line.empty() ? "B" : "B" + line.substr(1));
            else if (choice != 0)
                target.push_back(choice == 2 ? files.line(true) : line);
        }
        std::string sourceBytes;
        std::string targetBytes;
        for (const std::string& line : source)
            sourceBytes += line + files.lineEnd();
        for (const std::string& line : target)
            targetBytes += line + files.lineEnd();
        sourceBytes += "end\n";
        targetBytes += "end\n";
        EditTestPair p(EditTestPair::Bytes{sourceBytes, targetBytes, kBytesAsRead, options});
        RandomSession session(seed, p, sourceBytes, targetBytes);
        const std::vector<DiskLine> sourceLines = diskLines(sourceBytes);
        for (int step = 0; step < 12; ++step) {
            SCOPED_TRACE(::testing::Message() << "seed " << seed << ", step " << step);
            if (!session.step())
                continue;
            ++steps;
            ASSERT_TRUE(saveRows(p.target, p.destinationRows, p.rowCount, p.dir.file("saved.txt"), saveOptionsOf(options)));
            const std::string saved = p.dir.read("saved.txt");
            ASSERT_EQ(saved, session.expected());
            const std::string crBeforeLineFeed = p.target.lineEnd() == "\r\n" ? "\r" : "";
            const Lines savedLines = rawLines(saved);
            for (const int copied : session.copiedLines()) {
                const std::string whole = sourceLines[static_cast<std::size_t>(copied)].content + crBeforeLineFeed;
                EXPECT_NE(std::find(savedLines.begin(), savedLines.end(), whole), savedLines.end()) << copied;
            }
        }
    }
    EXPECT_GT(steps, 1000);
}

} // namespace
} // namespace core
