#pragma once

#include <optional>
#include <span>

#include <Qt>

#include "framework/command_ids.h"

// The main window's accelerators: a key with exactly these modifiers gives the command.
// The main frame consults the table after the focused pane had its chance at the key.
namespace shell {

struct Accelerator {
    int key = 0;                                // Qt::Key
    Qt::KeyboardModifiers modifiers;            // Shift, Control and Alt only
    framework::CommandId command = 0;
};

std::span<const Accelerator> accelerators();

// The command of a key press; keypad and other modifiers are not part of the match.
std::optional<framework::CommandId> findAccelerator(int key, Qt::KeyboardModifiers modifiers);

// The merge window's accelerators, looked up the same way.
std::optional<framework::CommandId> findMergeAccelerator(int key, Qt::KeyboardModifiers modifiers);

} // namespace shell
