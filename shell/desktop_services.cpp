#include "shell/desktop_services.h"

#include <QApplication>

#include "settings/app_settings.h"
#include "shell/file_open_ex.h"

namespace shell {

std::unique_ptr<platform::FileDialog> DesktopServices::makeFileDialog(const framework::FileDialogRequest& request)
{
    if (!request.folderPanel)
        return QtServices::makeFileDialog(request);
    return std::make_unique<CFileOpenEx>(request, settings::appSettings().Dirs, QApplication::activeWindow());
}

} // namespace shell
