#include "framework/command_target.h"

#include <cassert>

namespace framework {

void CommandTarget::onCommand(CommandId id, CommandHandler handler)
{
    assert(handler);
    m_commands[id] = std::move(handler);
}

void CommandTarget::onEnable(CommandId id, EnableHandler handler)
{
    assert(handler);
    m_enables[id] = std::move(handler);
}

bool CommandTarget::runCommand(CommandId id) const
{
    const auto found = m_commands.find(id);
    if (found == m_commands.end())
        return false;
    // A copy: the handler may replace handlers of this target while it runs.
    const CommandHandler handler = found->second;
    handler();
    return true;
}

bool CommandTarget::runEnable(CommandUI& ui) const
{
    const auto found = m_enables.find(ui.id());
    if (found == m_enables.end())
        return false;
    found->second(ui);
    return true;
}

} // namespace framework
