#include "framework/command_router.h"

namespace framework {

const CommandTarget* CommandRouter::handlerFor(CommandId id) const
{
    for (const CommandTarget* target : m_targets) {
        if (target != nullptr && target->handlesCommand(id))
            return target;
    }
    return nullptr;
}

const CommandTarget* CommandRouter::enableDecider(CommandId id) const
{
    for (const CommandTarget* target : m_targets) {
        if (target != nullptr && target->answersEnable(id))
            return target;
    }
    return nullptr;
}

bool CommandRouter::update(CommandUI& ui) const
{
    if (const CommandTarget* decider = enableDecider(ui.id()))
        decider->runEnable(ui);
    else
        ui.enable(handlerFor(ui.id()) != nullptr);
    return ui.enabled();
}

bool CommandRouter::isEnabled(CommandId id, CommandOrigin origin) const
{
    CommandUI ui(id, origin);
    return update(ui);
}

bool CommandRouter::execute(CommandId id, CommandOrigin origin) const
{
    if (!isEnabled(id, origin))
        return false;
    const CommandTarget* target = handlerFor(id);
    if (target == nullptr)
        return false;
    for (CommandTarget* each : m_targets) {
        if (each != nullptr)
            each->beforeCommand(id);
    }
    return target->runCommand(id);
}

} // namespace framework
