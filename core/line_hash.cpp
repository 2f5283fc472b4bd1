#include "core/line_hash.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace core {

namespace {

constexpr std::uint32_t kFactor = 6293815; // 0x600937
// Texts up to this length take their weights from a table; longer ones (rare) go on
// with a running power.
constexpr std::size_t kTabledLength = 1 << 14;
// The vector sum reads weights a block at a time, the last block past kTabledLength.
constexpr std::size_t kBlock = 16;

using WeightTable = std::array<std::uint32_t, kTabledLength + kBlock>;

// weights[k] = (k + 1) * kFactor^(k + 1): the factor of the byte at offset k.
constexpr WeightTable makeWeights()
{
    WeightTable weights{};
    std::uint32_t power = 1;
    for (std::size_t k = 0; k < weights.size(); ++k) {
        power *= kFactor;
        weights[k] = static_cast<std::uint32_t>(k + 1) * power;
    }
    return weights;
}

constexpr WeightTable kWeights = makeWeights();

constexpr std::uint32_t powerOfFactor(std::size_t exponent)
{
    std::uint32_t power = 1;
    for (std::size_t k = 0; k < exponent; ++k)
        power *= kFactor;
    return power;
}

std::uint32_t signedByte(char c)
{
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int8_t>(c)));
}

std::uint32_t weightedSumPortable(const char* bytes, std::size_t length)
{
    std::uint32_t hash = 0;
    for (std::size_t k = 0; k < length; ++k)
        hash += signedByte(bytes[k]) * kWeights[k];
    return hash;
}

#if defined(__x86_64__)

__attribute__((target("avx2")))
__m256i addWeightedBlock(__m256i sum, __m128i block, std::size_t at)
{
    const __m256i low = _mm256_cvtepi8_epi32(block);
    const __m256i high = _mm256_cvtepi8_epi32(_mm_srli_si128(block, 8));
    const auto* weights = reinterpret_cast<const __m256i*>(kWeights.data() + at);
    sum = _mm256_add_epi32(sum, _mm256_mullo_epi32(low, _mm256_loadu_si256(weights)));
    return _mm256_add_epi32(sum, _mm256_mullo_epi32(high, _mm256_loadu_si256(weights + 1)));
}

// Sixteen bytes a step. The last, partial block is read whole when that cannot cross
// into another page, which is what makes short lines cheap; the bytes beyond the end
// are masked to zero. Reading them is invisible to the program but not to the
// address checker, hence its exemption.
__attribute__((target("avx2"), no_sanitize_address))
std::uint32_t weightedSumAvx2(const char* bytes, std::size_t length)
{
    constexpr std::uintptr_t kPageSize = 4096;
    __m256i sum = _mm256_setzero_si256();
    std::size_t at = 0;
    for (; at + kBlock <= length; at += kBlock)
        sum = addWeightedBlock(sum, _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at)), at);
    if (at < length) {
        const std::size_t rest = length - at;
        __m128i block;
        if ((reinterpret_cast<std::uintptr_t>(bytes + at) & (kPageSize - 1)) <= kPageSize - kBlock) {
            block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        } else {
            alignas(kBlock) char copy[kBlock] = {};
            std::memcpy(copy, bytes + at, rest);
            block = _mm_load_si128(reinterpret_cast<const __m128i*>(copy));
        }
        const __m128i offsets = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
        const __m128i inside = _mm_cmpgt_epi8(_mm_set1_epi8(static_cast<char>(rest)), offsets);
        sum = addWeightedBlock(sum, _mm_and_si128(block, inside), at);
    }
    __m128i total = _mm_add_epi32(_mm256_castsi256_si128(sum), _mm256_extracti128_si256(sum, 1));
    total = _mm_add_epi32(total, _mm_shuffle_epi32(total, 0x4e));
    total = _mm_add_epi32(total, _mm_shuffle_epi32(total, 0xb1));
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(total));
}

std::uint32_t weightedSum(const char* bytes, std::size_t length)
{
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    return hasAvx2 ? weightedSumAvx2(bytes, length) : weightedSumPortable(bytes, length);
}

#else

std::uint32_t weightedSum(const char* bytes, std::size_t length)
{
    return weightedSumPortable(bytes, length);
}

#endif

} // namespace

std::uint32_t lineHash(std::string_view bytes)
{
    const std::size_t tabled = std::min(bytes.size(), kTabledLength);
    std::uint32_t hash = weightedSum(bytes.data(), tabled);
    std::uint32_t power = powerOfFactor(kTabledLength);
    for (std::size_t k = tabled; k < bytes.size(); ++k) {
        power *= kFactor;
        hash += signedByte(bytes[k]) * static_cast<std::uint32_t>(k + 1) * power;
    }
    return hash;
}

} // namespace core
