#pragma once

#include <cstdint>
#include <string_view>

namespace core {

// Sum over the bytes c1 .. cn, taken as signed 8-bit values, of ci * i * 6293815^i in
// unsigned 32-bit arithmetic; 0 for an empty string.
std::uint32_t lineHash(std::string_view bytes);

} // namespace core
