#include "grid/table_value.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>

namespace grid {

namespace {

template <typename T>
T load(const void* stored)
{
    T value;
    std::memcpy(&value, stored, sizeof value);
    return value;
}

std::string_view trimmed(const std::string& text)
{
    std::string_view view(text);
    while (!view.empty() && view.front() == ' ')
        view.remove_prefix(1);
    while (!view.empty() && view.back() == ' ')
        view.remove_suffix(1);
    return view;
}

std::optional<long long> readWhole(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<double> readReal(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

template <typename T>
bool storeWhole(std::optional<long long> value, T& into)
{
    if (!value || *value < std::numeric_limits<T>::min() || *value > std::numeric_limits<T>::max())
        return false;
    into = T(*value);
    return true;
}

std::string formatReal(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

} // namespace

bool isIntegerType(ValueType type)
{
    switch (type) {
    case ValueType::Int8: case ValueType::UInt8: case ValueType::Int16: case ValueType::UInt16:
    case ValueType::Int32: case ValueType::Int32b: case ValueType::Int32c: case ValueType::Int32d:
        return true;
    default:
        return false;
    }
}

std::int32_t readInteger(ValueType type, const void* stored)
{
    if (!stored || !isIntegerType(type))
        return kNoIntegerValue;
    switch (type) {
    case ValueType::Int8: return load<std::int8_t>(stored);
    case ValueType::UInt8: return load<std::uint8_t>(stored);
    case ValueType::Int16: return load<std::int16_t>(stored);
    case ValueType::UInt16: return load<std::uint16_t>(stored);
    default: return load<std::int32_t>(stored);
    }
}

std::string formatValue(ValueType type, const void* stored)
{
    if (!stored)
        return {};
    switch (type) {
    case ValueType::Text: return static_cast<const char*>(stored);
    case ValueType::None: return {};
    case ValueType::Float: return formatReal(load<float>(stored));
    case ValueType::Double: return formatReal(load<double>(stored));
    default: return std::to_string(readInteger(type, stored));
    }
}

bool parseValue(ValueType type, const std::string& text, TableValue& record)
{
    auto& value = record.value;
    switch (type) {
    case ValueType::Text: value.text = text.c_str(); return true;
    case ValueType::None: return true;
    case ValueType::Int8: return storeWhole(readWhole(trimmed(text)), value.int8);
    case ValueType::UInt8: return storeWhole(readWhole(trimmed(text)), value.uint8);
    case ValueType::Int16: return storeWhole(readWhole(trimmed(text)), value.int16);
    case ValueType::UInt16: return storeWhole(readWhole(trimmed(text)), value.uint16);
    case ValueType::Float: {
        auto real = readReal(trimmed(text));
        if (real)
            value.real32 = float(*real);
        return real.has_value();
    }
    case ValueType::Double: {
        auto real = readReal(trimmed(text));
        if (real)
            value.real64 = *real;
        return real.has_value();
    }
    default: return storeWhole(readWhole(trimmed(text)), value.int32);
    }
}

} // namespace grid
