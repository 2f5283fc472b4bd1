#include "shell/accelerator_table.h"

#include <algorithm>
#include <array>

#include "framework/merge_command_ids.h"

namespace shell {
namespace {

using namespace framework;

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;
constexpr Qt::KeyboardModifiers kAltShift = Qt::AltModifier | Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kMatched = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

const auto kAccelerators = std::to_array<Accelerator>({
    {Qt::Key_O, kCtrl, ID_COMPARE_FILES},
    {Qt::Key_F5, kNone, ID_RESCAN},
    {Qt::Key_S, kCtrl, ID_FILE_SAVE_ALL},
    {Qt::Key_F10, kCtrl, ID_ALTERNATE_TOOL},

    {Qt::Key_Backspace, kAlt, ID_UNDO},
    {Qt::Key_Z, kCtrl, ID_UNDO},
    {Qt::Key_C, kCtrl, ID_EDIT_COPY},
    {Qt::Key_Insert, kCtrl, ID_EDIT_COPY},
    {Qt::Key_V, kCtrl, ID_EDIT_PASTE},
    {Qt::Key_Insert, kShift, ID_EDIT_PASTE},
    {Qt::Key_X, kCtrl, ID_EDIT_CUT},
    {Qt::Key_Delete, kShift, ID_EDIT_CUT},
    {Qt::Key_F9, kNone, ID_EDIT_MODE},
    {Qt::Key_Insert, kNone, ID_INSERT_MODE},

    {Qt::Key_F, kCtrl, ID_FIND_BOX},
    {Qt::Key_A, kAlt, ID_FIND_BOX},
    {Qt::Key_F3, kCtrl, ID_FIND_WORD},
    {Qt::Key_F3, kNone, ID_FIND_NEXT},
    {Qt::Key_G, kCtrl, ID_GOTO_LINE},

    {Qt::Key_F8, kNone, ID_NEXT_DIFF},
    {Qt::Key_Down, kAlt, ID_NEXT_DIFF},
    {Qt::Key_F7, kNone, ID_PREV_DIFF},
    {Qt::Key_Up, kAlt, ID_PREV_DIFF},
    {Qt::Key_F10, kShift, ID_SHOW_CONTEXT_MENU},

    {Qt::Key_Right, kAlt, ID_COPY_DIFF_TO_TARGET},
    {Qt::Key_Left, kAlt, ID_COPY_DIFF_TO_SOURCE},
    {Qt::Key_Right, kCtrlAlt, ID_COPY_LINE_TO_TARGET},
    {Qt::Key_Left, kCtrlAlt, ID_COPY_LINE_TO_SOURCE},
    // The common desktops switch workspaces with Ctrl+Alt and an arrow: these reach the program.
    {Qt::Key_Right, kAltShift, ID_COPY_LINE_TO_TARGET},
    {Qt::Key_Left, kAltShift, ID_COPY_LINE_TO_SOURCE},
});

const auto kMergeAccelerators = std::to_array<Accelerator>({
    {Qt::Key_S, kCtrl, ID_MERGE_SAVE},
    {Qt::Key_Q, kCtrl, ID_APP_EXIT},
    {Qt::Key_Z, kCtrl, ID_MERGE_UNDO},
    {Qt::Key_Backspace, kAlt, ID_MERGE_UNDO},
    {Qt::Key_Y, kCtrl, ID_MERGE_REDO},
    {Qt::Key_Z, kCtrl | kShift, ID_MERGE_REDO},
    {Qt::Key_F8, kNone, ID_MERGE_NEXT_CHANGE},
    {Qt::Key_Down, kAlt, ID_MERGE_NEXT_CHANGE},
    {Qt::Key_F7, kNone, ID_MERGE_PREV_CHANGE},
    {Qt::Key_Up, kAlt, ID_MERGE_PREV_CHANGE},
    {Qt::Key_F8, kCtrl, ID_MERGE_NEXT_CONFLICT},
    {Qt::Key_F7, kCtrl, ID_MERGE_PREV_CONFLICT},
    {Qt::Key_Left, kAlt, ID_MERGE_TAKE_LOCAL},
    {Qt::Key_Right, kAlt, ID_MERGE_TAKE_REMOTE},
    {Qt::Key_Left, kAltShift, ID_MERGE_TAKE_LOCAL_REMOTE},
    {Qt::Key_Right, kAltShift, ID_MERGE_TAKE_REMOTE_LOCAL},
    {Qt::Key_B, kCtrl, ID_MERGE_TAKE_BASE},
    {Qt::Key_B, kCtrl | kShift, ID_MERGE_SHOW_BASE},
});

std::optional<CommandId> findIn(std::span<const Accelerator> table, int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers relevant = modifiers & kMatched;
    const auto found = std::find_if(table.begin(), table.end(), [&](const Accelerator& entry) {
        return entry.key == key && entry.modifiers == relevant;
    });
    if (found == table.end())
        return std::nullopt;
    return found->command;
}

} // namespace

std::optional<CommandId> findMergeAccelerator(int key, Qt::KeyboardModifiers modifiers)
{
    return findIn(kMergeAccelerators, key, modifiers);
}

std::span<const Accelerator> accelerators()
{
    return kAccelerators;
}

std::optional<CommandId> findAccelerator(int key, Qt::KeyboardModifiers modifiers)
{
    return findIn(kAccelerators, key, modifiers);
}

} // namespace shell
