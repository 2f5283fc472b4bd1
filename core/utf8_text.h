#pragma once

#include <cstddef>
#include <string_view>

namespace core {

// Length of the valid UTF-8 sequence at the start of bytes (2 to 4 bytes for a character
// above U+007F), or 0 when none starts there. A single ASCII byte gives 0 too.
std::size_t utf8SequenceLength(std::string_view bytes);

// The whole text is valid UTF-8.
bool isValidUtf8(std::string_view bytes);

// How much of a file's text is UTF-8, counted line by line (no character spans a line end).
class Utf8Census {
public:
    void add(std::string_view bytes);
    // Its bytes that are not UTF-8 are many beside its characters above ASCII (a text in an
    // 8-bit code page seldom holds one by chance): not UTF-8 with a few stray bytes.
    bool isMostlyNotUtf8() const { return m_strayBytes > kStrayBytesPerCharacter * m_characters; }
    bool isAllUtf8() const { return m_strayBytes == 0; }

private:
    static constexpr std::size_t kStrayBytesPerCharacter = 4;

    void addNonAscii(std::string_view bytes);

    std::size_t m_characters = 0;
    std::size_t m_strayBytes = 0;
};

// A byte that continues a UTF-8 sequence: no character starts there.
inline bool isUtf8Continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

} // namespace core
