#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace core {

// Byte equality of two texts. Most lines are 8 to 32 bytes long: those are compared in
// a few overlapping word loads instead of a call.
inline bool equalBytes(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    const std::size_t n = a.size();
    auto word = [](const char* bytes) {
        std::uint64_t value = 0;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    };
    const char* x = a.data();
    const char* y = b.data();
    if (n >= 8 && n <= 16)
        return word(x) == word(y) && word(x + n - 8) == word(y + n - 8);
    if (n > 16 && n <= 32) {
        return word(x) == word(y) && word(x + 8) == word(y + 8) && word(x + n - 16) == word(y + n - 16)
            && word(x + n - 8) == word(y + n - 8);
    }
    return n == 0 || std::memcmp(x, y, n) == 0;
}

} // namespace core
