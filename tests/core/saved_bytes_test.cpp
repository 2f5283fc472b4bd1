#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

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
    testing_support::SettingsGuard guard;
    testing_support::TempDir dir;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        NastyFiles files(seed);
        settings::appSettings().TabSize = static_cast<int>(files.below(9));
        settings::appSettings().IgnoreBlanks = static_cast<int>(files.below(2));
        const std::string bytes = files.file(true);
        LineFile file;
        ASSERT_TRUE(file.load(dir.write("original.txt", bytes)));
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
// as they were, copied and pasted lines with the bytes they came with, typed lines as
// their text, new lines with the source's first line end, and the source's ending after
// the last.
std::string expectedSource(EditTestPair& p, std::size_t kept, const std::vector<DiskLine>& source,
                           const std::map<std::int32_t, std::string>& copiedBytes, const SaveOptions& options)
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
    testing_support::SettingsGuard guard;
    settings::appSettings().TabSize = 4;
    int edits = 0;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        for (const EditKind& kind : editKinds()) {
            for (const SaveOptions& options : {kBlanks, kTabs}) {
                SCOPED_TRACE(::testing::Message() << "seed " << seed << ", " << kind.name << (options.useTab ? ", tabs" : ""));
                NastyFiles files(seed);
                const std::string sourceBytes = files.file(false);
                const std::string destinationBytes = mutatedFile(files, sourceBytes);
                EditTestPair p(EditTestPair::Bytes{sourceBytes, destinationBytes});
                if (p.rowCount == 0)
                    continue;
                const std::size_t lineCount = static_cast<std::size_t>(p.source.count());
                RowEditor editor = p.editor(kSourceSide);
                const int row = static_cast<int>(files.below(static_cast<std::size_t>(p.rowCount)));
                const RowMap destinationRows = p.destinationRows;
                if (!kind.edit(editor, row, files))
                    continue;
                ++edits;

                // The bytes of the destination line each copied source line came from; a
                // pasted line's, which has no tabs or trailing blanks, are its text.
                const std::vector<DiskLine> destinationLines = diskLines(destinationBytes);
                std::map<std::int32_t, std::string> copiedBytes;
                for (std::int32_t r = 0; r < p.rowCount; ++r) {
                    const std::int32_t entry = p.sourceRows[static_cast<std::size_t>(r)];
                    if (entry < 0 || p.source.originOf(entry) != LineOrigin::Copied)
                        continue;
                    if (std::string(kind.name) == "paste") {
                        copiedBytes[entry] = p.source.lineAt(entry)->text();
                        continue;
                    }
                    const auto from = static_cast<std::size_t>(destinationRows[static_cast<std::size_t>(r)]);
                    copiedBytes[entry] = destinationLines[from].content;
                }
                const std::string expected =
                    expectedSource(p, lineCount, diskLines(sourceBytes), copiedBytes, options);
                ASSERT_TRUE(saveRows(p.source, p.sourceRows, p.rowCount, p.dir.file("saved.txt"), options));
                ASSERT_EQ(p.dir.read("saved.txt"), expected);
            }
        }
    }
    EXPECT_GT(edits, 600);
}

} // namespace
} // namespace core
