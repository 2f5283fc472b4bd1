#pragma once

#include <cstdint>
#include <string>

namespace framework {

// A font description in the fields the settings file stores ("Font" section).
struct LogFont {
    std::int32_t Height = 0;
    std::int32_t Width = 0;
    std::int32_t Escapement = 0;
    std::int32_t Orientation = 0;
    std::int32_t Weight = 0;
    std::uint8_t Italic = 0;
    std::uint8_t Underline = 0;
    std::uint8_t StrikeOut = 0;
    std::uint8_t CharSet = 0;
    std::uint8_t OutPrecision = 0;
    std::uint8_t ClipPrecision = 0;
    std::uint8_t Quality = 0;
    std::uint8_t PitchAndFamily = 0;
    std::string FaceName;    // at most kMaxFaceName characters

    static constexpr std::size_t kMaxFaceName = 31;
    bool operator==(const LogFont&) const = default;
};

} // namespace framework
