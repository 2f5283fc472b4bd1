#include "core/alternate_tool.h"

#include <filesystem>
#include <system_error>

#include "framework/command_ids.h"

namespace core {

bool AlternateTool::exists(const std::string& tool)
{
    std::error_code error;
    return !tool.empty() && std::filesystem::exists(tool, error);
}

bool AlternateTool::run(const std::string& tool, const std::function<bool()>& saveModified,
                        const std::string& sourcePath, const std::string& targetPath)
{
    if (!exists(tool)) {
        m_services.messageBox(kNotValidMessage, framework::MessageButtons::Ok, framework::MessageIcon::Warning);
        m_mainWindow.post(framework::WM_COMMAND, framework::ID_OPTIONS, 0);
        return false;
    }
    if (!saveModified())
        return false;
    // A tool that exists but cannot be started is not reported.
    return m_services.startDetached({ tool, sourcePath, targetPath });
}

} // namespace core
