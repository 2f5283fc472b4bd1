#include "grid/input_mask.h"

#include <algorithm>

namespace grid {

namespace {

constexpr char32_t kEscape = U'/';
constexpr char32_t kLiteral = U' ';

bool isLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }
bool isUpper(char32_t c) { return c >= U'A' && c <= U'Z'; }
bool isLower(char32_t c) { return c >= U'a' && c <= U'z'; }
char32_t toUpper(char32_t c) { return isLower(c) ? c - U'a' + U'A' : c; }
char32_t toLower(char32_t c) { return isUpper(c) ? c - U'A' + U'a' : c; }
bool isDigitBelow(char32_t c, char32_t limit) { return c >= U'0' && c < U'0' + limit; }
bool isHexDigit(char32_t c, bool upper)
{
    return isDigitBelow(c, 10) || (upper ? (c >= U'A' && c <= U'F') : (c >= U'a' && c <= U'f'));
}

bool isPlaceholderKind(char32_t c)
{
    switch (c) {
    case U'A': case U'a': case U'C': case U'L': case U'S':
    case U'D': case U'O': case U'B': case U'H': case U'h':
        return true;
    default:
        return false;
    }
}

} // namespace

bool InputMask::set(std::u32string_view pattern, std::optional<std::u32string_view> fill)
{
    clear();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char32_t c = pattern[i];
        if (c == kEscape) {
            if (++i == pattern.size())
                break;
            c = pattern[i];
            m_kinds += kLiteral;
            m_template += c;
        } else if (isPlaceholderKind(c)) {
            m_kinds += c;
            m_template += templateFor(c);
        } else {
            m_kinds += kLiteral;
            m_template += c;
        }
    }
    if (!fill || empty())
        return true;
    if (fill->size() != m_template.size())
        return false;
    for (std::size_t i = 0; i < m_template.size(); ++i)
        if (isPlaceholder(i))
            m_template[i] = (*fill)[i];
    return true;
}

void InputMask::clear()
{
    m_kinds.clear();
    m_template.clear();
}

bool InputMask::isPlaceholder(std::size_t position) const
{
    return position < m_kinds.size() && m_kinds[position] != kLiteral;
}

std::size_t InputMask::firstPlaceholder() const
{
    for (std::size_t i = 0; i < m_kinds.size(); ++i)
        if (isPlaceholder(i))
            return i;
    return 0;
}

std::size_t InputMask::lastPlaceholder() const
{
    for (std::size_t i = m_kinds.size(); i-- > 0;)
        if (isPlaceholder(i))
            return i;
    return 0;
}

std::size_t InputMask::editableEnd() const
{
    std::size_t last = lastPlaceholder();
    return isPlaceholder(last) ? last + 1 : 0;
}

std::size_t InputMask::nextPlaceholder(std::size_t position) const
{
    for (std::size_t i = position + 1; i < m_kinds.size(); ++i)
        if (isPlaceholder(i))
            return i;
    return editableEnd();
}

std::size_t InputMask::previousPlaceholder(std::size_t position) const
{
    for (std::size_t i = std::min(position, m_kinds.size()); i-- > 0;)
        if (isPlaceholder(i))
            return i;
    return firstPlaceholder();
}

InputMask::Check InputMask::check(char32_t typed, std::size_t position) const
{
    if (empty())
        return {typed, Status::Accepted};
    if (position >= length())
        return {typed, Status::Refused};
    char32_t shown = m_template[position];
    if (typed == shown)
        return {typed, Status::Accepted};
    if (!isPlaceholder(position))
        return {shown, Status::Changed};
    return checkPlaceholder(m_kinds[position], typed, shown);
}

InputMask::Check InputMask::checkPlaceholder(char32_t kind, char32_t typed, char32_t shown)
{
    const Check refused{shown, Status::Refused};
    auto converted = [typed](char32_t c) {
        return Check{c, c == typed ? Status::Accepted : Status::Changed};
    };
    switch (kind) {
    case U'A': return isLetter(typed) ? converted(toUpper(typed)) : refused;
    case U'a': return isLetter(typed) ? converted(toLower(typed)) : refused;
    case U'C': return isLetter(typed) ? converted(typed) : refused;
    case U'L': return converted(typed);
    case U'S':
        return typed == U'+' || typed == U'-' ? converted(typed) : Check{shown, Status::Changed};
    case U'D': return isDigitBelow(typed, 10) ? converted(typed) : refused;
    case U'O': return isDigitBelow(typed, 8) ? converted(typed) : refused;
    case U'B': return isDigitBelow(typed, 2) ? converted(typed) : refused;
    case U'H': return isHexDigit(toUpper(typed), true) ? converted(toUpper(typed)) : refused;
    case U'h': return isHexDigit(toLower(typed), false) ? converted(toLower(typed)) : refused;
    default: return refused;
    }
}

std::u32string InputMask::checkText(std::u32string_view text) const
{
    if (empty())
        return std::u32string(text);
    std::u32string result = m_template;
    for (std::size_t i = 0; i < text.size() && i < length(); ++i)
        result[i] = check(text[i], i).character;
    return result;
}

char32_t InputMask::templateFor(char32_t kind)
{
    switch (kind) {
    case U'B': case U'D': case U'H': case U'O': case U'h':
        return U'0';
    default:
        return U' ';
    }
}

} // namespace grid
