#pragma once

#include <functional>
#include <string>

#include "framework/messages.h"
#include "framework/services.h"

namespace core {

// Hands the pair to the comparison program the user chose in the options. The program gets
// the two paths as separate arguments and is never run through a shell, so blanks or shell
// characters in a path neither split it nor run anything.
class AlternateTool {
public:
    static constexpr const char* kNotValidMessage = "Alternate compare tool is not selected \n or not valid!";

    AlternateTool(framework::Services& services, framework::MessageTarget& mainWindow)
        : m_services(services), m_mainWindow(mainWindow) {}

    // saveModified asks to save changes first (false: cancelled). Returns whether the tool was
    // started. A missing tool is reported and the options dialog is posted to the main window.
    bool run(const std::string& tool, const std::function<bool()>& saveModified,
             const std::string& sourcePath, const std::string& targetPath);

    static bool exists(const std::string& tool);

private:
    framework::Services& m_services;
    framework::MessageTarget& m_mainWindow;
};

} // namespace core
