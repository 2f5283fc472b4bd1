#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace core {

// The texts of lines built lately, found by hash, so that a line equal to one of them
// shares its stored bytes instead of storing them again: files repeat lines (braces,
// separators, log entries), and every stored byte is memory the system must provide.
// A later text with the same slot takes the place of an earlier one.
class RecentTexts {
public:
    RecentTexts();

    // The bytes of a remembered text equal to text, else null; in that case text
    // (stored bytes that stay where they are) is remembered in its place.
    const char* shareOrRemember(std::string_view text, std::uint32_t hash);

private:
    struct Entry {
        const char* bytes = nullptr;
        std::uint32_t length = 0;
        std::uint32_t hash = 0;
    };
    std::vector<Entry> m_entries;
};

} // namespace core
