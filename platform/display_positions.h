#pragma once

#include <QFontMetrics>
#include <QString>
#include <string_view>

namespace platform {

// Where the characters of a line of bytes stand when it is painted (visibleText) in a font.
class DisplayPositions {
public:
    DisplayPositions(std::string_view bytes, const QFont& font);

    // The distance from the start of the text to the character that starts at byteOffset
    // (the text's width at its end).
    int x(std::size_t byteOffset) const;

private:
    std::string_view m_bytes;
    QFontMetrics m_metrics;
};

} // namespace platform
