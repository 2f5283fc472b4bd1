#include "core/recent_texts.h"

#include <cstring>

#include "core/equal_bytes.h"

namespace core {

namespace {

// Enough for the lines a file repeats, small enough to stay in the cache.
constexpr std::size_t kSlotBits = 10;
constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;

std::uint64_t eightBytesAt(const char* bytes)
{
    std::uint64_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

} // namespace

RecentTexts::RecentTexts() : m_known(kSlots) {}

std::size_t RecentTexts::slotOf(std::size_t leadingBlanks, std::string_view rest)
{
    std::uint64_t head = rest.size() << 16 ^ leadingBlanks;
    std::uint64_t tail = 0;
    if (rest.size() >= sizeof(std::uint64_t)) {
        head ^= eightBytesAt(rest.data()) << 1;
        tail = eightBytesAt(rest.data() + rest.size() - sizeof(std::uint64_t));
    } else {
        for (const char c : rest)
            tail = tail << 8 | static_cast<unsigned char>(c);
    }
    const std::uint64_t mixed = head * 0x9E3779B97F4A7C15ULL ^ tail * 0xC2B2AE3D27D4EB4FULL;
    return static_cast<std::size_t>((mixed ^ mixed >> 29) >> (64 - kSlotBits));
}

const LineRecord* RecentTexts::find(std::size_t leadingBlanks, std::string_view rest) const
{
    const Known& known = m_known[slotOf(leadingBlanks, rest)];
    if (known.line == nullptr || known.leadingBlanks != leadingBlanks)
        return nullptr;
    const std::string_view text = known.line->text();
    if (text.size() != leadingBlanks + rest.size() || !equalBytes(text.substr(leadingBlanks), rest))
        return nullptr;
    return known.line;
}

void RecentTexts::remember(const LineRecord& line, std::size_t leadingBlanks)
{
    m_known[slotOf(leadingBlanks, line.text().substr(leadingBlanks))] = {&line, leadingBlanks};
}

} // namespace core
