#pragma once

#include <QIcon>

#include "framework/command_ids.h"

// The pictures of the program, drawn as SVG so that they stay sharp at any scale.
namespace shell {

// Registers the resource file; safe to call more than once.
void initResources();

QIcon appIcon();
// The toolbar picture of a command; a null icon when it has none.
QIcon commandIcon(framework::CommandId command);

// The pictures of the dialogs, by resource number.
constexpr int kFolderMenuIcon = 138;     // the pair dialog's folder menu button
constexpr int kAnyColorBitmap = 150;     // the colour box's choose-any-colour entry
constexpr int kAddFilterIcon = 1138;
constexpr int kDeleteFilterIcon = 1140;
constexpr int kFilterUpIcon = 1141;
constexpr int kFilterDownIcon = 1142;
// A null icon for another number.
QIcon dialogIcon(int resourceId);

} // namespace shell
