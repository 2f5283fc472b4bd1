#include "shell/toolbar_table.h"

#include <algorithm>
#include <array>

namespace shell {
namespace {

using namespace framework;

constexpr ToolbarButton kSeparator{0, {}};

constexpr auto kButtons = std::to_array<ToolbarButton>({
    {ID_COMPARE_FILES, ":/icons/compare.svg"},
    {ID_RESCAN, ":/icons/rescan.svg"},
    {ID_FILE_SAVE_ALL, ":/icons/save_all.svg"},
    kSeparator,
    {ID_EDIT_CUT, ":/icons/cut.svg"},
    {ID_EDIT_COPY, ":/icons/copy.svg"},
    {ID_EDIT_PASTE, ":/icons/paste.svg"},
    {ID_UNDO, ":/icons/undo.svg"},
    kSeparator,
    {ID_PREV_DIFF, ":/icons/prev_diff.svg"},
    {ID_NEXT_DIFF, ":/icons/next_diff.svg"},
    kSeparator,
    {ID_COPY_DIFF_TO_SOURCE, ":/icons/copy_left.svg"},
    {ID_COPY_DIFF_TO_TARGET, ":/icons/copy_right.svg"},
    {ID_EDIT_MODE, ":/icons/edit_mode.svg"},
    {ID_IGNORE_BLANKS, ":/icons/ignore_blanks.svg"},
    {ID_EASY_JOIN, ":/icons/easyjoin.svg"},
    {ID_ALTERNATE_TOOL, ":/icons/alternate.svg"},
    kSeparator,
    {ID_FIND_BOX, {}},
    {ID_FIND_NEXT, ":/icons/find_next.svg"},
    kSeparator,
    {ID_APP_ABOUT, ":/icons/about.svg"},
});

} // namespace

std::span<const ToolbarButton> toolbarButtons()
{
    return kButtons;
}

std::string_view commandIconPath(CommandId command)
{
    const auto found = std::find_if(kButtons.begin(), kButtons.end(),
                                    [command](const ToolbarButton& button) { return button.command == command; });
    return found == kButtons.end() ? std::string_view() : found->icon;
}

} // namespace shell
