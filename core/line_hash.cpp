#include "core/line_hash.h"

#include <algorithm>
#include <array>

namespace core {

namespace {

constexpr std::uint32_t kFactor = 6293815; // 0x600937
// Texts up to this length take their weights from a table; longer ones (rare) go on
// with a running power.
constexpr std::size_t kTabledLength = 1 << 14;

using WeightTable = std::array<std::uint32_t, kTabledLength>;

// weights[k] = (k + 1) * kFactor^(k + 1): the factor of the byte at offset k.
constexpr WeightTable makeWeights()
{
    WeightTable weights{};
    std::uint32_t power = 1;
    for (std::size_t k = 0; k < kTabledLength; ++k) {
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

// One multiplication per byte with no chain between bytes, so the compiler can use
// vector instructions where the processor has them.
__attribute__((target_clones("avx2", "default")))
std::uint32_t weightedSum(const char* bytes, std::size_t length)
{
    std::uint32_t hash = 0;
    for (std::size_t k = 0; k < length; ++k)
        hash += signedByte(bytes[k]) * kWeights[k];
    return hash;
}

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
