#pragma once

#include "platform/qt_services.h"

namespace shell {

// The program's services on the desktop: a file dialog that asks for the folder panel is
// the one with the remembered folders.
class DesktopServices : public platform::QtServices {
public:
    std::unique_ptr<platform::FileDialog> makeFileDialog(const framework::FileDialogRequest& request) override;
};

} // namespace shell
