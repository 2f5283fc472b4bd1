#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <Qt>

#include "framework/command_ids.h"

namespace random_driver {

// What a user can do to the window, one step at a time. A step carries everything it needs,
// its dialog answers too, so that any sublist of a run's steps can be replayed.
enum class StepKind {
    Key,           // a: the key in keyTable(), b: the pane (0 source, 1 target)
    Type,          // text typed where the focus is, b: the pane
    Command,       // a: the command in commandTable(), b: the pane it is given in
    GoTo,          // a: the row (modulo the row count), b: the pane
    Select,        // rows a .. a + (b >> 1) selected (modulo the row count), b & 1: the pane
    UndoAll,       // undo until the undo store is empty, then compare with its starting point
    SaveAs,        // the active pane's "Save As..." into the run's folder, b: the pane
    OutsideChange, // a: the side another program rewrites, b: the kind of change
    FindText,      // text put into the Find box, then F3 in pane b
};

struct Step {
    StepKind kind = StepKind::Key;
    int a = 0;
    int b = 0;
    // Seeds the answers of the dialogs and message boxes this step brings up.
    std::uint32_t answers = 0;
    std::string text;
};

struct KeyEntry {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};

struct CommandEntry {
    framework::CommandId id;
    const char* name;
};

const std::vector<KeyEntry>& keyTable();
const std::vector<CommandEntry>& commandTable();

Step randomStep(std::mt19937& random);
std::vector<Step> randomSteps(unsigned seed, int count);

// The step pastes lines from the clipboard: they become typed lines.
bool isPaste(const Step& step);

// One line per step, and back; describe() is for people.
std::string serialize(const Step& step);
Step parseStep(const std::string& line);
std::string describe(const Step& step);

} // namespace random_driver
