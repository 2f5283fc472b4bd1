#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace grid {

// An input mask: position by position, which characters may be typed and which positions
// are fixed literals. Built from a pattern (A a C L S D O B H h are placeholders, "/" makes
// the next pattern character a literal, anything else is a literal). Characters are code
// points, so a mask works on any text the editor holds; letters are the ASCII letters.
class InputMask {
public:
    enum class Status { Accepted = 0, Changed = 1, Refused = 2 };
    struct Check {
        char32_t character;
        Status status;
        bool operator==(const Check&) const = default;
    };

    // An empty pattern clears the mask. A fill text must be exactly as long as the template
    // and gives the placeholders their shown characters; of another length it makes the call
    // fail with the mask already set from the pattern.
    bool set(std::u32string_view pattern, std::optional<std::u32string_view> fill = std::nullopt);
    void clear();

    bool empty() const { return m_kinds.empty(); }
    std::size_t length() const { return m_kinds.size(); }
    // For each position the placeholder letter, or a blank for a literal position.
    const std::u32string& kinds() const { return m_kinds; }
    // For each position the character shown when nothing was typed there.
    const std::u32string& templateText() const { return m_template; }

    bool isPlaceholder(std::size_t position) const;
    // Caret positions, counted in characters. Without placeholders every answer is 0.
    std::size_t firstPlaceholder() const;
    std::size_t lastPlaceholder() const;
    // The end of the editable text: just after the last placeholder.
    std::size_t editableEnd() const;
    // The first placeholder after the position, else the end of the editable text.
    std::size_t nextPlaceholder(std::size_t position) const;
    // The last placeholder before the position, else the first placeholder.
    std::size_t previousPlaceholder(std::size_t position) const;

    // The check of one character typed at a position.
    Check check(char32_t typed, std::size_t position) const;
    // Every character of the text (up to the mask length) through the check.
    std::u32string checkText(std::u32string_view text) const;

private:
    static char32_t templateFor(char32_t kind);
    static Check checkPlaceholder(char32_t kind, char32_t typed, char32_t shown);

    std::u32string m_kinds;
    std::u32string m_template;
};

} // namespace grid
