#include "tests/random/random_steps.h"

#include <array>
#include <cstdio>
#include <sstream>
#include <string_view>

namespace random_driver {
namespace {

using namespace framework;

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;
constexpr Qt::KeyboardModifiers kAltShift = Qt::AltModifier | Qt::ShiftModifier;

std::size_t below(std::mt19937& random, std::size_t n)
{
    return random() % n;
}

std::string typedText(std::mt19937& random)
{
    static constexpr std::array<std::string_view, 9> pieces{"x", "Q", " ", "    ", "ab", "alpha", "}", "  ", "z"};
    std::string text;
    for (std::size_t k = 1 + below(random, 3); k > 0; --k)
        text += pieces[below(random, pieces.size())];
    return text;
}

std::string hex(const std::string& text)
{
    std::string out;
    char digits[3];
    for (const unsigned char c : text) {
        std::snprintf(digits, sizeof digits, "%02x", c);
        out += digits;
    }
    return out.empty() ? "-" : out;
}

std::string unhex(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; text != "-" && i + 1 < text.size(); i += 2)
        out += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    return out;
}

} // namespace

const std::vector<KeyEntry>& keyTable()
{
    static const std::vector<KeyEntry> keys{
        {Qt::Key_Up, kNone, "Up"}, {Qt::Key_Down, kNone, "Down"}, {Qt::Key_Left, kNone, "Left"},
        {Qt::Key_Right, kNone, "Right"}, {Qt::Key_PageUp, kNone, "PgUp"}, {Qt::Key_PageDown, kNone, "PgDn"},
        {Qt::Key_Home, kNone, "Home"}, {Qt::Key_End, kNone, "End"}, {Qt::Key_Home, kCtrl, "Ctrl+Home"},
        {Qt::Key_End, kCtrl, "Ctrl+End"}, {Qt::Key_PageUp, kCtrl, "Ctrl+PgUp"},
        {Qt::Key_PageDown, kCtrl, "Ctrl+PgDn"}, {Qt::Key_Up, kShift, "Shift+Up"},
        {Qt::Key_Down, kShift, "Shift+Down"}, {Qt::Key_PageDown, kShift, "Shift+PgDn"},
        {Qt::Key_Tab, kNone, "Tab"}, {Qt::Key_Tab, kCtrl, "Ctrl+Tab"}, {Qt::Key_Return, kNone, "Enter"},
        {Qt::Key_Return, kCtrl, "Ctrl+Enter"}, {Qt::Key_Y, kCtrl, "Ctrl+Y"},
        {Qt::Key_Y, kCtrlShift, "Shift+Ctrl+Y"}, {Qt::Key_F10, kCtrlShift, "Ctrl+Shift+F10"},
        {Qt::Key_F2, kNone, "F2"}, {Qt::Key_F2, kShift, "Shift+F2"}, {Qt::Key_F2, kCtrl, "Ctrl+F2"},
        {Qt::Key_F3, kNone, "F3"}, {Qt::Key_F3, kCtrl, "Ctrl+F3"}, {Qt::Key_F7, kNone, "F7"},
        {Qt::Key_F8, kNone, "F8"}, {Qt::Key_Up, kAlt, "Alt+Up"}, {Qt::Key_Down, kAlt, "Alt+Down"},
        {Qt::Key_F9, kNone, "F9"}, {Qt::Key_F9, kNone, "F9"}, {Qt::Key_Insert, kNone, "Insert"},
        {Qt::Key_Right, kAlt, "Alt+Right"}, {Qt::Key_Left, kAlt, "Alt+Left"},
        {Qt::Key_Right, kCtrlAlt, "Ctrl+Alt+Right"}, {Qt::Key_Left, kCtrlAlt, "Ctrl+Alt+Left"},
        {Qt::Key_Right, kAltShift, "Alt+Shift+Right"}, {Qt::Key_Left, kAltShift, "Alt+Shift+Left"},
        {Qt::Key_Backspace, kAlt, "Alt+Backspace"}, {Qt::Key_Z, kCtrl, "Ctrl+Z"}, {Qt::Key_C, kCtrl, "Ctrl+C"},
        {Qt::Key_X, kCtrl, "Ctrl+X"}, {Qt::Key_V, kCtrl, "Ctrl+V"}, {Qt::Key_Insert, kShift, "Shift+Insert"},
        {Qt::Key_Delete, kShift, "Shift+Delete"}, {Qt::Key_Insert, kCtrl, "Ctrl+Insert"},
        {Qt::Key_G, kCtrl, "Ctrl+G"}, {Qt::Key_S, kCtrl, "Ctrl+S"}, {Qt::Key_F5, kNone, "F5"},
        {Qt::Key_F10, kShift, "Shift+F10"}, {Qt::Key_F10, kCtrl, "Ctrl+F10"}, {Qt::Key_F, kCtrl, "Ctrl+F"},
        {Qt::Key_Delete, kNone, "Delete"}, {Qt::Key_Backspace, kNone, "Backspace"},
        {Qt::Key_Escape, kNone, "Escape"},
    };
    return keys;
}

const std::vector<CommandEntry>& commandTable()
{
    static const std::vector<CommandEntry> commands{
        {ID_NEXT_DIFF, "Next Diff"}, {ID_PREV_DIFF, "Prev diff"}, {ID_COPY_DIFF_TO_TARGET, "Copy >>"},
        {ID_COPY_DIFF_TO_SOURCE, "Copy <<"}, {ID_COPY_LINE_TO_TARGET, "Copy line >>"},
        {ID_COPY_LINE_TO_SOURCE, "Copy line <<"}, {ID_UNDO, "Undo"}, {ID_EDIT_MODE, "Edit Mode"},
        {ID_SOURCE_READ_ONLY, "Src RO"}, {ID_TARGET_READ_ONLY, "Dst RO"}, {ID_IGNORE_BLANKS, "Ignore blanks"},
        {ID_RESCAN, "Rescan"}, {ID_SAVE_SOURCE, "Save Source"}, {ID_SAVE_TARGET, "Save Dest"},
        {ID_FILE_SAVE_ALL, "Save All"}, {ID_EASY_JOIN, "EasyJoin"}, {ID_EASY_JOIN, "EasyJoin"},
        {ID_GOTO_LINE, "Go to line"}, {ID_FIND_NEXT, "Find next"}, {ID_NEXT_BOOKMARK, "Next bookmark"},
        {ID_SWITCH_BOOKMARK, "Switch bookmark"}, {ID_ADD_SKIP, "Add Skip"}, {ID_FIRST_SKIP, "1st skip"},
        {ID_NEXT_SKIP, "Next skip"}, {ID_UNSKIP, "unskip"}, {ID_HIDDEN, "Hidden"}, {ID_NO_SYNC, "No Sync"},
        {ID_MOVE_NEXT, "Move Next"}, {ID_INSERT_MODE, "Insert mode"}, {ID_COPY_DIFF, "Copy diff"},
        {ID_EDIT_COPY, "Copy"}, {ID_EDIT_CUT, "Cut"}, {ID_EDIT_PASTE, "Paste"}, {ID_OPTIONS, "Options..."},
        {ID_FONT, "Font..."}, {ID_FIND_WORD, "Find..."}, {ID_ALTERNATE_TOOL, "Alternate tool"},
        {ID_APP_ABOUT, "About..."},
    };
    return commands;
}

Step randomStep(std::mt19937& random)
{
    Step step;
    step.answers = static_cast<std::uint32_t>(random());
    step.b = static_cast<int>(below(random, 2));
    const std::size_t roll = below(random, 100);
    if (roll < 50) {
        step.kind = StepKind::Key;
        step.a = static_cast<int>(below(random, keyTable().size()));
    } else if (roll < 64) {
        step.kind = StepKind::Type;
        step.text = typedText(random);
    } else if (roll < 80) {
        step.kind = StepKind::Command;
        step.a = static_cast<int>(below(random, commandTable().size()));
    } else if (roll < 85) {
        step.kind = StepKind::GoTo;
        step.a = static_cast<int>(below(random, 1000));
    } else if (roll < 89) {
        step.kind = StepKind::Select;
        step.a = static_cast<int>(below(random, 1000));
        step.b = static_cast<int>(below(random, 8));
    } else if (roll < 92) {
        step.kind = StepKind::UndoAll;
    } else if (roll < 95) {
        step.kind = StepKind::SaveAs;
    } else if (roll < 97) {
        step.kind = StepKind::OutsideChange;
        step.a = static_cast<int>(below(random, 2));
        step.b = static_cast<int>(below(random, 3));
    } else {
        step.kind = StepKind::FindText;
        step.text = typedText(random);
    }
    return step;
}

std::vector<Step> randomSteps(unsigned seed, int count)
{
    std::mt19937 random(seed ^ 0x5eedu);
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i)
        steps.push_back(randomStep(random));
    return steps;
}

bool isPaste(const Step& step)
{
    if (step.kind == StepKind::Command)
        return commandTable()[std::size_t(step.a) % commandTable().size()].id == ID_EDIT_PASTE;
    if (step.kind != StepKind::Key)
        return false;
    const std::string_view name = keyTable()[std::size_t(step.a) % keyTable().size()].name;
    return name == "Ctrl+V" || name == "Shift+Insert";
}

std::string serialize(const Step& step)
{
    std::ostringstream out;
    out << static_cast<int>(step.kind) << ' ' << step.a << ' ' << step.b << ' ' << step.answers << ' '
        << hex(step.text);
    return out.str();
}

Step parseStep(const std::string& line)
{
    std::istringstream in(line);
    Step step;
    int kind = 0;
    std::string text;
    in >> kind >> step.a >> step.b >> step.answers >> text;
    step.kind = static_cast<StepKind>(kind);
    step.text = unhex(text);
    return step;
}

std::string describe(const Step& step)
{
    const std::string pane = (step.b & 1) ? "target" : "source";
    switch (step.kind) {
    case StepKind::Key:
        return std::string("key ") + keyTable()[std::size_t(step.a) % keyTable().size()].name + " in " + pane;
    case StepKind::Type:
        return "type \"" + step.text + "\" in " + pane;
    case StepKind::Command:
        return std::string("command ") + commandTable()[std::size_t(step.a) % commandTable().size()].name + " in " + pane;
    case StepKind::GoTo:
        return "go to row " + std::to_string(step.a) + " (modulo rows) in " + pane;
    case StepKind::Select:
        return "select rows from " + std::to_string(step.a) + " (modulo rows), " + std::to_string(step.b >> 1) +
               " more, in " + pane;
    case StepKind::UndoAll:
        return "undo everything";
    case StepKind::SaveAs:
        return "Save As into the run's folder from " + pane;
    case StepKind::OutsideChange:
        return std::string("another program rewrites the ") + (step.a ? "target" : "source") + " (kind " +
               std::to_string(step.b) + ")";
    case StepKind::FindText:
        return "find \"" + step.text + "\" with F3 in " + pane;
    }
    return "?";
}

} // namespace random_driver
