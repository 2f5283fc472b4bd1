#include "shell/app_resources.h"

#include <QFile>
#include <QString>

#include "shell/svg_icon.h"
#include "shell/toolbar_table.h"

// The generated registration functions live in the global namespace.
static void registerResourceFile()
{
    Q_INIT_RESOURCE(bivalo);
}

namespace shell {

void initResources()
{
    static const bool registered = (registerResourceFile(), true);
    (void)registered;
}

static QIcon iconAt(std::string_view path)
{
    initResources();
    QFile picture(QString::fromUtf8(path.data(), qsizetype(path.size())));
    if (path.empty() || !picture.open(QIODevice::ReadOnly))
        return QIcon();
    return QIcon(new SvgIcon(picture.readAll()));
}

QIcon appIcon()
{
    return iconAt(kAppIconPath);
}

QIcon commandIcon(framework::CommandId command)
{
    return iconAt(commandIconPath(command));
}

QIcon dialogIcon(int resourceId)
{
    switch (resourceId) {
    case kFolderMenuIcon: return iconAt(":/icons/folder_menu.svg");
    case kAnyColorBitmap: return iconAt(":/icons/any_color.svg");
    case kAddFilterIcon: return iconAt(":/icons/filter_add.svg");
    case kDeleteFilterIcon: return iconAt(":/icons/filter_delete.svg");
    case kFilterUpIcon: return iconAt(":/icons/filter_up.svg");
    case kFilterDownIcon: return iconAt(":/icons/filter_down.svg");
    default: return {};
    }
}

} // namespace shell
