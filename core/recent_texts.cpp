#include "core/recent_texts.h"

#include <cstring>

#include "core/line_hash.h"

namespace core {

namespace {

// Enough for the lines a file repeats, small enough to stay in the cache.
constexpr std::size_t kEntries = 1024;

} // namespace

RecentTexts::RecentTexts() : m_entries(kEntries) {}

const char* RecentTexts::shareOrRemember(std::string_view text, std::uint32_t hash)
{
    Entry& entry = m_entries[spreadHash(hash) & (kEntries - 1)];
    if (entry.bytes != nullptr && entry.hash == hash && entry.length == text.size()
        && std::memcmp(entry.bytes, text.data(), text.size()) == 0)
        return entry.bytes;
    entry = {text.data(), static_cast<std::uint32_t>(text.size()), hash};
    return nullptr;
}

} // namespace core
