#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// White space that the display text leaves off the end of a line.
inline bool isTrailingWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// How the display text of a line follows from its bytes.
struct TextForm {
    std::size_t tabSize = 0; // every tab became this many blanks
    bool piece = false;      // a piece of a long line: its trailing white space stayed
};

// Every run of exactly tabSize blanks, searched left to right, becomes one tab; a tab size
// of 0 leaves the text as it is.
std::string compressTabs(std::string_view text, int tabSize);

// The bytes of a line whose display text went from oldText to newText, where bytes gave
// oldText. The common start and end of the two texts keep the bytes they came from, tabs and
// trailing white space included; only the stretch between is new, with runs of compressTabSize
// blanks made tabs (0: none). A tab whose blanks the edit cuts into gives way to the blanks
// the edit left of it. When the bytes no longer give oldText (the tab size changed since), only the
// trailing white space is kept.
std::string editedBytes(std::string_view bytes, const TextForm& form, std::string_view oldText,
                        std::string_view newText, int compressTabSize);

} // namespace core
