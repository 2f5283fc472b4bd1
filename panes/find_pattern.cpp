#include "panes/find_pattern.h"

#include <cstring>

#include "platform/display_text.h"

namespace panes {

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

bool isAscii(std::string_view text)
{
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (word & kHighBits)
            return false;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    return true;
}

} // namespace

FindPattern::FindPattern(const std::string& text) : m_text(platform::displayText(text))
{
    for (int c = 0; c < 256; ++c)
        m_fold[std::size_t(c)] = std::uint8_t(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    for (const QChar c : m_text) {
        const QChar folded = c.toCaseFolded();
        if (folded.unicode() >= 0x80) {
            m_asciiFolded.clear();
            return;
        }
        m_asciiFolded.push_back(char(folded.unicode()));
    }
    // Horspool: how far the window may move when its last byte is c.
    const std::size_t length = m_asciiFolded.size();
    m_skip.fill(std::uint32_t(length));
    for (std::size_t i = 0; i + 1 < length; ++i) {
        const auto c = static_cast<unsigned char>(m_asciiFolded[i]);
        m_skip[c] = std::uint32_t(length - 1 - i);
        if (c >= 'a' && c <= 'z')
            m_skip[c - 'a' + 'A'] = m_skip[c];
    }
}

bool FindPattern::foundIn(std::string_view line) const
{
    if (m_text.isEmpty())
        return false;
    if (isAscii(line))
        return foundInAscii(line);
    return indexIn(platform::displayText(line)) >= 0;
}

bool FindPattern::foundInAscii(std::string_view line) const
{
    const std::size_t length = m_asciiFolded.size();
    if (length == 0 || line.size() < length)
        return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
    const auto* pattern = reinterpret_cast<const unsigned char*>(m_asciiFolded.data());
    for (std::size_t at = 0; at + length <= line.size();) {
        const unsigned char last = bytes[at + length - 1];
        if (m_fold[last] == pattern[length - 1]) {
            std::size_t i = 0;
            while (i + 1 < length && m_fold[bytes[at + i]] == pattern[i])
                ++i;
            if (i + 1 == length)
                return true;
        }
        at += m_skip[last];
    }
    return false;
}

qsizetype FindPattern::indexIn(const QString& text) const
{
    return text.indexOf(m_text, 0, Qt::CaseInsensitive);
}

} // namespace panes
