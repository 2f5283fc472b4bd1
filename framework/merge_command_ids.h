#pragma once

#include "framework/command_ids.h"

// Command identifiers of the merge window, beside those of the compare window. Navigation and
// the takes act on the current row and are carried out by the active pane; undo, redo and
// saving by the merge document; showing BASE by the merge frame.
namespace framework {

constexpr CommandId ID_MERGE_NEXT_CHANGE = 32830;       // F8, Alt+Down: greyed when no change follows
constexpr CommandId ID_MERGE_PREV_CHANGE = 32831;       // F7, Alt+Up: greyed when no change precedes
constexpr CommandId ID_MERGE_NEXT_CONFLICT = 32832;     // Ctrl+F8: greyed when no open conflict follows
constexpr CommandId ID_MERGE_PREV_CONFLICT = 32833;     // Ctrl+F7: greyed when no open conflict precedes
// The takes: greyed unless the current row lies in a change.
constexpr CommandId ID_MERGE_TAKE_LOCAL = 32834;        // Alt+Left
constexpr CommandId ID_MERGE_TAKE_REMOTE = 32835;       // Alt+Right
constexpr CommandId ID_MERGE_TAKE_LOCAL_REMOTE = 32836; // Alt+Shift+Left
constexpr CommandId ID_MERGE_TAKE_REMOTE_LOCAL = 32837; // Alt+Shift+Right
constexpr CommandId ID_MERGE_TAKE_BASE = 32838;         // Ctrl+B
constexpr CommandId ID_MERGE_UNDO = 32839;              // Ctrl+Z, Alt+Backspace: greyed with nothing to undo
constexpr CommandId ID_MERGE_REDO = 32840;              // Ctrl+Y, Ctrl+Shift+Z: greyed with nothing to redo
constexpr CommandId ID_MERGE_SAVE = 32841;              // Ctrl+S: never greyed
constexpr CommandId ID_MERGE_SHOW_BASE = 32842;         // Ctrl+Shift+B: checked while BASE is shown

} // namespace framework
