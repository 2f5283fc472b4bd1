#include "shell/string_table.h"

#include <algorithm>
#include <array>
#include <utility>

#include "framework/command_ids.h"
#include "framework/services.h"

namespace shell {
namespace {

using namespace framework;

// String 99: the version, the last word of the application title.
constexpr std::string_view kVersion = std::string_view(kAppTitle).substr(std::string_view(kAppTitle).rfind(' ') + 1);

struct StringEntry {
    std::uint32_t id;
    std::string_view text;
};

constexpr auto kStrings = std::to_array<StringEntry>({
    {IDS_VERSION, kVersion},
    {AFX_IDS_IDLEMESSAGE, "Ready"},

    {ID_INDICATOR_SOURCE_ONLY, "Source only"},
    {ID_INDICATOR_TARGET_ONLY, "Dest only"},
    {ID_INDICATOR_CHANGED, "Changed"},
    {ID_INDICATOR_DIRTY, "Dirty"},
    {ID_EDIT_MODE_INDICATOR, "EDIT"},
    {ID_INDICATOR_OVR, "OVR"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_SOURCE_READ_ONLY, "Source file is editable"},
    {ID_TARGET_READ_ONLY, "Target file is editable"},

    {ID_COMPARE_FILES, "Choose a pair of files and compare them\nCompare files (Ctrl+O)"},
    {ID_RESCAN, "Read both files again and compare them\nRescan (F5)"},
    {ID_REOPEN_WITH_ENCODING, "Read the file of the active pane again in another encoding\nReopen with Encoding"},
    {ID_COPY_LINE_TO_TARGET, "Copy Current line to Dest\nLine to Dest (Ctrl+Alt+Right, Alt+Shift+Right)"},
    {ID_COPY_DIFF_TO_TARGET, "Copy Curr Diff to Dest\nCopy >> (Alt+Right)"},
    {ID_COPY_LINE_TO_SOURCE, "Copy Current line to Source\nLine to Source (Ctrl+Alt+Left, Alt+Shift+Left)"},
    {ID_COPY_DIFF_TO_SOURCE, "Copy Curr Diff to Source\nCopy << (Alt+Left)"},
    {ID_ALTERNATE_TOOL, "Call other diff view tool\nAlternate (Ctrl-F10)"},
    {ID_UNDO, "Undo the last change\nUndo (Alt+Backspace)"},
    {ID_OPTIONS, "Change the options and the colours\nOptions"},
    {ID_FONT, "Choose the font of the file panes\nFont"},
    {ID_HIDDEN, "Show rows without a line as ----\nHidden"},
    {ID_EASY_JOIN, "Enter EasyJoin mode\nEasyJoin"},
    {ID_SAVE_SOURCE, "Save the source file\nSave Source"},
    {ID_SAVE_TARGET, "Save the target file\nSave Dest"},
    {ID_NO_SYNC, "Scroll the two panes independently\nNo Sync"},

    {ID_FIND_WORD, "Find the word at the caret\nFind (Ctrl+F3)"},
    {ID_FIND_NEXT, "Find the next occurrence of the Find box text\nFind next (F3)"},
    {ID_NEXT_DIFF, "Go to the next difference\nNext Diff (F8)"},
    {ID_PREV_DIFF, "Go to the previous difference\nPrev diff (F7)"},
    {ID_NEXT_BOOKMARK, "Go to the next bookmark; with Shift, the previous one\nNext Bookmark (F2)"},
    {ID_SWITCH_BOOKMARK, "Set or clear the bookmark of the current row\nSwitch bookmark (Ctrl+F2)"},
    {ID_GOTO_LINE, "Go to a line number\nGo to line (Ctrl+G)"},

    {ID_ADD_SKIP, "Add the current row to the skip list\nAdd Skip"},
    {ID_FIRST_SKIP, "Go to the first skipped row\n1st skip"},
    {ID_NEXT_SKIP, "Go to the next skipped row\nNext skip"},
    {ID_UNSKIP, "Remove the current row from the skip list\nunskip"},

    {ID_EDIT_MODE, "Switch edit mode on or off\nEdit Mode (F9)"},
    {ID_COPY_DIFF, "Copy the current difference to the clipboard\nCopy Diff"},
    {ID_SAVE_AS_PAIR, "Replace second file with current one\nSave As Pair"},
    {ID_SHOW_CONTEXT_MENU, "Show the context menu of the pane\nContext menu (Shift+F10)"},
    {ID_IGNORE_BLANKS, "Compare lines ignoring blanks\nIgnore blanks"},
    {ID_SAVE_AS_RESULT, "Save the pane's rows to the result file\nSave As Result"},

    {ID_FIND_BOX, "Type the text to find\nFind (Ctrl+F)"},
    {ID_INSERT_MODE, "Switch between insert and overwrite\nInsert"},
    {ID_MOVE_NEXT, "Go to the next difference after each copy\nMove Next"},

    {ID_FILE_SAVE_ALL, "Save every changed file\nSave All (Ctrl+S)"},
    {ID_FILE_SAVE_AS, "Save the pane's file under a new name\nSave As"},
    {ID_EDIT_COPY, "Copy the selection to the clipboard\nCopy (Ctrl+C)"},
    {ID_EDIT_CUT, "Cut the selection to the clipboard\nCut (Ctrl+X)"},
    {ID_EDIT_PASTE, "Insert the clipboard contents\nPaste (Ctrl+V)"},
    {ID_APP_ABOUT, "Display program information and version\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
});

} // namespace

std::string_view loadString(std::uint32_t id)
{
    const auto found = std::find_if(kStrings.begin(), kStrings.end(),
                                    [id](const StringEntry& entry) { return entry.id == id; });
    return found == kStrings.end() ? std::string_view() : found->text;
}

std::string_view commandPrompt(std::uint32_t id)
{
    const std::string_view text = loadString(id);
    return text.substr(0, text.find('\n'));
}

std::string_view commandTip(std::uint32_t id)
{
    const std::string_view text = loadString(id);
    const auto lineFeed = text.find('\n');
    return lineFeed == std::string_view::npos ? text : text.substr(lineFeed + 1);
}

} // namespace shell
