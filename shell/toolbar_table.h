#pragma once

#include <span>
#include <string_view>

#include "framework/command_ids.h"

// The buttons of the main toolbar (resource 128), left to right. A command of 0 is a
// separator; the Find button becomes the Find box.
namespace shell {

struct ToolbarButton {
    framework::CommandId command = 0;
    std::string_view icon;    // resource path of the button's picture; empty for the Find box
};

std::span<const ToolbarButton> toolbarButtons();

// The resource path of a command's toolbar picture; empty when it has none.
std::string_view commandIconPath(framework::CommandId command);

// The program's own icon.
inline constexpr std::string_view kAppIconPath = ":/icons/bivalo.svg";

} // namespace shell
