#pragma once

#include <cstddef>
#include <string_view>

namespace core {

// Length of the valid UTF-8 sequence at the start of bytes (2 to 4 bytes for a character
// above U+007F), or 0 when none starts there. A single ASCII byte gives 0 too.
std::size_t utf8SequenceLength(std::string_view bytes);

// The whole text is valid UTF-8. Text that is not is shown byte by byte as Latin-1.
bool isValidUtf8(std::string_view bytes);

// A byte that continues a UTF-8 sequence: no character starts there.
inline bool isUtf8Continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

} // namespace core
