#pragma once

#include <bit>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace core {

// Bytes a buffer handed to findLineEnd must have addressable after its end: the scan
// reads whole blocks and ignores what lies beyond.
constexpr std::size_t kLineScanSlack = 16;

struct LineEnd {
    const char* at = nullptr;      // the first '\n', or the end of the buffer
    const char* lastTab = nullptr; // the last tab before it, or null
};

// The rest of findLineEnd for a line that goes on past `from`, out of line so that the
// short lines' loop stays small; lastTab is the last tab before from, or null.
LineEnd findLongLineEnd(const char* from, const char* end, const char* lastTab);

// The tabs in bytes, sixteen bytes at a time: a long line may hold thousands.
std::size_t countTabs(std::string_view bytes);

// One pass over [begin, end) for the line end and its tabs, so that a line without
// tabs, or with tabs only in its indentation, needs no second search. Inline: it runs
// once a line.
#if defined(__SSE2__)

inline LineEnd findLineEnd(const char* begin, const char* end)
{
    // Past this many bytes without a line end the line is long: the library's searches,
    // which take wider blocks, find its end and then its last tab.
    constexpr std::size_t kShortLine = 4 * kLineScanSlack;
    const __m128i lineFeeds = _mm_set1_epi8('\n');
    const __m128i tabs = _mm_set1_epi8('\t');
    LineEnd found;
    const char* block = begin;
    for (; block < end && block < begin + kShortLine; block += kLineScanSlack) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
        auto lineFeedBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lineFeeds)));
        auto tabBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, tabs)));
        const auto valid = static_cast<std::size_t>(end - block);
        if (valid < kLineScanSlack) {
            const unsigned inside = (1u << valid) - 1;
            lineFeedBits &= inside;
            tabBits &= inside;
        }
        if (lineFeedBits != 0) {
            const int lineFeed = std::countr_zero(lineFeedBits);
            tabBits &= (1u << lineFeed) - 1;
            if (tabBits != 0)
                found.lastTab = block + std::bit_width(tabBits) - 1;
            found.at = block + lineFeed;
            return found;
        }
        if (tabBits != 0)
            found.lastTab = block + std::bit_width(tabBits) - 1;
    }
    if (block >= end) {
        found.at = end;
        return found;
    }
    return findLongLineEnd(block, end, found.lastTab);
}

#else

inline LineEnd findLineEnd(const char* begin, const char* end)
{
    return findLongLineEnd(begin, end, nullptr);
}

#endif

} // namespace core
