#include "core/line_units.h"

namespace core {

namespace {

enum class UnitKind { Word, Blank, Other };

UnitKind kindOf(char byte)
{
    const auto c = static_cast<unsigned char>(byte);
    if (c == ' ' || c == '\t')
        return UnitKind::Blank;
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c >= 0x80)
        return UnitKind::Word;
    return UnitKind::Other;
}

std::uint32_t hashOf(std::string_view bytes)
{
    std::uint32_t hash = 2166136261u;
    for (const char byte : bytes)
        hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
    return hash;
}

} // namespace

std::vector<LineUnit> splitUnits(std::string_view text, bool skipBlanks)
{
    std::vector<LineUnit> units;
    splitUnits(text, skipBlanks, units);
    return units;
}

void splitUnits(std::string_view text, bool skipBlanks, std::vector<LineUnit>& units)
{
    units.clear();
    std::size_t at = 0;
    while (at < text.size()) {
        const UnitKind kind = kindOf(text[at]);
        std::size_t end = at + 1;
        if (kind != UnitKind::Other) {
            while (end < text.size() && kindOf(text[end]) == kind)
                ++end;
        }
        if (kind != UnitKind::Blank || !skipBlanks) {
            const std::string_view bytes = text.substr(at, end - at);
            units.push_back({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(bytes.size()), hashOf(bytes),
                             kind == UnitKind::Blank});
        }
        at = end;
    }
}

} // namespace core
