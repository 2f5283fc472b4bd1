#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace core {

// Sum over the bytes c1 .. cn, taken as signed 8-bit values, of ci * i * 6293815^i in
// unsigned 32-bit arithmetic; 0 for an empty string.
std::uint32_t lineHash(std::string_view bytes);

// The hash spread over all bits of a table index: its low bits are weak for short
// lines.
inline std::size_t spreadHash(std::uint32_t hash)
{
    return static_cast<std::size_t>((static_cast<std::uint64_t>(hash) * 0x9E3779B97F4A7C15ULL) >> 32);
}

} // namespace core
