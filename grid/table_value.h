#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace grid {

// How a table box field stores its value.
enum class ValueType : int {
    Int8 = 0,
    UInt8 = 1,
    Int16 = 2,
    UInt16 = 3,
    Int32 = 4,
    Int32b = 5,
    Int32c = 6,
    Float = 7,
    Double = 8,
    Text = 9,    // a zero-terminated text
    None = 10,   // nothing is stored; storing succeeds
    Int32d = 11,
};

// What an integer read yields when the owner has no value.
constexpr std::int32_t kNoIntegerValue = 979797979;

// The value record passed by address with the store and edit-event requests.
struct TableValue {
    enum State : std::int32_t { Plain = 0, ListEditBegins = 2, ListEditEnds = 3 };

    std::int32_t field = 0;
    std::int32_t row = 0;
    void* editor = nullptr;   // the active editor's widget, or none
    std::int32_t state = Plain;
    std::int32_t reserved1 = 0;
    union {
        std::int8_t int8;
        std::uint8_t uint8;
        std::int16_t int16;
        std::uint16_t uint16;
        std::int32_t int32;
        float real32;
        double real64;
        const char* text;
        std::uint8_t bytes[8];
    } value{};
    std::int32_t reserved2 = 0;
};

bool isIntegerType(ValueType type);
// The integer stored at the address (of the field's type), kNoIntegerValue for none.
std::int32_t readInteger(ValueType type, const void* stored);
// The display text of a stored value; empty for none.
std::string formatValue(ValueType type, const void* stored);
// Puts a typed text into the record's value; false when it does not read as the type
// (a text field takes the text's address, which must outlive the record).
bool parseValue(ValueType type, const std::string& text, TableValue& record);

} // namespace grid
