#pragma once

#include <cstdint>

// Command identifiers: the resource numbers that menus, accelerators, toolbar buttons and
// status-bar indicators carry. They are the protocol between the bars and the handlers.
namespace framework {

using CommandId = std::uint32_t;

// Dialog answers that also travel as commands (the Find box sends OK to the main frame).
constexpr CommandId IDOK = 1;
constexpr CommandId IDCANCEL = 2;

// Document
constexpr CommandId ID_COMPARE_FILES = 32771;          // "&Compare files..."
constexpr CommandId ID_RESCAN = 32783;                 // "Rescan\tF5"
constexpr CommandId ID_COPY_LINE_TO_DEST = 32776;      // Ctrl+Alt+Right
constexpr CommandId ID_COPY_DIFF_TO_DEST = 32777;      // "Copy >>\tAlt+Right"
constexpr CommandId ID_COPY_LINE_TO_SOURCE = 32778;    // Ctrl+Alt+Left
constexpr CommandId ID_COPY_DIFF_TO_SOURCE = 32779;    // "Copy <<\tAlt+Left"
constexpr CommandId ID_ALTERNATE_TOOL = 32781;         // Ctrl+F10
constexpr CommandId ID_UNDO = 32792;                   // "&Undo\tAlt+Bcksp"
constexpr CommandId ID_OPTIONS = 32794;                // "Options..."
constexpr CommandId ID_FONT = 32795;                   // "Font..."
constexpr CommandId ID_HIDDEN = 32799;                 // "Hidden"
constexpr CommandId ID_EASY_JOIN = 32800;              // "EasyJoin !"
constexpr CommandId ID_SAVE_SOURCE = 32805;            // "Save Source"
constexpr CommandId ID_SAVE_DEST = 32807;              // "Save Dest"
constexpr CommandId ID_NO_SYNC = 32821;                // "No Sync"

// Panes: navigation, find, bookmarks, go to line
constexpr CommandId ID_FIND_WORD = 32772;              // "Find..." (the word at the caret)
constexpr CommandId ID_FIND_NEXT = 32773;              // F3
constexpr CommandId ID_NEXT_DIFF = 32774;              // "Next Diff"
constexpr CommandId ID_PREV_DIFF = 32775;              // "Prev diff"
constexpr CommandId ID_NEXT_BOOKMARK = 32812;          // F2, Shift+F2 backwards
constexpr CommandId ID_SWITCH_BOOKMARK = 32813;        // Ctrl+F2
constexpr CommandId ID_GOTO_LINE = 32819;              // Ctrl+G

// Panes: EasyJoin skip list
constexpr CommandId ID_ADD_SKIP = 32801;               // "Add Skip"
constexpr CommandId ID_FIRST_SKIP = 32802;             // "1st skip"
constexpr CommandId ID_NEXT_SKIP = 32803;              // "Next skip"
constexpr CommandId ID_UNSKIP = 32804;                 // "unskip"

// Panes: editing and clipboard
constexpr CommandId ID_EDIT_MODE = 32784;              // "Edit Mode" (F9)
constexpr CommandId ID_EDIT_MODE_INDICATOR = 32793;    // the "EDIT" status-bar pane, same command
constexpr CommandId ID_COPY_DIFF = 32815;              // "Copy diff" to the clipboard
constexpr CommandId ID_SOURCE_READ_ONLY = 32816;       // "Src RO"
constexpr CommandId ID_DEST_READ_ONLY = 32817;         // "Dst RO"
constexpr CommandId ID_SAVE_AS_PAIR = 32818;           // "Save As Pair"
constexpr CommandId ID_SHOW_CONTEXT_MENU = 32814;      // Shift+F10
constexpr CommandId ID_IGNORE_BLANKS = 32822;          // "Ignore blanks"
constexpr CommandId ID_SAVE_AS_RESULT = 32823;         // "Save As Result"

// Main frame
constexpr CommandId ID_FIND_BOX = 32780;               // "Find": focus the Find box (Ctrl+F, Alt+A)
constexpr CommandId ID_INSERT_MODE = 32789;            // Insert key: flip insert/overwrite
constexpr CommandId ID_TAKE_FIND_TEXT = 32808;         // put FindText into the Find box
constexpr CommandId ID_MOVE_NEXT = 32809;              // "Move Next"
constexpr CommandId ID_OPTION_CHANGED = 32810;         // "Option changed"

// Status-bar legend panes
constexpr CommandId ID_INDICATOR_SOURCE_ONLY = 32786;  // "Source only"
constexpr CommandId ID_INDICATOR_DEST_ONLY = 32787;    // "Dest only"
constexpr CommandId ID_INDICATOR_CHANGED = 32788;      // "Changed"
constexpr CommandId ID_INDICATOR_DIRTY = 32798;        // "Dirty"

// The framework's own
constexpr CommandId ID_FILE_SAVE_ALL = 57603;          // "&Save All\tCtrl+S"
constexpr CommandId ID_FILE_SAVE_AS = 57604;           // "Save &As..."
constexpr CommandId ID_EDIT_COPY = 57634;              // Ctrl+C
constexpr CommandId ID_EDIT_CUT = 57635;               // Ctrl+X
constexpr CommandId ID_EDIT_PASTE = 57637;             // Ctrl+V
constexpr CommandId ID_APP_ABOUT = 57664;              // "About..."
constexpr CommandId ID_APP_EXIT = 57665;               // "Exit"
constexpr CommandId ID_INDICATOR_CAPS = 59137;         // "CAP"
constexpr CommandId ID_INDICATOR_NUM = 59138;          // "NUM"
constexpr CommandId ID_INDICATOR_OVR = 59140;          // "OVR"

// String ids
constexpr std::uint32_t AFX_IDS_IDLEMESSAGE = 57345;   // "Ready"

} // namespace framework
