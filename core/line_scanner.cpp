#include "core/line_scanner.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace core {

#if defined(__SSE2__)

LineEnd findLineEnd(const char* begin, const char* end)
{
    const __m128i lineFeeds = _mm_set1_epi8('\n');
    const __m128i tabs = _mm_set1_epi8('\t');
    LineEnd found;
    for (const char* block = begin; block < end; block += kLineScanSlack) {
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
    found.at = end;
    return found;
}

#else

LineEnd findLineEnd(const char* begin, const char* end)
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
