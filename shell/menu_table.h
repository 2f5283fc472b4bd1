#pragma once

#include <span>
#include <string_view>

#include "framework/command_ids.h"

// The menus of the program as data: the main menu bar (resource 128) and the panes'
// context menu (resource 135). A text holds the label, a tab, then the key text.
namespace shell {

struct MenuEntry {
    enum class Kind { Command, Separator, Popup };

    Kind kind = Kind::Command;
    std::string_view text;
    framework::CommandId command = 0;
    std::span<const MenuEntry> popup;    // the items of a Popup
};

// The popups of the menu bar, in order.
std::span<const MenuEntry> mainMenu();
// The items of the first popup of the context menu.
std::span<const MenuEntry> contextMenu();
// The merge window's menu bar and the context menu of its columns.
std::span<const MenuEntry> mergeMenu();
std::span<const MenuEntry> mergeContextMenu();

} // namespace shell
