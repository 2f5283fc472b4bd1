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

} // namespace shell
