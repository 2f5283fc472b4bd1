#include "shell/menu_table.h"

#include <array>

#include "framework/merge_command_ids.h"

namespace shell {
namespace {

using namespace framework;
using Kind = MenuEntry::Kind;

constexpr MenuEntry item(std::string_view text, CommandId command)
{
    return {Kind::Command, text, command, {}};
}

constexpr MenuEntry separator()
{
    return {Kind::Separator, {}, 0, {}};
}

constexpr MenuEntry popup(std::string_view text, std::span<const MenuEntry> items)
{
    return {Kind::Popup, text, 0, items};
}

constexpr auto kFileMenu = std::to_array<MenuEntry>({
    item("&Compare files...\tCtrl+O", ID_COMPARE_FILES),
    item("Rescan\tF5", ID_RESCAN),
    item("Reopen with &Encoding...", ID_REOPEN_WITH_ENCODING),
    separator(),
    item("&Save All\tCtrl+S", ID_FILE_SAVE_ALL),
    item("Save Source", ID_SAVE_SOURCE),
    item("Save Dest", ID_SAVE_TARGET),
    item("Save &As...", ID_FILE_SAVE_AS),
    item("Save As Pair", ID_SAVE_AS_PAIR),
    item("Save As Result", ID_SAVE_AS_RESULT),
    separator(),
    item("Alternate tool\tCtrl+F10", ID_ALTERNATE_TOOL),
    separator(),
    item("E&xit", ID_APP_EXIT),
});

constexpr auto kEditMenu = std::to_array<MenuEntry>({
    item("&Undo\tAlt+Bcksp", ID_UNDO),
    separator(),
    item("Cu&t\tCtrl+X", ID_EDIT_CUT),
    item("&Copy\tCtrl+C", ID_EDIT_COPY),
    item("Copy Diff", ID_COPY_DIFF),
    item("&Paste\tCtrl+V", ID_EDIT_PASTE),
    separator(),
    item("Edit Mode\tF9", ID_EDIT_MODE),
    item("Src RO", ID_SOURCE_READ_ONLY),
    item("Dst RO", ID_TARGET_READ_ONLY),
    item("Overwrite\tIns", ID_INSERT_MODE),
    separator(),
    item("Find box\tCtrl+F", ID_FIND_BOX),
    item("Find...\tCtrl+F3", ID_FIND_WORD),
    item("Find next\tF3", ID_FIND_NEXT),
});

constexpr auto kViewMenu = std::to_array<MenuEntry>({
    item("Next Diff\tF8", ID_NEXT_DIFF),
    item("Prev diff\tF7", ID_PREV_DIFF),
    separator(),
    item("Go to line...\tCtrl+G", ID_GOTO_LINE),
    item("Next Bookmark\tF2", ID_NEXT_BOOKMARK),
    item("Switch bookmark\tCtrl+F2", ID_SWITCH_BOOKMARK),
    separator(),
    item("Context menu\tShift+F10", ID_SHOW_CONTEXT_MENU),
});

constexpr auto kMergeMenu = std::to_array<MenuEntry>({
    item("Copy >>\tAlt+Right", ID_COPY_DIFF_TO_TARGET),
    item("Copy <<\tAlt+Left", ID_COPY_DIFF_TO_SOURCE),
    item("Line to Dest\tCtrl+Alt+Right, Alt+Shift+Right", ID_COPY_LINE_TO_TARGET),
    item("Line to Source\tCtrl+Alt+Left, Alt+Shift+Left", ID_COPY_LINE_TO_SOURCE),
    separator(),
    item("EasyJoin !", ID_EASY_JOIN),
    item("Add Skip", ID_ADD_SKIP),
    item("1st skip", ID_FIRST_SKIP),
    item("Next skip", ID_NEXT_SKIP),
    item("unskip", ID_UNSKIP),
});

constexpr auto kMoreMenu = std::to_array<MenuEntry>({
    item("No Sync", ID_NO_SYNC),
    item("Move Next", ID_MOVE_NEXT),
    item("Hidden", ID_HIDDEN),
    item("Ignore blanks", ID_IGNORE_BLANKS),
    separator(),
    item("Font...", ID_FONT),
    item("Options...", ID_OPTIONS),
});

constexpr auto kHelpMenu = std::to_array<MenuEntry>({
    item("&About Bivalo...", ID_APP_ABOUT),
});

constexpr auto kMainMenu = std::to_array<MenuEntry>({
    popup("&File", kFileMenu),
    popup("&Edit", kEditMenu),
    popup("&View", kViewMenu),
    popup("&Merge", kMergeMenu),
    popup("M&ore", kMoreMenu),
    popup("&Help", kHelpMenu),
});

constexpr auto kContextMenu = std::to_array<MenuEntry>({
    item("Copy\tCtrl+C", ID_EDIT_COPY),
    item("Copy Diff", ID_COPY_DIFF),
    item("Paste\tCtrl+V", ID_EDIT_PASTE),
    separator(),
    item("Prev Diff\tF7", ID_PREV_DIFF),
    item("Next Diff\tF8", ID_NEXT_DIFF),
    separator(),
    item("Copy >>\tAlt+Right", ID_COPY_DIFF_TO_TARGET),
    item("Copy <<\tAlt+Left", ID_COPY_DIFF_TO_SOURCE),
    separator(),
    item("Rescan\tF5", ID_RESCAN),
    separator(),
    item("Exit", ID_APP_EXIT),
});

constexpr auto kMergeFileMenu = std::to_array<MenuEntry>({
    item("&Save result\tCtrl+S", ID_MERGE_SAVE),
    separator(),
    item("E&xit\tCtrl+Q", ID_APP_EXIT),
});

constexpr auto kMergeEditMenu = std::to_array<MenuEntry>({
    item("&Undo\tCtrl+Z", ID_MERGE_UNDO),
    item("&Redo\tCtrl+Y", ID_MERGE_REDO),
    separator(),
    item("Take &LOCAL\tAlt+Left", ID_MERGE_TAKE_LOCAL),
    item("Take &REMOTE\tAlt+Right", ID_MERGE_TAKE_REMOTE),
    item("Take LOCAL &then REMOTE\tAlt+Shift+Left", ID_MERGE_TAKE_LOCAL_REMOTE),
    item("Take REMOTE t&hen LOCAL\tAlt+Shift+Right", ID_MERGE_TAKE_REMOTE_LOCAL),
    item("Take &BASE\tCtrl+B", ID_MERGE_TAKE_BASE),
});

constexpr auto kMergeGoMenu = std::to_array<MenuEntry>({
    item("&Next change\tF8", ID_MERGE_NEXT_CHANGE),
    item("&Previous change\tF7", ID_MERGE_PREV_CHANGE),
    item("Next &conflict\tCtrl+F8", ID_MERGE_NEXT_CONFLICT),
    item("P&revious conflict\tCtrl+F7", ID_MERGE_PREV_CONFLICT),
});

constexpr auto kMergeViewMenu = std::to_array<MenuEntry>({
    item("Show &BASE\tCtrl+Shift+B", ID_MERGE_SHOW_BASE),
});

constexpr auto kMergeWindowMenu = std::to_array<MenuEntry>({
    popup("&File", kMergeFileMenu),
    popup("&Edit", kMergeEditMenu),
    popup("&Go", kMergeGoMenu),
    popup("&View", kMergeViewMenu),
});

constexpr auto kMergeContextMenu = std::to_array<MenuEntry>({
    item("Take LOCAL\tAlt+Left", ID_MERGE_TAKE_LOCAL),
    item("Take REMOTE\tAlt+Right", ID_MERGE_TAKE_REMOTE),
    item("Take LOCAL then REMOTE\tAlt+Shift+Left", ID_MERGE_TAKE_LOCAL_REMOTE),
    item("Take REMOTE then LOCAL\tAlt+Shift+Right", ID_MERGE_TAKE_REMOTE_LOCAL),
    item("Take BASE\tCtrl+B", ID_MERGE_TAKE_BASE),
    separator(),
    item("Previous change\tF7", ID_MERGE_PREV_CHANGE),
    item("Next change\tF8", ID_MERGE_NEXT_CHANGE),
});

} // namespace

std::span<const MenuEntry> mergeMenu()
{
    return kMergeWindowMenu;
}

std::span<const MenuEntry> mergeContextMenu()
{
    return kMergeContextMenu;
}

std::span<const MenuEntry> mainMenu()
{
    return kMainMenu;
}

std::span<const MenuEntry> contextMenu()
{
    return kContextMenu;
}

} // namespace shell
