#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace panes {

// A search text compared without regard to letter case, against line texts as the panes
// show them (UTF-8, or Latin-1 for a line that is not valid UTF-8). A line of plain ASCII
// is searched in its bytes, with a skip table; any other line through its decoded text.
class FindPattern {
public:
    explicit FindPattern(const std::string& text);

    bool empty() const { return m_text.isEmpty(); }
    qsizetype length() const { return m_text.size(); }
    bool foundIn(std::string_view line) const;
    // Where the pattern starts in a text, -1 when it does not occur.
    qsizetype indexIn(const QString& text) const;

private:
    bool foundInAscii(std::string_view line) const;

    QString m_text;
    // The pattern folded to ASCII lower case; empty when some letter of it has no ASCII
    // fold, so that no ASCII line can hold it.
    std::string m_asciiFolded;
    std::array<std::uint8_t, 256> m_fold{};
    std::array<std::uint32_t, 256> m_skip{};
};

} // namespace panes
