#include <gtest/gtest.h>

#include <sstream>

#include "core/file_saver.h"
#include "core/report.h"
#include "core/side.h"
#include "framework/command_ids.h"
#include "framework/profile.h"
#include "tests/core/doc_test_fixture.h"
#include "tests/core/edit_test_pair.h"
#include "tests/core/line_files.h"

// Files in every encoding are read as text and written back in their own encoding: what the
// user did not change keeps its bytes.
namespace core {
namespace {

using testing::EditTestPair;

const std::string kText = "caf\xC3\xA9 one\n\tsecond line\n\xC2\xA3 and \xC3\xBC\n";

std::string encoded(std::string_view utf8, const TextEncoding& encoding)
{
    std::string bytes(encoding.bomBytes());
    EXPECT_TRUE(encodeText(utf8, encoding, bytes));
    return bytes;
}

std::string withLineEnds(std::string text, std::string_view lineEnd)
{
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += lineEnd.size())
        text.replace(at, 1, lineEnd);
    return text;
}

std::string textsOf(const LineFile& file)
{
    std::string texts;
    for (std::int32_t k = 0; k < file.count(); ++k)
        texts += std::string(file.lineAt(k)->text()) + '\n';
    return texts;
}

// What saving the file's lines as read writes.
std::string savedUnedited(const LineFile& file, const testing_support::TempDir& dir)
{
    RowMap rows;
    for (std::int32_t k = 0; k < file.count(); ++k)
        rows.push_back(k);
    EXPECT_TRUE(saveRows(file, rows, file.count(), dir.file("out.txt"), saveOptionsOf({})));
    return dir.read("out.txt");
}

struct EncodedFile {
    TextEncoding encoding;
    const char* label;
};

const std::vector<EncodedFile> kEncodings{
    {TextEncoding::unicode(EncodingKind::Utf8, false), "UTF-8"},
    {TextEncoding::unicode(EncodingKind::Utf8, true), "UTF-8 BOM"},
    {TextEncoding::unicode(EncodingKind::Utf16Le, true), "UTF-16 LE BOM"},
    {TextEncoding::unicode(EncodingKind::Utf16Le, false), "UTF-16 LE"},
    {TextEncoding::unicode(EncodingKind::Utf16Be, true), "UTF-16 BE BOM"},
    {TextEncoding::unicode(EncodingKind::Utf16Be, false), "UTF-16 BE"},
    {TextEncoding::unicode(EncodingKind::Utf32Le, true), "UTF-32 LE BOM"},
    {TextEncoding::unicode(EncodingKind::Utf32Be, true), "UTF-32 BE BOM"},
    {TextEncoding::legacy("WINDOWS-1252"), "WINDOWS-1252"},
};

// Each encoding with each line end, with and without a final one: found, shown as the same
// text, and saved unedited byte for byte.
TEST(FileEncodings, EveryEncodingIsFoundShownAsTextAndSavedUneditedByteForByte)
{
    testing_support::TempDir dir;
    for (const EncodedFile& form : kEncodings) {
        for (const std::string_view lineEnd : {"\n", "\r\n", "\r"}) {
            for (const bool finalLineEnd : {true, false}) {
                SCOPED_TRACE(std::string(form.label) + (lineEnd == "\n" ? " LF" : lineEnd == "\r" ? " CR" : " CR LF")
                             + (finalLineEnd ? "" : " open"));
                std::string text = withLineEnds(kText, lineEnd);
                if (!finalLineEnd)
                    text.resize(text.size() - lineEnd.size());
                const std::string bytes = encoded(text, form.encoding);
                LineFile file;
                ASSERT_TRUE(file.load(dir.write("in.txt", bytes), {}));
                EXPECT_EQ(file.encoding().label(), form.label);
                EXPECT_EQ(file.lineEnd(), lineEnd);
                EXPECT_EQ(textsOf(file), "caf\xC3\xA9 one\n    second line\n\xC2\xA3 and \xC3\xBC\n");
                EXPECT_EQ(savedUnedited(file, dir), bytes);
            }
        }
    }
}

// Bytes that are not what they seem to be are read as they are and saved unchanged.
TEST(FileEncodings, FilesThatDoNotDecodeAreSavedByteForByte)
{
    testing_support::TempDir dir;
    const std::vector<std::string> files{
        std::string("\xFF\xFEh\0\x00\xD8i\0\n\0", 10), // a lone surrogate
        std::string("\xFF\xFEh\0i\0\n", 7),            // an odd byte at the end
        std::string("a\0b\0c\0\n\0\x00\xDC", 10),      // UTF-16 by its NULs, but not
        "\x81\x8D\x8F\x90\x9D caf\xE9\n",               // bytes WINDOWS-1252 does not define
    };
    for (const std::string& bytes : files) {
        LineFile file;
        ASSERT_TRUE(file.load(dir.write("in.txt", bytes), {}));
        EXPECT_EQ(savedUnedited(file, dir), bytes);
    }
}

TEST(FileEncodings, UnicodeIsKnownByItsBomOrItsNulsAndOtherBytesByTheSettings)
{
    EXPECT_EQ(encodingOfStart(std::string("h\0e\0l\0l\0o\0", 10)).label(), "UTF-16 LE");
    EXPECT_EQ(encodingOfStart(std::string("\0h\0e\0l\0l\0o", 10)).label(), "UTF-16 BE");
    EXPECT_EQ(encodingOfStart(std::string("\xFF\xFE\0\0h\0\0\0", 8)).label(), "UTF-32 LE BOM");
    EXPECT_EQ(encodingOfStart(std::string("a\0b\n\0\0x\0", 8)).label(), "UTF-8");
    EXPECT_EQ(encodingOfStart("plain").label(), "UTF-8");

    testing_support::TempDir dir;
    const std::string latin = dir.write("latin.txt", "caf\xE9 na\xEFve\n");
    for (const auto& [setting, expected] : std::vector<std::pair<std::string, std::string>>{
             {"WINDOWS-1252", "WINDOWS-1252"}, {"koi8-r", "KOI8-R"}, {"no such code page", "WINDOWS-1252"}}) {
        LineFile file;
        ASSERT_TRUE(file.load(latin, {.legacyEncoding = setting}));
        EXPECT_EQ(file.encoding().label(), expected);
    }

    // A UTF-8 file with a few stray bytes stays UTF-8 and keeps them.
    LineFile stray;
    ASSERT_TRUE(stray.load(dir.write("stray.txt", "caf\xC3\xA9 \xFF\xFE\n"), {}));
    EXPECT_EQ(stray.encoding().label(), "UTF-8");
    EXPECT_EQ(stray.lineAt(0)->text(), "caf\xC3\xA9 \xFF\xFE");
}

// The edited line alone is new, written in the file's encoding; every other byte stays.
TEST(FileEncodings, AnEditedLineIsWrittenInTheFilesEncodingAndNothingElseChanges)
{
    const std::string text = "caf\xC3\xA9 one\r\nsecond \xC3\xBC\r\n";
    for (const TextEncoding& encoding :
         {TextEncoding::legacy("WINDOWS-1252"), TextEncoding::legacy("ISO-8859-1"),
          TextEncoding::unicode(EncodingKind::Utf16Le, true), TextEncoding::unicode(EncodingKind::Utf16Be, false)}) {
        SCOPED_TRACE(encoding.label());
        EditTestPair p(EditTestPair::Bytes{encoded(text, encoding), encoded("other\r\n", encoding), encoding});
        p.editor(kSourceSide).setCellText(0, "Ycaf\xC3\xA9 one");
        ASSERT_TRUE(saveRows(p.source, p.sourceRows, p.rowCount, p.dir.file("saved.txt"), saveOptionsOf(p.options)));
        EXPECT_EQ(p.dir.read("saved.txt"), encoded("Ycaf\xC3\xA9 one\r\nsecond \xC3\xBC\r\n", encoding));
    }
}

TEST(FileEncodings, ALineCopiedFromAUtf8FileArrivesInUtf16)
{
    const TextEncoding utf16 = TextEncoding::unicode(EncodingKind::Utf16Le, true);
    EditTestPair p(EditTestPair::Bytes{"same\n\xC3\xA9t\xC3\xA9\n", encoded("same\r\nwinter\r\n", utf16)});
    p.editor(kTargetSide).copyLine(1);
    ASSERT_TRUE(saveRows(p.target, p.destinationRows, p.rowCount, p.dir.file("saved.txt"), saveOptionsOf(p.options)));
    EXPECT_EQ(p.dir.read("saved.txt"), encoded("same\r\n\xC3\xA9t\xC3\xA9\r\n", utf16));
}

// Typing a character the file's encoding cannot hold asks before saving: Cancel writes
// nothing, OK writes the file in UTF-8, which it is from then on.
struct UnencodableSave : core_testing::DocFixture {};

TEST_F(UnencodableSave, CancelLeavesTheFileUntouchedAndOkWritesUtf8)
{
    settings::appSettings().LegacyEncoding = "ISO-8859-1";
    loadPair("caf\xE9 one\nsame\n", "caf\xE9 two\nsame\n");
    doc.setEditMode(true);
    RowEditor(doc.editPair(), kSourceSide).setCellText(1, "5 \xE2\x82\xAC");
    doc.editPair().files[kSourceSide]->setChanges(1);

    services.answerMessage(framework::MessageAnswer::Cancel);
    EXPECT_FALSE(doc.saveRows(doc.source(), doc.sourceRows()));
    EXPECT_EQ(dir.read("a.txt"), "caf\xE9 one\nsame\n");
    ASSERT_EQ(services.messages().size(), 1u);
    EXPECT_EQ(services.messages()[0].text,
              "Line 2 of\n" + dir.file("a.txt") + "\nholds a character that ISO-8859-1 cannot hold.\n"
              "Save this file as UTF-8 instead?");
    EXPECT_EQ(doc.source().encoding().label(), "ISO-8859-1");

    services.answerMessage(framework::MessageAnswer::Ok);
    EXPECT_TRUE(doc.saveRows(doc.source(), doc.sourceRows()));
    EXPECT_EQ(dir.read("a.txt"), "caf\xC3\xA9 one\n5 \xE2\x82\xAC\n");
    EXPECT_EQ(doc.source().encoding().label(), "UTF-8");
}

// Reopening asks for an encoding, offers to save unsaved edits first, and the choice holds
// while the file is read again.
struct ReopenWithEncoding : core_testing::DocFixture {};

TEST_F(ReopenWithEncoding, TheChosenEncodingReadsTheFileAgainAfterTheSavePrompt)
{
    loadPair("caf\xC3\xA9\nsame\n", "caf\xC3\xA9\nsame\n");
    doc.setEditMode(true);
    RowEditor(doc.editPair(), kSourceSide).setCellText(1, "edited");
    doc.editPair().files[kSourceSide]->setChanges(1);
    services.answerItem(std::string("iso-8859-1"));
    services.answerMessage(framework::MessageAnswer::Cancel);
    doc.reopenWithEncoding(kSourceSide);
    EXPECT_EQ(services.itemDialogs(), std::vector<std::string>{"UTF-8"});
    EXPECT_EQ(doc.source().encoding().label(), "UTF-8");
    EXPECT_EQ(text(doc.source(), 1), "edited");

    services.answerItem(std::string("iso-8859-1"));
    services.answerMessage(framework::MessageAnswer::No);
    doc.reopenWithEncoding(kSourceSide);
    EXPECT_EQ(doc.source().encoding().label(), "ISO-8859-1");
    EXPECT_EQ(text(doc.source(), 0), "caf\xC3\x83\xC2\xA9");
    EXPECT_EQ(text(doc.source(), 1), "same");
    router.execute(framework::ID_RESCAN);
    EXPECT_EQ(doc.source().encoding().label(), "ISO-8859-1");
    EXPECT_EQ(doc.destination().encoding().label(), "UTF-8");

    services.answerItem(std::string("NO-SUCH"));
    doc.reopenWithEncoding(kSourceSide);
    EXPECT_EQ(services.messageTexts().back(), "Unknown encoding: NO-SUCH");
    EXPECT_TRUE(services.allAnswersUsed());
}

TEST(FileEncodings, TheReportComparesTextAndNamesWhatElseDiffers)
{
    testing_support::TempDir dir;
    const std::string utf16 =
        dir.write("a.txt", encoded("hello\r\nw\xC3\xB6rld\r\n", TextEncoding::unicode(EncodingKind::Utf16Le, true)));
    const std::string utf8 = dir.write("b.txt", "hello\nw\xC3\xB6rld\n");
    const std::string latin = dir.write("c.txt", "hello\nw\xF6rld\n");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string out;
    };
    const std::vector<Case> cases{
        {{utf16, utf8}, 0,
         "Files are identical!\nThe texts are the same; the files differ in encoding, BOM and line ends: source UTF-16 LE BOM "
         "\xC2\xB7 CR LF, target UTF-8 \xC2\xB7 LF\n"},
        {{utf8, latin}, 0,
         "Files are identical!\nThe texts are the same; the files differ in encoding: source UTF-8 \xC2\xB7 LF, target "
         "WINDOWS-1252 \xC2\xB7 LF\n"},
        {{"--target-encoding=UTF-8", utf8, latin}, 1, "1 differences\n"},
        {{"--encoding=utf-8", utf8, utf8}, 0, "Files are identical!\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"--report", "--format=summary"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(reportMain(arguments, out, err), c.status) << err.str();
        EXPECT_EQ(out.str().substr(0, c.out.size()), c.out);
    }
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(reportMain({"--report", "--encoding=NO-SUCH", utf8, utf8}, out, err), 2);
    EXPECT_NE(err.str().find("Unknown encoding: NO-SUCH"), std::string::npos);
    std::filesystem::remove(framework::settingsFilePath());
}

} // namespace
} // namespace core
