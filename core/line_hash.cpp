#include "core/line_hash.h"

namespace core {

namespace {

constexpr std::uint32_t kFactor = 6293815; // 0x600937

std::uint32_t signedByte(char c)
{
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int8_t>(c)));
}

} // namespace

std::uint32_t lineHash(std::string_view bytes)
{
    std::uint32_t hash = 0;
    std::uint32_t power = 1;
    std::uint32_t position = 0;
    for (const char c : bytes) {
        ++position;
        power *= kFactor;
        hash += signedByte(c) * position * power;
    }
    return hash;
}

} // namespace core
