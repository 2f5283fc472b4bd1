#include "core/line_hash.h"

#include <array>

namespace core {

namespace {

constexpr std::uint32_t kFactor = 6293815; // 0x600937
constexpr std::size_t kLanes = 8;

std::uint32_t signedByte(char c)
{
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int8_t>(c)));
}

constexpr std::uint32_t power(std::size_t exponent)
{
    std::uint32_t result = 1;
    for (std::size_t k = 0; k < exponent; ++k)
        result *= kFactor;
    return result;
}

} // namespace

// The sum taken in kLanes independent lanes (byte i in lane i mod kLanes), so that the
// multiplications do not wait for each other; unsigned arithmetic makes the order of the
// additions irrelevant.
std::uint32_t lineHash(std::string_view bytes)
{
    constexpr std::uint32_t kLaneStep = power(kLanes);
    std::array<std::uint32_t, kLanes> sums{};
    std::array<std::uint32_t, kLanes> powers{};
    std::array<std::uint32_t, kLanes> positions{};
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
        powers[lane] = power(lane + 1);
        positions[lane] = static_cast<std::uint32_t>(lane + 1);
    }
    const std::size_t whole = bytes.size() - bytes.size() % kLanes;
    for (std::size_t at = 0; at < whole; at += kLanes) {
        for (std::size_t lane = 0; lane < kLanes; ++lane) {
            sums[lane] += signedByte(bytes[at + lane]) * positions[lane] * powers[lane];
            powers[lane] *= kLaneStep;
            positions[lane] += kLanes;
        }
    }
    std::uint32_t hash = 0;
    for (std::size_t lane = 0; lane < kLanes; ++lane)
        hash += sums[lane];
    // The lanes now hold the powers and positions of the bytes that follow.
    for (std::size_t at = whole; at < bytes.size(); ++at)
        hash += signedByte(bytes[at]) * positions[at - whole] * powers[at - whole];
    return hash;
}

} // namespace core
