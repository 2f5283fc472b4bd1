#include "core/inline_changes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/inline_change_cache.h"
#include "core/line_units.h"

namespace {

using core::findInlineChanges;
using core::TextStretch;

// The line with every marked stretch in brackets.
std::string marked(std::string_view text, const std::vector<TextStretch>& stretches)
{
    std::string shown;
    std::uint32_t at = 0;
    for (const TextStretch& stretch : stretches) {
        EXPECT_LE(at, stretch.start);
        EXPECT_LT(stretch.start, stretch.end);
        shown.append(text.substr(at, stretch.start - at));
        shown += '[';
        shown.append(text.substr(stretch.start, stretch.end - stretch.start));
        shown += ']';
        at = stretch.end;
    }
    shown.append(text.substr(at));
    return shown;
}

struct Marked {
    std::string source;
    std::string target;
};

Marked compare(std::string_view source, std::string_view target, bool ignoreBlanks = false)
{
    const core::InlineChanges changes = findInlineChanges(source, target, ignoreBlanks);
    return {marked(source, changes.source), marked(target, changes.target)};
}

std::string unitsOf(std::string_view text, bool skipBlanks)
{
    std::string shown;
    for (const core::LineUnit& unit : core::splitUnits(text, skipBlanks))
        shown += "<" + std::string(text.substr(unit.start, unit.length)) + ">";
    return shown;
}

TEST(LineUnits, WordsBlanksAndSingleOtherCharacters)
{
    EXPECT_EQ(unitsOf("a_1 +=  f(x);", false), "<a_1>< ><+><=><  ><f><(><x><)><;>");
    EXPECT_EQ(unitsOf("a_1 +=  f(x);", true), "<a_1><+><=><f><(><x><)><;>");
    // A UTF-8 word stays one unit: its bytes are never split.
    EXPECT_EQ(unitsOf("gr\xC3\xBC\xC3\x9F" "e!", false), "<gr\xC3\xBC\xC3\x9F" "e><!>");
    EXPECT_EQ(unitsOf("", false), "");
}

TEST(InlineChanges, AChangedCommaIsTheOnlyMark)
{
    const Marked result = compare("call(a, b, c);", "call(a. b, c);");
    EXPECT_EQ(result.source, "call(a[,] b, c);");
    EXPECT_EQ(result.target, "call(a[.] b, c);");
}

TEST(InlineChanges, ARenamedIdentifierIsTrimmedToTheCharactersThatDiffer)
{
    const Marked result = compare("total = count + 1;", "total = counter + 1;");
    EXPECT_EQ(result.source, "total = count + 1;");
    EXPECT_EQ(result.target, "total = count[er] + 1;");

    const Marked renamed = compare("int oldName = 0;", "int newName = 0;");
    EXPECT_EQ(renamed.source, "int [old]Name = 0;");
    EXPECT_EQ(renamed.target, "int [new]Name = 0;");
}

TEST(InlineChanges, AnInsertedWordIsMarkedOnTheTargetOnly)
{
    const Marked result = compare("the quick fox jumps", "the quick brown fox jumps");
    EXPECT_EQ(result.source, "the quick fox jumps");
    EXPECT_EQ(result.target, "the quick [brown ]fox jumps");
}

TEST(InlineChanges, BlanksAreMarkedUnlessIgnored)
{
    const Marked shown = compare("f(a,b) + g", "f(a, b) +  g");
    EXPECT_EQ(shown.source, "f(a,b) + g");
    EXPECT_EQ(shown.target, "f(a,[ ]b) + [ ]g");

    const Marked ignored = compare("f(a,b) + g", "f(a, b) +  g", true);
    EXPECT_EQ(ignored.source, "f(a,b) + g");
    EXPECT_EQ(ignored.target, "f(a, b) +  g");

    // A changed word between blanks is still marked with blanks ignored.
    const Marked word = compare("  x  =  1", "x = 2", true);
    EXPECT_EQ(word.source, "  x  =  [1]");
    EXPECT_EQ(word.target, "x = [2]");
}

TEST(InlineChanges, LinesWithLittleInCommonAreWhollyChanged)
{
    // Only ";" is shared, one of the eleven non-blank characters of the shorter line.
    const core::InlineChanges apart = findInlineChanges("return value;", "while (busy) wait();", false);
    EXPECT_TRUE(apart.source.empty());
    EXPECT_TRUE(apart.target.empty());
    // Shared blanks do not make two lines alike.
    const core::InlineChanges words = findInlineChanges("a b c d", "w x y z", false);
    EXPECT_TRUE(words.source.empty());
    EXPECT_TRUE(words.target.empty());
    // A quarter in common is enough to mark within the lines, a little less is not.
    EXPECT_EQ(compare("ab=1", "xy=2").source, "[ab]=[1]");
    EXPECT_EQ(compare("abc=1", "xyz=2").source, "abc=1");
}

TEST(InlineChanges, AnEmptyLineAgainstTextMarksTheWholeText)
{
    const Marked result = compare("", "new text");
    EXPECT_EQ(result.source, "");
    EXPECT_EQ(result.target, "[new text]");
}

TEST(InlineChanges, EqualLinesHaveNoMarks)
{
    const core::InlineChanges same = findInlineChanges("x = y;", "x = y;", false);
    EXPECT_TRUE(same.source.empty());
    EXPECT_TRUE(same.target.empty());
}

TEST(InlineChanges, TrimmingNeverSplitsAUtf8Character)
{
    // "é" (C3 A9) against "è" (C3 A8): the shared lead byte stays in the mark.
    const Marked result = compare("caf\xC3\xA9 ok", "caf\xC3\xA8 ok");
    EXPECT_EQ(result.source, "caf[\xC3\xA9] ok");
    EXPECT_EQ(result.target, "caf[\xC3\xA8] ok");
}

std::string randomLine(std::mt19937& random, std::size_t length)
{
    static constexpr std::string_view kAlphabet = "ab (),;.+-*/=xyz_01 ";
    std::string line(length, ' ');
    for (char& c : line)
        c = kAlphabet[random() % kAlphabet.size()];
    return line;
}

TEST(InlineChanges, LongLinesWithFewChangesAreMarkedExactly)
{
    std::mt19937 random(7);
    const std::string source = randomLine(random, 4998);
    std::string target = source;
    target.replace(100, 1, "#");
    target.replace(4000, 1, "#");
    const core::InlineChanges changes = findInlineChanges(source, target, false);
    EXPECT_EQ(changes.source, (std::vector<TextStretch>{{100, 101}, {4000, 4001}}));
    EXPECT_EQ(changes.target, (std::vector<TextStretch>{{100, 101}, {4000, 4001}}));
}

TEST(InlineChanges, UnrelatedLongLinesStopAtTheBoundAndAreWhollyMarked)
{
    std::mt19937 random(11);
    const std::string source = randomLine(random, 4998);
    const std::string target = randomLine(random, 4998);
    const core::InlineChanges changes = findInlineChanges(source, target, false);
    EXPECT_EQ(changes.source, (std::vector<TextStretch>{{0, 4998}}));
    EXPECT_EQ(changes.target, (std::vector<TextStretch>{{0, 4998}}));
}

} // namespace

namespace {

TEST(InlineChangeCache, KeepsARowsChangesOnlyWhileItShowsTheSameTexts)
{
    core::InlineChangeCache cache;
    const core::InlineChanges& first = cache.changesFor(3, "a = 1;", "a = 2;", false);
    EXPECT_EQ(first.target, (std::vector<TextStretch>{{4, 5}}));
    // Painting the row again finds the entry it made.
    EXPECT_EQ(&cache.changesFor(3, "a = 1;", "a = 2;", false), &first);
    // An edit put another line into the row: its changes are found anew.
    EXPECT_EQ(cache.changesFor(3, "a = 1;", "ab = 1;", false).target, (std::vector<TextStretch>{{1, 2}}));
    // A rescan with blanks ignored, same texts: found anew too.
    EXPECT_TRUE(cache.changesFor(3, "a=1;", "a = 1;", false).target.size() == 2);
    EXPECT_TRUE(cache.changesFor(3, "a=1;", "a = 1;", true).target.empty());
    // Another row with the same texts gets its own entry.
    cache.changesFor(4, "a=1;", "a = 1;", true);
    EXPECT_EQ(cache.size(), 2u);
}

TEST(InlineChangeCache, StartsAfreshWhenFull)
{
    core::InlineChangeCache cache;
    for (std::int32_t row = 0; row < std::int32_t(core::InlineChangeCache::kMostRows) + 5; ++row)
        cache.changesFor(row, "x", "y", false);
    EXPECT_LE(cache.size(), core::InlineChangeCache::kMostRows);
    EXPECT_GT(cache.size(), 0u);
}

} // namespace
