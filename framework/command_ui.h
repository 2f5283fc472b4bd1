#pragma once

#include <optional>
#include <string>

#include "framework/command_ids.h"

namespace framework {

// Where an enable query comes from: a status-bar pane has no check mark, it shows an indicator.
enum class CommandOrigin { Menu, ToolBar, StatusBar, Program };

// The answer of an enable handler for one command: enabled, checked, a new text and, for
// status-bar panes, the indicator state. A query nobody answers leaves answered() false.
class CommandUI {
public:
    explicit CommandUI(CommandId id, CommandOrigin origin = CommandOrigin::Program)
        : m_id(id), m_origin(origin) {}

    CommandId id() const { return m_id; }
    CommandOrigin origin() const { return m_origin; }
    bool fromStatusBar() const { return m_origin == CommandOrigin::StatusBar; }

    void enable(bool on = true) { m_enabled = on; m_answered = true; }
    void setCheck(bool on = true) { m_checked = on; m_answered = true; }
    void setText(std::string text) { m_text = std::move(text); m_answered = true; }
    void setIndicator(bool on) { m_indicator = on; m_answered = true; }

    bool enabled() const { return m_enabled; }
    bool checked() const { return m_checked; }
    const std::optional<std::string>& text() const { return m_text; }
    bool indicator() const { return m_indicator; }
    bool answered() const { return m_answered; }

private:
    CommandId m_id;
    CommandOrigin m_origin;
    bool m_enabled = true;
    bool m_checked = false;
    std::optional<std::string> m_text;
    bool m_indicator = false;
    bool m_answered = false;
};

} // namespace framework
