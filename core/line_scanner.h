#pragma once

#include <bit>
#include <cstddef>
#include <cstring>

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
    const void* lineFeed = std::memchr(block, '\n', static_cast<std::size_t>(end - block));
    found.at = lineFeed == nullptr ? end : static_cast<const char*>(lineFeed);
    if (const void* tab = ::memrchr(block, '\t', static_cast<std::size_t>(found.at - block)))
        found.lastTab = static_cast<const char*>(tab);
    return found;
}

#else

inline LineEnd findLineEnd(const char* begin, const char* end)
{
    LineEnd found;
    const void* lineFeed = std::memchr(begin, '\n', static_cast<std::size_t>(end - begin));
    found.at = lineFeed == nullptr ? end : static_cast<const char*>(lineFeed);
    for (const char* at = found.at; at-- > begin;) {
        if (*at == '\t') {
            found.lastTab = at;
            break;
        }
    }
    return found;
}

#endif


} // namespace core
