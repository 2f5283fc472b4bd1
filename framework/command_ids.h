#pragma once

#include <cstdint>

// Command identifiers: the resource numbers that menus, accelerators, toolbar buttons and
// status-bar indicators carry. They are the protocol between the bars and the handlers.
//
// Why a command is greyed: the router asks the active pane, the document, the main frame and
// the application in turn, and the first with an enable rule for the id decides
// (CommandRouter::enableDecider). The ids stand under the target that decides while a pane is
// active, each with its rule; a command another target carries out names that target. A
// command nobody has a rule for is enabled exactly when some target carries it out.
// tests/shell/command_rules_test.cpp holds every id to the section it stands in.
namespace framework {

using CommandId = std::uint32_t;

// ---- Decided by the active pane
// CBivaloView::addNavigationCommands, addEditingCommands, addCopyEnables,
// addClipboardCommands, addSaveCommands (panes/).
constexpr CommandId ID_FIND_NEXT = 32773;              // F3: greyed without rows
constexpr CommandId ID_NEXT_BOOKMARK = 32812;          // F2, Shift+F2 backwards: greyed without rows
constexpr CommandId ID_SWITCH_BOOKMARK = 32813;        // Ctrl+F2: greyed without a current row
constexpr CommandId ID_GOTO_LINE = 32819;              // Ctrl+G: greyed without a current row
constexpr CommandId ID_ADD_SKIP = 32801;               // "Add Skip": greyed without a current row
constexpr CommandId ID_FIRST_SKIP = 32802;             // "1st skip": greyed while the skip list is empty
constexpr CommandId ID_NEXT_SKIP = 32803;              // "Next skip": greyed while the skip list is empty
constexpr CommandId ID_UNSKIP = 32804;                 // "unskip": greyed while the skip list is empty
// "Edit Mode" (F9): greyed without rows, checked in edit mode. The document's rule (no rows
// or declined) stands in while no pane is active.
constexpr CommandId ID_EDIT_MODE = 32784;
constexpr CommandId ID_EDIT_MODE_INDICATOR = 32793;    // the "EDIT" status-bar pane: lit in edit mode
// "Src RO", "Dst RO": greyed outside edit mode; checked (lit on the status bar) while that
// side may be edited.
constexpr CommandId ID_SOURCE_READ_ONLY = 32816;
constexpr CommandId ID_TARGET_READ_ONLY = 32817;
constexpr CommandId ID_IGNORE_BLANKS = 32822;          // "Ignore blanks": never greyed, checked when set
// "&Undo\tAlt+Bcksp", carried out by the document: greyed while the pane has no rows and
// nothing is left to undo.
constexpr CommandId ID_UNDO = 32792;
// Copies carried out by the document: greyed unless edit mode is on, the receiving side may
// be edited and the current row is a difference row. The document's rule (declined) stands
// in while no pane is active.
constexpr CommandId ID_COPY_LINE_TO_TARGET = 32776;    // Ctrl+Alt+Right, Alt+Shift+Right
constexpr CommandId ID_COPY_DIFF_TO_TARGET = 32777;    // "Copy >>\tAlt+Right"
constexpr CommandId ID_COPY_LINE_TO_SOURCE = 32778;    // Ctrl+Alt+Left, Alt+Shift+Left
constexpr CommandId ID_COPY_DIFF_TO_SOURCE = 32779;    // "Copy <<\tAlt+Left"
constexpr CommandId ID_COPY_DIFF = 32815;              // "Copy diff" to the clipboard: greyed off a difference row
// Ctrl+C: greyed unless a text box outside the pane has the focus, rows are selected or the
// cell can copy (CTableView::hostCanCopy).
constexpr CommandId ID_EDIT_COPY = 57634;
// Ctrl+X: with a text box outside the pane focused, never greyed; otherwise greyed outside
// edit mode, and then, with rows selected, unless the pane may be edited, without, unless
// the cell can cut (CTableView::hostCanCut).
constexpr CommandId ID_EDIT_CUT = 57635;
// Ctrl+V: with a text box outside the pane focused, greyed while the clipboard holds no text;
// otherwise greyed unless the pane may be edited, has rows and an open cell editor that can
// paste (CTableView::hostCanPaste).
constexpr CommandId ID_EDIT_PASTE = 57637;
// "Save As Pair": greyed without rows; the menu text names the other side.
constexpr CommandId ID_SAVE_AS_PAIR = 32818;

// ---- Decided by the document
// CBivaloDoc::addCommands, addSaveCommands, addEnableOnlyAnswers (core/). "Declined": the
// host's DocumentHost::offers says no.
constexpr CommandId ID_RESCAN = 32783;                 // "Rescan\tF5": greyed without rows
constexpr CommandId ID_ALTERNATE_TOOL = 32781;         // Ctrl+F10: greyed without rows
constexpr CommandId ID_EASY_JOIN = 32800;              // "EasyJoin !": greyed without rows or declined
constexpr CommandId ID_OPTIONS = 32794;                // "Options...": greyed when declined
constexpr CommandId ID_HIDDEN = 32799;                 // "Hidden": never greyed, checked when set
constexpr CommandId ID_NO_SYNC = 32821;                // "No Sync": never greyed, checked while the panes scroll apart
constexpr CommandId ID_SAVE_SOURCE = 32805;            // "Save Source": greyed while that side is unchanged
constexpr CommandId ID_SAVE_TARGET = 32807;            // "Save Dest": greyed while that side is unchanged
constexpr CommandId ID_FILE_SAVE_ALL = 57603;          // "&Save All\tCtrl+S": greyed while nothing is unsaved
// Carried out by the pane: greyed without rows or declined.
constexpr CommandId ID_NEXT_DIFF = 32774;              // "Next Diff"
constexpr CommandId ID_PREV_DIFF = 32775;              // "Prev diff"
constexpr CommandId ID_FILE_SAVE_AS = 57604;           // "Save &As..."
// "Save As Result", carried out by the pane: greyed without a result file name.
constexpr CommandId ID_SAVE_AS_RESULT = 32823;
constexpr CommandId ID_REOPEN_WITH_ENCODING = 32840;  // the active pane: reads its file again in a chosen encoding

// ---- Decided by the main frame
// CMainFrame::addCommands (shell/).
constexpr CommandId ID_MOVE_NEXT = 32809;              // "Move Next": never greyed, checked when set
constexpr CommandId ID_INDICATOR_OVR = 59140;          // "OVR": lit in overwrite mode
// The lock keys' state is not known to the program: always grey.
constexpr CommandId ID_INDICATOR_CAPS = 59137;         // "CAP"
constexpr CommandId ID_INDICATOR_NUM = 59138;          // "NUM"

// ---- Decided by nobody
// Never greyed while the target named carries them out.
constexpr CommandId IDOK = 1;                          // the main frame: Enter in the Find box finds next
constexpr CommandId IDCANCEL = 2;                      // the pane: Escape
constexpr CommandId ID_COMPARE_FILES = 32771;          // the document: "&Compare files..."
constexpr CommandId ID_FONT = 32795;                   // the document: "Font..."
constexpr CommandId ID_FIND_WORD = 32772;              // the pane: "Find..." (the word at the caret)
constexpr CommandId ID_SHOW_CONTEXT_MENU = 32814;      // the pane: Shift+F10
constexpr CommandId ID_FIND_BOX = 32780;               // the main frame: "Find" focuses the Find box (Ctrl+F, Alt+A)
constexpr CommandId ID_INSERT_MODE = 32789;            // the main frame: Insert flips insert/overwrite
constexpr CommandId ID_TAKE_FIND_TEXT = 32808;         // the main frame: puts FindText into the Find box
constexpr CommandId ID_OPTION_CHANGED = 32810;         // the main frame: "Option changed"
constexpr CommandId ID_APP_EXIT = 57665;               // the main frame: "Exit"
constexpr CommandId ID_APP_ABOUT = 57664;              // the application: "About..."
// Status-bar legend panes: nobody carries them out, and a pane no rule answers for is lit.
constexpr CommandId ID_INDICATOR_SOURCE_ONLY = 32786;  // "Source only"
constexpr CommandId ID_INDICATOR_TARGET_ONLY = 32787;  // "Dest only"
constexpr CommandId ID_INDICATOR_CHANGED = 32788;      // "Changed"
constexpr CommandId ID_INDICATOR_DIRTY = 32798;        // "Dirty"

// String ids
constexpr std::uint32_t AFX_IDS_IDLEMESSAGE = 57345;   // "Ready"

} // namespace framework
