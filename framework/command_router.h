#pragma once

#include <array>

#include "framework/command_target.h"

namespace framework {

// Offers a command to the active view, the document, the main frame, then the application.
// The first target with an enable handler for the id decides whether it is enabled; with no
// enable handler anywhere, a command is enabled exactly when some target carries it out.
// A command always passes that check first, also one the program sends itself; a disabled
// command does nothing. Every target hears of an enabled command before the first target
// with a command handler carries it out.
class CommandRouter {
public:
    void setActiveView(CommandTarget* view) { m_targets[0] = view; }
    void setDocument(CommandTarget* document) { m_targets[1] = document; }
    void setMainFrame(CommandTarget* frame) { m_targets[2] = frame; }
    void setApplication(CommandTarget* application) { m_targets[3] = application; }
    CommandTarget* activeView() const { return m_targets[0]; }

    // Fills ui; returns whether the command is enabled.
    bool update(CommandUI& ui) const;
    bool isEnabled(CommandId id, CommandOrigin origin = CommandOrigin::Program) const;

    // Returns whether a handler ran.
    bool execute(CommandId id, CommandOrigin origin = CommandOrigin::Program) const;

    // The target whose enable rule decides whether id is enabled; null when no target has one.
    const CommandTarget* enableDecider(CommandId id) const;

private:
    const CommandTarget* handlerFor(CommandId id) const;

    std::array<CommandTarget*, 4> m_targets {};
};

} // namespace framework
