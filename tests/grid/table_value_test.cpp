#include <gtest/gtest.h>

#include "grid/stored_widths.h"
#include "grid/table_value.h"

namespace grid {
namespace {

TEST(TableValue, IntegersAreReadInTheFieldsOwnWidth)
{
    std::int32_t stored = -1;
    EXPECT_EQ(readInteger(ValueType::UInt8, &stored), 255);
    EXPECT_EQ(readInteger(ValueType::Int16, &stored), -1);
    EXPECT_EQ(readInteger(ValueType::Int32d, &stored), -1);
    EXPECT_EQ(readInteger(ValueType::Int32, nullptr), kNoIntegerValue);
}

TEST(TableValue, FormatShowsTextNumbersAndNothingForNone)
{
    double real = 2.5;
    std::int16_t small = -300;
    EXPECT_EQ(formatValue(ValueType::Text, "name"), "name");
    EXPECT_EQ(formatValue(ValueType::Double, &real), "2.5");
    EXPECT_EQ(formatValue(ValueType::Int16, &small), "-300");
    EXPECT_EQ(formatValue(ValueType::None, &small), "");
    EXPECT_EQ(formatValue(ValueType::Int32, nullptr), "");
}

TEST(TableValue, ParseStoresInTheTypesWidthAndRefusesWhatDoesNotFit)
{
    TableValue record;
    EXPECT_TRUE(parseValue(ValueType::UInt8, " 200 ", record));
    EXPECT_EQ(record.value.uint8, 200);
    EXPECT_FALSE(parseValue(ValueType::UInt8, "300", record));
    EXPECT_FALSE(parseValue(ValueType::Int32, "12x", record));
    EXPECT_TRUE(parseValue(ValueType::Float, "1.5", record));
    EXPECT_FLOAT_EQ(record.value.real32, 1.5f);
    std::string text = "typed";
    EXPECT_TRUE(parseValue(ValueType::Text, text, record));
    EXPECT_STREQ(record.value.text, "typed");
}

TEST(StoredWidths, JoinedWithCommasWithoutATrailingOne)
{
    EXPECT_EQ(formatStoredWidths({120, 80, 200}), "120,80,200");
    EXPECT_EQ(formatStoredWidths({}), "");
}

TEST(StoredWidths, EmptyTextOrAZeroPieceIsUnusable)
{
    EXPECT_FALSE(parseStoredWidths(""));
    EXPECT_FALSE(parseStoredWidths("120,0,200"));
    EXPECT_FALSE(parseStoredWidths("120,,200"));
    EXPECT_FALSE(parseStoredWidths("abc"));
    EXPECT_EQ(parseStoredWidths("120,80,200"), (std::vector<int>{120, 80, 200}));
}

} // namespace
} // namespace grid
