#include "core/line_scanner.h"

#include <algorithm>
#include <cstring>

namespace core {

LineEnd findLongLineEnd(const char* from, const char* end, const char* lastTab)
{
    LineEnd found;
    const void* lineFeed = std::memchr(from, '\n', static_cast<std::size_t>(end - from));
    found.at = lineFeed == nullptr ? end : static_cast<const char*>(lineFeed);
    const void* tab = ::memrchr(from, '\t', static_cast<std::size_t>(found.at - from));
    found.lastTab = tab == nullptr ? lastTab : static_cast<const char*>(tab);
    return found;
}

std::size_t countTabs(std::string_view bytes)
{
    std::size_t tabs = 0;
    std::size_t at = 0;
#if defined(__SSE2__)
    // Each byte lane counts up to 255 matches before the lanes are summed.
    constexpr std::size_t kBlocksPerSum = 255;
    const __m128i tab = _mm_set1_epi8('\t');
    while (at + kLineScanSlack <= bytes.size()) {
        __m128i counts = _mm_setzero_si128();
        for (std::size_t block = 0; block < kBlocksPerSum && at + kLineScanSlack <= bytes.size();
             ++block, at += kLineScanSlack) {
            const __m128i bytesHere = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
            counts = _mm_sub_epi8(counts, _mm_cmpeq_epi8(bytesHere, tab));
        }
        const __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
        tabs += static_cast<std::size_t>(_mm_cvtsi128_si64(sums)) +
                static_cast<std::size_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
    }
#endif
    return tabs + static_cast<std::size_t>(std::count(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end(), '\t'));
}

} // namespace core
