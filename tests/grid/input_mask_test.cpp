#include <gtest/gtest.h>

#include "grid/input_mask.h"

namespace grid {
namespace {

using Status = InputMask::Status;

InputMask maskOf(std::u32string_view pattern)
{
    InputMask mask;
    mask.set(pattern);
    return mask;
}

TEST(InputMaskPattern, DecimalMaskShowsZerosAroundTheLiteralPoint)
{
    InputMask mask = maskOf(U"DD.DD");
    EXPECT_EQ(mask.templateText(), U"00.00");
    EXPECT_EQ(mask.kinds(), U"DD DD");
    EXPECT_TRUE(mask.isPlaceholder(1));
    EXPECT_FALSE(mask.isPlaceholder(2));
}

TEST(InputMaskPattern, SlashMakesTheNextPatternCharacterALiteral)
{
    InputMask escaped = maskOf(U"/A");
    EXPECT_EQ(escaped.length(), 1u);
    EXPECT_EQ(escaped.templateText(), U"A");
    EXPECT_FALSE(escaped.isPlaceholder(0));

    InputMask letter = maskOf(U"A");
    EXPECT_EQ(letter.templateText(), U" ");
    EXPECT_TRUE(letter.isPlaceholder(0));
}

TEST(InputMaskPattern, TemplateIsBlankForLettersAndSignAndZeroForDigits)
{
    EXPECT_EQ(maskOf(U"ACLSaBDHOh").templateText(), U"     00000");
    EXPECT_EQ(maskOf(U"(x)").templateText(), U"(x)");
    EXPECT_EQ(maskOf(U"D/").length(), 1u);
}

TEST(InputMaskPattern, EmptyPatternClearsTheMask)
{
    InputMask mask = maskOf(U"DD");
    EXPECT_TRUE(mask.set(U""));
    EXPECT_TRUE(mask.empty());
    EXPECT_EQ(mask.check(U'x', 5), (InputMask::Check{U'x', Status::Accepted}));
}

TEST(InputMaskPattern, FillTextReplacesPlaceholdersOnly)
{
    InputMask mask;
    EXPECT_TRUE(mask.set(U"DD-DD", U"12345"));
    EXPECT_EQ(mask.templateText(), U"12-45");
}

TEST(InputMaskPattern, FillTextOfWrongLengthFailsButKeepsTheMask)
{
    InputMask mask;
    EXPECT_FALSE(mask.set(U"DD-DD", U"1234"));
    EXPECT_EQ(mask.templateText(), U"00-00");
}

TEST(InputMaskCheck, UpperLetterPositionConvertsAndRefusesDigits)
{
    InputMask mask = maskOf(U"A");
    EXPECT_EQ(mask.check(U'b', 0), (InputMask::Check{U'B', Status::Changed}));
    EXPECT_EQ(mask.check(U'B', 0), (InputMask::Check{U'B', Status::Accepted}));
    EXPECT_EQ(mask.check(U'1', 0), (InputMask::Check{U' ', Status::Refused}));
}

TEST(InputMaskCheck, LowerAndPlainLetterPositions)
{
    EXPECT_EQ(maskOf(U"a").check(U'Q', 0), (InputMask::Check{U'q', Status::Changed}));
    EXPECT_EQ(maskOf(U"C").check(U'Q', 0), (InputMask::Check{U'Q', Status::Accepted}));
    EXPECT_EQ(maskOf(U"C").check(U'-', 0).status, Status::Refused);
    EXPECT_EQ(maskOf(U"L").check(U'-', 0), (InputMask::Check{U'-', Status::Accepted}));
}

TEST(InputMaskCheck, SignPositionKeepsSignsAndBlanksAnythingElse)
{
    InputMask mask = maskOf(U"S");
    EXPECT_EQ(mask.check(U'+', 0), (InputMask::Check{U'+', Status::Accepted}));
    EXPECT_EQ(mask.check(U'-', 0), (InputMask::Check{U'-', Status::Accepted}));
    EXPECT_EQ(mask.check(U'7', 0), (InputMask::Check{U' ', Status::Changed}));
}

TEST(InputMaskCheck, DigitPositionsAcceptOnlyTheirDigits)
{
    EXPECT_EQ(maskOf(U"D").check(U'9', 0).status, Status::Accepted);
    EXPECT_EQ(maskOf(U"D").check(U'x', 0), (InputMask::Check{U'0', Status::Refused}));
    EXPECT_EQ(maskOf(U"O").check(U'7', 0).status, Status::Accepted);
    EXPECT_EQ(maskOf(U"O").check(U'8', 0).status, Status::Refused);
    EXPECT_EQ(maskOf(U"B").check(U'1', 0).status, Status::Accepted);
    EXPECT_EQ(maskOf(U"B").check(U'2', 0).status, Status::Refused);
}

TEST(InputMaskCheck, HexPositionsConvertCaseFirst)
{
    EXPECT_EQ(maskOf(U"H").check(U'f', 0), (InputMask::Check{U'F', Status::Changed}));
    EXPECT_EQ(maskOf(U"H").check(U'g', 0).status, Status::Refused);
    EXPECT_EQ(maskOf(U"h").check(U'C', 0), (InputMask::Check{U'c', Status::Changed}));
    EXPECT_EQ(maskOf(U"h").check(U'5', 0), (InputMask::Check{U'5', Status::Accepted}));
}

TEST(InputMaskCheck, LiteralPositionGivesTheLiteral)
{
    InputMask mask = maskOf(U"DD.DD");
    EXPECT_EQ(mask.check(U'.', 2), (InputMask::Check{U'.', Status::Accepted}));
    EXPECT_EQ(mask.check(U'5', 2), (InputMask::Check{U'.', Status::Changed}));
}

TEST(InputMaskCheck, TemplateCharacterIsAlwaysAccepted)
{
    EXPECT_EQ(maskOf(U"A").check(U' ', 0), (InputMask::Check{U' ', Status::Accepted}));
    EXPECT_EQ(maskOf(U"D").check(U'0', 0), (InputMask::Check{U'0', Status::Accepted}));
}

TEST(InputMaskCheck, PositionPastTheEndIsRefused)
{
    EXPECT_EQ(maskOf(U"DD").check(U'5', 2), (InputMask::Check{U'5', Status::Refused}));
}

TEST(InputMaskCheck, CheckTextRunsEveryCharacterAndFitsTheMask)
{
    InputMask mask = maskOf(U"AA-DD");
    EXPECT_EQ(mask.checkText(U"ab-1x"), U"AB-10");
    EXPECT_EQ(mask.checkText(U"ab"), U"AB-00");
    EXPECT_EQ(mask.checkText(U"ab-123456"), U"AB-12");
    EXPECT_EQ(InputMask().checkText(U"anything"), U"anything");
}

TEST(InputMaskCaret, PlaceholderStepsSkipLiterals)
{
    InputMask mask = maskOf(U"(DD.DD)");
    EXPECT_EQ(mask.firstPlaceholder(), 1u);
    EXPECT_EQ(mask.lastPlaceholder(), 5u);
    EXPECT_EQ(mask.editableEnd(), 6u);
    EXPECT_EQ(mask.nextPlaceholder(2), 4u);
    EXPECT_EQ(mask.nextPlaceholder(5), 6u);
    EXPECT_EQ(mask.previousPlaceholder(4), 2u);
    EXPECT_EQ(mask.previousPlaceholder(1), 1u);
}

TEST(InputMaskCaret, MaskWithoutPlaceholdersHasNoEditableText)
{
    InputMask mask = maskOf(U"/A-");
    EXPECT_EQ(mask.firstPlaceholder(), 0u);
    EXPECT_EQ(mask.editableEnd(), 0u);
}

} // namespace
} // namespace grid
