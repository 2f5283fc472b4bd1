#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace core {

// Byte equality of two texts. Most lines are 8 to 64 bytes long: those are compared in
// a few word loads instead of a call.
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
    if (n < 8 || n > 64)
        return n == 0 || std::memcmp(x, y, n) == 0;
    // The last word overlaps the one before it.
    for (std::size_t k = 0; k + 8 < n; k += 8) {
        if (word(x + k) != word(y + k))
            return false;
    }
    return word(x + n - 8) == word(y + n - 8);
}

} // namespace core
