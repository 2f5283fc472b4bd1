#pragma once

#include <span>

#include "framework/command_ids.h"
#include "shell/menu_table.h"

class QAction;
class QMenu;
class QMenuBar;
class QObject;

// Menus built from the menu tables. Each item is a QAction that carries its command id;
// the owner of the menu turns a triggered action into a routed command.
namespace shell {

QAction* createCommandAction(framework::CommandId command, std::string_view text, QObject* parent);
// The command an action carries; 0 for actions that carry none (separators, popups).
framework::CommandId commandOf(const QAction* action);

void fillMenu(QMenu& menu, std::span<const MenuEntry> entries);
void fillMenuBar(QMenuBar& bar, std::span<const MenuEntry> popups);

} // namespace shell
