#pragma once

#include <functional>
#include <map>

#include "framework/command_ui.h"

namespace framework {

// Something that carries out commands: a command handler and an enable handler per id,
// registered by the owner (its "message map").
class CommandTarget {
public:
    using CommandHandler = std::function<void()>;
    using EnableHandler = std::function<void(CommandUI&)>;

    virtual ~CommandTarget() = default;

    void onCommand(CommandId id, CommandHandler handler);
    void onEnable(CommandId id, EnableHandler handler);

    bool handlesCommand(CommandId id) const { return m_commands.contains(id); }
    bool answersEnable(CommandId id) const { return m_enables.contains(id); }

    // False when this target has no such handler.
    bool runCommand(CommandId id) const;
    bool runEnable(CommandUI& ui) const;

    // Every target hears of a command that is about to be carried out, whoever carries it
    // out, so that it can settle its own state first.
    virtual void beforeCommand(CommandId) {}

private:
    std::map<CommandId, CommandHandler> m_commands;
    std::map<CommandId, EnableHandler> m_enables;
};

} // namespace framework
