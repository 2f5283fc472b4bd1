#include "shell/command_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>

#include "platform/to_qstring.h"
#include "shell/app_resources.h"
#include "shell/string_table.h"

namespace shell {

using platform::toQString;

QAction* createCommandAction(framework::CommandId command, std::string_view text, QObject* parent)
{
    auto* action = new QAction(toQString(text), parent);
    action->setData(QVariant::fromValue<uint>(command));
    action->setStatusTip(toQString(commandPrompt(command)));
    action->setToolTip(toQString(commandTip(command)));
    action->setIcon(commandIcon(command));
    action->setIconVisibleInMenu(true);
    return action;
}

framework::CommandId commandOf(const QAction* action)
{
    if (action == nullptr || !action->data().isValid())
        return 0;
    return action->data().toUInt();
}

void fillMenu(QMenu& menu, std::span<const MenuEntry> entries)
{
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
        case MenuEntry::Kind::Separator:
            menu.addSeparator();
            break;
        case MenuEntry::Kind::Popup:
            fillMenu(*menu.addMenu(toQString(entry.text)), entry.popup);
            break;
        case MenuEntry::Kind::Command:
            menu.addAction(createCommandAction(entry.command, entry.text, &menu));
            break;
        }
    }
}

void fillMenuBar(QMenuBar& bar, std::span<const MenuEntry> popups)
{
    for (const MenuEntry& entry : popups) {
        Q_ASSERT(entry.kind == MenuEntry::Kind::Popup);
        fillMenu(*bar.addMenu(toQString(entry.text)), entry.popup);
    }
}

} // namespace shell
