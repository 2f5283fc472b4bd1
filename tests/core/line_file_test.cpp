#include "core/line_file.h"

#include <gtest/gtest.h>

#include <string>
#include <cstring>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/line_hash.h"
#include "tests/core/line_files.h"
#include "tests/support/temp_dir.h"

namespace {

using core::LineFile;
using core::LineRecord;
using testing_support::fileOfLines;
using testing_support::TempDir;

// The hash as its definition reads, one byte after the other.
std::uint32_t byteByByte(std::string_view bytes)
{
    std::uint32_t hash = 0;
    std::uint32_t power = 1;
    std::uint32_t position = 0;
    for (const char c : bytes) {
        power *= 6293815u;
        hash += static_cast<std::uint32_t>(static_cast<std::int8_t>(c)) * ++position * power;
    }
    return hash;
}

class LineText : public ::testing::Test {
protected:
    const LineRecord& lineOf(std::string_view text)
    {
        m_file.appendLine(text, options);
        return *m_file.lineAt(m_file.count() - 1);
    }

    core::TextOptions options;
    LineFile m_file;
};

TEST_F(LineText, EveryTabBecomesTabSizeBlanksWhateverItsColumn)
{
    options.tabSize = 4;
    EXPECT_EQ(lineOf("a\tb").text(), "a    b");
    EXPECT_EQ(lineOf("abc\t\tb").text(), "abc        b");
}

TEST_F(LineText, TabSizeZeroDropsTabs)
{
    options.tabSize = 0;
    EXPECT_EQ(lineOf("\tx").text(), "x");
}

TEST_F(LineText, ManyWideTabsExpandWithoutLimit)
{
    options.tabSize = 50;
    const LineRecord& line = lineOf(std::string(4000, '\t') + "x");
    EXPECT_EQ(line.text().size(), 200001u);
    EXPECT_EQ(line.key(), "x");
}

TEST_F(LineText, TrailingWhiteSpaceIsRemoved)
{
    EXPECT_EQ(lineOf("a b \t\v\f\r\n").text(), "a b");
}

TEST_F(LineText, BlankAndEmptyLinesHaveEmptyTextKeyAndZeroHash)
{
    for (const std::string_view input : {"   ", "", "\t \t"}) {
        const LineRecord& line = lineOf(input);
        EXPECT_TRUE(line.text().empty());
        EXPECT_TRUE(line.key().empty());
        EXPECT_EQ(line.hash(), 0u);
    }
}

TEST_F(LineText, KeyIsTheTextWithoutLeadingBlanksAndSharesItsBytes)
{
    const LineRecord& line = lineOf("  a  b");
    EXPECT_EQ(line.key(), "a  b");
    EXPECT_EQ(line.key().data(), line.text().data() + 2);
}

TEST_F(LineText, IgnoringBlanksCollapsesRunsOfBlanksInTheKey)
{
    options.ignoreBlanks = true;
    const LineRecord& line = lineOf("  alpha   beta  gamma");
    EXPECT_EQ(line.text(), "  alpha   beta  gamma");
    EXPECT_EQ(line.key(), "alpha beta gamma");
    EXPECT_EQ(line.hash(), core::lineHash("alpha beta gamma"));
}

TEST_F(LineText, CollapsedKeysOfSuccessiveLinesStayApart)
{
    options.ignoreBlanks = true;
    options.tabSize = 3;
    const LineRecord& first = lineOf("\ta  \t b");
    const LineRecord& second = lineOf("c    d");
    const LineRecord& third = lineOf("  e");
    EXPECT_EQ(first.text(), "   a      b");
    EXPECT_EQ(first.key(), "a b");
    EXPECT_EQ(second.key(), "c d");
    EXPECT_EQ(third.text(), "  e");
    EXPECT_EQ(third.key(), "e");
}

TEST_F(LineText, HashTakesBytesAsSignedValuesWeightedByPositionAndPower)
{
    EXPECT_EQ(core::lineHash(""), 0u);
    EXPECT_EQ(core::lineHash("a"), 97u * 6293815u);
    EXPECT_EQ(core::lineHash("\xff"), 0u - 6293815u);
    const std::uint32_t power2 = 6293815u * 6293815u;
    EXPECT_EQ(core::lineHash("ab"), 97u * 6293815u + 98u * 2u * power2);
    EXPECT_EQ(lineOf("  ab").hash(), core::lineHash("  ab"));
}

TEST_F(LineText, HashOfLongerTextsFollowsTheByteByByteSum)
{
    std::string text;
    for (int length = 0; length < 70; ++length) {
        EXPECT_EQ(core::lineHash(text), byteByByte(text)) << "length " << length;
        text.push_back(static_cast<char>(length * 37 + 200));
    }
    for (const std::size_t length : {16383u, 16384u, 16385u, 40000u}) {
        text.resize(length, '\x9c');
        EXPECT_EQ(core::lineHash(text), byteByByte(text)) << "length " << length;
    }
}

// The hash reads short tails a whole block at a time; a text that ends right before an
// unreadable page must still be read only within itself.
TEST_F(LineText, HashOfATextEndingAtAnUnreadablePageStaysInsideIt)
{
    const auto pageSize = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    void* pages = ::mmap(nullptr, 2 * pageSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(pages, MAP_FAILED);
    char* guard = static_cast<char*>(pages) + pageSize;
    ASSERT_EQ(::mprotect(guard, pageSize, PROT_NONE), 0);
    for (std::size_t length = 1; length <= 40; ++length) {
        char* text = guard - length;
        for (std::size_t k = 0; k < length; ++k)
            text[k] = static_cast<char>(k * 53 + 170);
        EXPECT_EQ(core::lineHash({text, length}), byteByByte({text, length})) << "length " << length;
    }
    ::munmap(pages, 2 * pageSize);
}

TEST_F(LineText, ANulByteIsAnOrdinaryByte)
{
    const LineRecord& first = lineOf(std::string("a\0b", 3));
    const LineRecord& second = lineOf(std::string("a\0c", 3));
    EXPECT_EQ(first.text(), std::string_view("a\0b", 3));
    EXPECT_FALSE(core::isEqual(first, &second, options.ignoreBlanks));
}

TEST_F(LineText, AppendLineReturnsTheIndexAndLeavesRoomForAHundredMore)
{
    LineFile file = fileOfLines({"a", "b"}, options);
    EXPECT_EQ(file.appendLine("c", options), 2);
    EXPECT_EQ(file.count(), 3);
    EXPECT_EQ(file.size(), 102);
    EXPECT_EQ(file.lineAt(2)->text(), "c");
    EXPECT_EQ(file.lineAt(3), nullptr);
    EXPECT_EQ(file.lineAt(-1), nullptr);
}

class LineEquality : public ::testing::Test {
protected:
    core::TextOptions options;
};

TEST_F(LineEquality, IgnoringBlanksEqualsRespacedWordsAndRaisesTheFlag)
{
    options.ignoreBlanks = true;
    LineFile file = fileOfLines({"  alpha   beta", "alpha beta", "alphabeta"}, options);
    bool flag = false;
    EXPECT_TRUE(core::isEqual(*file.lineAt(0), file.lineAt(1), options.ignoreBlanks, &flag));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(core::isEqual(*file.lineAt(1), file.lineAt(2), options.ignoreBlanks));
}

TEST_F(LineEquality, EqualTextsLeaveTheFlagAlone)
{
    options.ignoreBlanks = true;
    LineFile file = fileOfLines({"alpha beta", "alpha beta"}, options);
    bool flag = false;
    EXPECT_TRUE(core::isEqual(*file.lineAt(0), file.lineAt(1), options.ignoreBlanks, &flag));
    EXPECT_FALSE(flag);
}

TEST_F(LineEquality, ComparingBlanksLeadingBlanksMatter)
{
    LineFile file = fileOfLines({"  a", "a"}, options);
    EXPECT_EQ(file.lineAt(0)->key(), file.lineAt(1)->key());
    EXPECT_NE(file.lineAt(0)->hash(), file.lineAt(1)->hash());
    EXPECT_FALSE(core::isEqual(*file.lineAt(0), file.lineAt(1), options.ignoreBlanks));
}

TEST_F(LineEquality, NothingEqualsNull)
{
    LineFile file = fileOfLines({"a"}, options);
    EXPECT_FALSE(core::isEqual(*file.lineAt(0), nullptr, options.ignoreBlanks));
}

class LineFileLoad : public ::testing::Test {
protected:
    LineFile loaded(std::string_view bytes)
    {
        LineFile file;
        EXPECT_TRUE(file.load(m_dir.write("file.txt", bytes), options));
        return file;
    }

    static std::vector<std::string> textsOf(const LineFile& file)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < file.count(); ++i)
            texts.emplace_back(file.lineAt(i)->text());
        return texts;
    }

    core::TextOptions options;
    TempDir m_dir;
};

TEST_F(LineFileLoad, ReadsLinesWithAndWithoutAFinalLineFeed)
{
    EXPECT_EQ(textsOf(loaded("one\ntwo\n")), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(textsOf(loaded("one\ntwo")), (std::vector<std::string>{"one", "two"}));
}

TEST_F(LineFileLoad, AnEmptyFileHasNoLines)
{
    const LineFile file = loaded("");
    EXPECT_TRUE(file.loaded());
    EXPECT_EQ(file.count(), 0);
    EXPECT_EQ(file.size(), 10);
}

TEST_F(LineFileLoad, TrailingBlankLinesAreDropped)
{
    const LineFile file = loaded("a\nb\n\n   \n\t\n\n\n");
    EXPECT_EQ(file.count(), 2);
}

TEST_F(LineFileLoad, AFileOfBlankLinesKeepsOneLine)
{
    EXPECT_EQ(loaded("\n\n\n").count(), 1);
    EXPECT_EQ(loaded("  \n \t \n").count(), 1);
}

TEST_F(LineFileLoad, CarriageReturnBeforeLineFeedIsDroppedAndRemembered)
{
    const LineFile crlf = loaded("a\r\nb\r\n");
    EXPECT_EQ(textsOf(crlf), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(crlf.firstLineEndsWithCrLf());
    EXPECT_FALSE(loaded("a\nb\r\n").firstLineEndsWithCrLf());
}

TEST_F(LineFileLoad, EveryLineKeepsItsBytesAndLineEndAndTheFileItsEnding)
{
    options.tabSize = 4;
    const LineFile file = loaded("\t\tx\r\n  \ty \t\nplain\r\n\r\n \t\n");
    ASSERT_EQ(file.count(), 3);
    EXPECT_EQ(file.lineAt(0)->text(), "        x");
    EXPECT_EQ(file.lineAt(1)->text(), "      y");
    const std::vector<std::string> bytes{"\t\tx", "  \ty \t", "plain"};
    const std::vector<std::string> lineEnds{"\r\n", "\n", "\r\n"};
    for (int i = 0; i < 3; ++i) {
        std::string read;
        file.appendBytes(i, read);
        EXPECT_EQ(read, bytes[static_cast<std::size_t>(i)]);
        EXPECT_EQ(file.lineEndOf(i), lineEnds[static_cast<std::size_t>(i)]);
        EXPECT_EQ(file.originOf(i), core::LineOrigin::Read);
    }
    EXPECT_EQ(file.lineEnd(), "\r\n");
    EXPECT_TRUE(file.endsWithLineEnd());
    EXPECT_EQ(file.trailingLines(), "\r\n \t\n");

    const LineFile open = loaded("a\nb");
    EXPECT_FALSE(open.endsWithLineEnd());
    EXPECT_EQ(open.trailingLines(), "");
    EXPECT_EQ(open.lineEnd(), "\n");
}

// Lines whose bytes differ from their texts in different ways, each read back from what
// loading kept: tab indentation alone, tabs mixed with blanks, white space after it (blanks
// alone, with tabs, more than fit a small record), tab size 0, ignored blanks.
TEST_F(LineFileLoad, IndentationOfTabsIsGivenBackWhateverSurroundsIt)
{
    const std::vector<std::string> lines{"\tx", "\t\t\tdeep  inside", " \tblank first", "\t  \tblanks between",
                                         "\t\ttrailing \t ", "\ty\tz", "\t\t", "   ", "\t{\t}",
                                         "\t\tblanks after  ", "no tabs, blanks after   ",
                                         "\tmore blanks after than one entry holds" + std::string(4500, ' ')};
    std::string file;
    for (const std::string& line : lines)
        file += line + "\n";
    for (const int tabSize : {0, 1, 4, 8}) {
        for (const int ignoreBlanks : {0, 1}) {
            options.tabSize = tabSize;
            options.ignoreBlanks = ignoreBlanks;
            const LineFile loadedFile = loaded(file + "end\n");
            ASSERT_EQ(loadedFile.count(), static_cast<int>(lines.size()) + 1);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                std::string read;
                loadedFile.appendBytes(static_cast<int>(i), read);
                EXPECT_EQ(read, lines[i]) << "tab size " << tabSize << ", ignore blanks " << ignoreBlanks;
            }
            EXPECT_EQ(loadedFile.lineAt(1)->text(), std::string(3 * static_cast<std::size_t>(tabSize), ' ') + "deep  inside");
        }
    }
}

TEST_F(LineFileLoad, ATabIndentedLineKeepsItsBytesAcrossPiecesCopiesAndNewTabSizes)
{
    options.tabSize = 4;
    const std::string head = "\t\t" + std::string(4996, 'x');
    const LineFile blankRest = loaded(head + std::string(10, ' ') + "\n");
    ASSERT_EQ(blankRest.count(), 1);
    std::string read;
    blankRest.appendBytes(0, read);
    EXPECT_EQ(read, head + std::string(10, ' ')) << "the dropped blank piece joins the indented one";

    const LineFile tabPieces = loaded(std::string(5000, '\t') + "w\n\tv\n");
    ASSERT_EQ(tabPieces.count(), 3);
    read.clear();
    tabPieces.appendBytes(0, read);
    tabPieces.appendBytes(1, read);
    EXPECT_EQ(read, std::string(5000, '\t') + "w");

    LineFile other = loaded("\tu\n");
    options.tabSize = 2;
    other.appendCopy(tabPieces, 2, false, options);
    EXPECT_EQ(other.lineAt(1)->text(), "  v");
    read.clear();
    other.appendBytes(0, read);
    other.appendBytes(1, read);
    EXPECT_EQ(read, "\tu\tv") << "lines read with tab size 4 and copied with 2 keep their tabs";
}

TEST_F(LineFileLoad, CarriageReturnsEndLinesOnlyInAFileWithoutLineFeeds)
{
    const LineFile crOnly = loaded("a\rb\rc\r");
    EXPECT_EQ(textsOf(crOnly), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(crOnly.lineEnd(), "\r");
    const LineFile withLineFeed = loaded("a\rb\rc\n");
    ASSERT_EQ(withLineFeed.count(), 1);
    EXPECT_EQ(withLineFeed.lineAt(0)->text(), "a\rb\rc");
}

TEST_F(LineFileLoad, NulBytesAreKept)
{
    const LineFile file = loaded(std::string("x\0y\n\0\n", 6));
    ASSERT_EQ(file.count(), 2);
    EXPECT_EQ(file.lineAt(0)->text(), std::string_view("x\0y", 3));
    EXPECT_EQ(file.lineAt(1)->text(), std::string_view("\0", 1));
}

TEST_F(LineFileLoad, ALongLineIsCutIntoPiecesThatRememberTheirRest)
{
    const LineFile file = loaded(std::string(10000, 'x') + "\nend\n");
    ASSERT_EQ(file.count(), 4);
    EXPECT_EQ(file.lineAt(0)->text().size(), 4998u);
    EXPECT_EQ(file.lineAt(1)->text().size(), 4998u);
    EXPECT_EQ(file.lineAt(2)->text().size(), 4u);
    EXPECT_TRUE(file.lineAt(0)->continues());
    EXPECT_TRUE(file.lineAt(1)->continues());
    EXPECT_FALSE(file.lineAt(2)->continues());
    EXPECT_FALSE(file.lineAt(3)->continues());
}

TEST_F(LineFileLoad, A20000ByteLineGivesFivePieces)
{
    const LineFile file = loaded(std::string(20000, 'y'));
    ASSERT_EQ(file.count(), 5);
    EXPECT_EQ(file.lineAt(4)->text().size(), 20000u - 4 * 4998u);
}

TEST_F(LineFileLoad, ALineOfExactlyOnePieceGetsNoEmptyLineAfterIt)
{
    const LineFile file = loaded(std::string(4998, 'z') + "\r\nnext\n");
    ASSERT_EQ(file.count(), 2);
    EXPECT_FALSE(file.lineAt(0)->continues());
    EXPECT_EQ(file.lineAt(1)->text(), "next");
}

TEST_F(LineFileLoad, BlanksAtACutStayWithThePiece)
{
    const LineFile file = loaded(std::string(4996, 'x') + "   y\n");
    ASSERT_EQ(file.count(), 2);
    EXPECT_EQ(file.lineAt(0)->text(), std::string(4996, 'x') + "  ");
    EXPECT_EQ(file.lineAt(1)->text(), " y");
}

TEST_F(LineFileLoad, ACopiedPieceKeepsItsBlanksOnlyAsAPiece)
{
    const LineFile from = loaded(std::string(4996, 'x') + "   y\n");
    LineFile copy;
    copy.appendCopy(from, 0, true, options);
    copy.appendCopy(from, 0, false, options);
    EXPECT_EQ(copy.lineAt(0)->text(), std::string(4996, 'x') + "  ");
    EXPECT_TRUE(copy.lineAt(0)->continues());
    EXPECT_EQ(copy.lineAt(1)->text(), std::string(4996, 'x'));
    EXPECT_FALSE(copy.lineAt(1)->continues());
    std::string bytes;
    copy.appendBytes(1, bytes);
    EXPECT_EQ(bytes, std::string(4996, 'x') + "  ") << "the blanks cut off are kept for saving";
    EXPECT_EQ(copy.originOf(1), core::LineOrigin::Copied);
}

TEST_F(LineFileLoad, TrailingBlankPiecesAreDroppedAndTheLineIsTrimmedAsAWholeLine)
{
    const std::string line = "\t" + std::string(4994, 'x');
    for (const std::string& blanks : {std::string("    "), "   " + std::string(4998, ' ') + "\t ", std::string(3, ' ')}) {
        const std::string bytes = line + blanks;
        const LineFile file = loaded(bytes + "\n");
        const LineFile trimmed = loaded(line + "\n");
        ASSERT_EQ(file.count(), 1);
        EXPECT_FALSE(file.lineAt(0)->continues());
        EXPECT_EQ(file.lineAt(0)->text(), trimmed.lineAt(0)->text());
        EXPECT_EQ(file.lineAt(0)->key(), trimmed.lineAt(0)->key());
        EXPECT_EQ(file.lineAt(0)->hash(), trimmed.lineAt(0)->hash());
        std::string saved;
        file.appendBytes(0, saved);
        EXPECT_EQ(saved, bytes);
    }
}

TEST_F(LineFileLoad, RoomStartsAtOneRecordPerTwentyBytesAndGrowsBy500)
{
    std::string bytes;
    for (int i = 0; i < 625; ++i)
        bytes += "line number " + std::string(3 - std::to_string(i).size(), '0') + std::to_string(i) + "\n";
    ASSERT_EQ(bytes.size(), 10000u);
    const LineFile file = loaded(bytes);
    EXPECT_EQ(file.count(), 625);
    EXPECT_EQ(file.size(), 1000);
}

TEST_F(LineFileLoad, AMissingFileKeepsTheLinesItHad)
{
    LineFile file = loaded("a\nb\n");
    EXPECT_FALSE(file.load(m_dir.file("missing.txt"), options));
    EXPECT_EQ(file.loadProblem(), core::LoadProblem::NotFound);
    EXPECT_FALSE(file.loaded());
    EXPECT_EQ(file.count(), 2);
    EXPECT_EQ(file.path(), m_dir.file("missing.txt"));
}

TEST_F(LineFileLoad, AFolderIsNotAFile)
{
    LineFile file;
    EXPECT_FALSE(file.load(m_dir.path().string(), options));
    EXPECT_EQ(file.loadProblem(), core::LoadProblem::Folder);
}

TEST_F(LineFileLoad, AFileWithoutReadPermissionIsRefused)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const std::string path = m_dir.write("locked.txt", "secret\n");
    ::chmod(path.c_str(), 0);
    LineFile file;
    EXPECT_FALSE(file.load(path, options));
    EXPECT_EQ(file.loadProblem(), core::LoadProblem::NoPermission);
}

TEST_F(LineFileLoad, AReloadReplacesLinesAndClearsTheChangeCounter)
{
    LineFile file = loaded("a\nb\nc\n");
    file.setChanges(5);
    ASSERT_TRUE(file.load(m_dir.write("other.txt", "x\n"), options));
    EXPECT_EQ(textsOf(file), (std::vector<std::string>{"x"}));
    EXPECT_EQ(file.changes(), 0);
}

// The loader scans for line ends and tabs in blocks; every kind of indentation, line
// length around the block size, and a line carried across a read chunk must come out
// as a line built on its own does.
TEST_F(LineFileLoad, LoadedLinesEqualLinesBuiltOneByOne)
{
    std::vector<std::string> lines = {"\tx = 1;", "\t\tif (a)\tb;", "  \t mixed", "\t", "inner\ttab\t",
                                      "trailing tab\t\t", "\t\t\t", " lead blank", "", "\r"};
    for (std::size_t length = 13; length <= 35; ++length) {
        lines.push_back(std::string(length, 'm'));
        lines.push_back("\t" + std::string(length - 1, 'n'));
        lines.push_back(std::string(length - 1, 'o') + "\t");
        lines.push_back(std::string(length - 2, 'p') + "\tq");
        lines.push_back("\t" + std::string(length * 4, 'r') + "\t\ts" + std::string(length, 't') + "\tu");
    }
    constexpr std::size_t kReadChunk = 65536;
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\n";
    while (bytes.size() < kReadChunk - 3000) {
        lines.push_back("\tfiller " + std::string(lines.size() * 7 % 600, 'f'));
        bytes += lines.back() + "\n";
    }
    // A line with tabs on both sides of the first read chunk's end.
    const std::string carried = "\t" + std::string(kReadChunk - bytes.size() - 4, 'c') + "\t\t\t\tend\tx";
    lines.push_back(carried);
    bytes += carried + "\nlast";
    lines.emplace_back("last");

    for (const int tabSize : {0, 1, 4, 13}) {
        for (const int ignoreBlanks : {0, 1}) {
            options.tabSize = tabSize;
            options.ignoreBlanks = ignoreBlanks;
            const LineFile file = loaded(bytes);
            const LineFile expected = fileOfLines(lines, options);
            ASSERT_EQ(file.count(), expected.count());
            for (int i = 0; i < file.count(); ++i) {
                SCOPED_TRACE(testing::Message() << "tab size " << tabSize << ", blanks " << ignoreBlanks << ", line " << i);
                EXPECT_EQ(file.lineAt(i)->text(), expected.lineAt(i)->text());
                EXPECT_EQ(file.lineAt(i)->key(), expected.lineAt(i)->key());
                EXPECT_EQ(file.lineAt(i)->hash(), expected.lineAt(i)->hash());
            }
        }
    }
}

TEST_F(LineFileLoad, EqualLinesShareTheirBytesAndKeepTheirOwnKeys)
{
    options.ignoreBlanks = true;
    options.tabSize = 2;
    const LineFile file = loaded("\tif  (x)\nelse\n\tif  (x)\n\tif (x)\nelse\n");
    ASSERT_EQ(file.count(), 5);
    EXPECT_EQ(file.lineAt(2)->text().data(), file.lineAt(0)->text().data());
    EXPECT_EQ(file.lineAt(4)->text().data(), file.lineAt(1)->text().data());
    EXPECT_EQ(file.lineAt(2)->text(), "  if  (x)");
    EXPECT_EQ(file.lineAt(2)->key(), "if (x)");
    EXPECT_EQ(file.lineAt(3)->key(), "if (x)");
    EXPECT_NE(file.lineAt(3)->text().data(), file.lineAt(0)->text().data());
    EXPECT_EQ(file.lineAt(4)->key(), "else");
}

TEST_F(LineFileLoad, LinesRunningAcrossReadChunksArriveWhole)
{
    std::string bytes;
    for (int i = 0; i < 300; ++i)
        bytes += std::string(1000 + i, static_cast<char>('a' + i % 26)) + "\r\n";
    bytes += std::string(600000, 'q') + "\r\nlast\r\n";
    const LineFile file = loaded(bytes);
    ASSERT_EQ(file.count(), 300 + 121 + 1);
    EXPECT_EQ(file.lineAt(299)->text(), std::string(1299, static_cast<char>('a' + 299 % 26)));
    EXPECT_EQ(file.lineAt(420)->text(), std::string(600000 - 120 * 4998, 'q'));
    EXPECT_EQ(file.lineAt(421)->text(), "last");
}

} // namespace
