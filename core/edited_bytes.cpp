#include "core/edited_bytes.h"

#include <algorithm>


namespace core {

namespace {

std::size_t widthOf(char c, std::size_t tabSize)
{
    return c == '\t' ? tabSize : 1;
}

// Whether expanding the tabs of bytes gives text.
bool expandsTo(std::string_view bytes, std::string_view text, std::size_t tabSize)
{
    std::size_t column = 0;
    for (const char c : bytes) {
        const std::size_t width = widthOf(c, tabSize);
        if (column + width > text.size())
            return false;
        const std::string_view shown = text.substr(column, width);
        if (c == '\t' ? shown.find_first_not_of(' ') != std::string_view::npos : shown[0] != c)
            return false;
        column += width;
    }
    return column == text.size();
}

// The bytes at both ends of a line that stand for whole columns of the unchanged start and
// end of its text.
struct KeptBytes {
    std::size_t startBytes = 0;
    std::size_t startColumns = 0;
    std::size_t endFrom = 0; // the first byte of the kept end
    std::size_t endColumns = 0;
};

KeptBytes keptBytes(std::string_view shown, std::size_t sameStart, std::size_t sameEnd, std::size_t tabSize)
{
    KeptBytes kept{.endFrom = shown.size()};
    while (kept.startBytes < shown.size() &&
           kept.startColumns + widthOf(shown[kept.startBytes], tabSize) <= sameStart)
        kept.startColumns += widthOf(shown[kept.startBytes++], tabSize);
    while (kept.endFrom > kept.startBytes && kept.endColumns + widthOf(shown[kept.endFrom - 1], tabSize) <= sameEnd)
        kept.endColumns += widthOf(shown[--kept.endFrom], tabSize);
    return kept;
}

std::size_t commonStart(std::string_view a, std::string_view b)
{
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

std::size_t commonEnd(std::string_view a, std::string_view b, std::size_t limit)
{
    const auto ends = std::mismatch(a.rbegin(), a.rend(), b.rbegin(), b.rend());
    return std::min(static_cast<std::size_t>(ends.first - a.rbegin()), limit);
}

} // namespace

std::string editedBytes(std::string_view bytes, const TextForm& form, std::string_view oldText,
                        std::string_view newText, int compressTabSize)
{
    std::size_t shownLength = bytes.size();
    while (!form.piece && shownLength > 0 && isTrailingWhiteSpace(bytes[shownLength - 1]))
        --shownLength;
    const std::string_view shown = bytes.substr(0, shownLength);
    KeptBytes kept{.endFrom = shownLength};
    if (expandsTo(shown, oldText, form.tabSize)) {
        const std::size_t sameStart = commonStart(oldText, newText);
        const std::size_t sameEnd =
            commonEnd(oldText, newText, std::min(oldText.size(), newText.size()) - sameStart);
        kept = keptBytes(shown, sameStart, sameEnd, form.tabSize);
    }
    const std::string_view typed =
        newText.substr(kept.startColumns, newText.size() - kept.endColumns - kept.startColumns);
    std::string result(bytes.substr(0, kept.startBytes));
    result += compressTabs(typed, compressTabSize);
    result += bytes.substr(kept.endFrom);
    return result;
}

std::string compressTabs(std::string_view text, int tabSize)
{
    if (tabSize <= 0)
        return std::string(text);
    const std::string tabString(static_cast<std::size_t>(tabSize), ' ');
    std::string result;
    result.reserve(text.size());
    std::size_t read = 0;
    for (std::size_t found = text.find(tabString); found != std::string_view::npos;
         found = text.find(tabString, read)) {
        result.append(text, read, found - read);
        result.push_back('\t');
        read = found + tabString.size();
    }
    result.append(text, read);
    return result;
}

} // namespace core
