#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "framework/services.h"

namespace platform {

class FileDialog;

// The desktop behind framework::Services: Qt's message box, file, font and colour dialogs,
// clipboard, processes and addresses.
class QtServices : public framework::Services {
public:
    ~QtServices() override;

    framework::MessageAnswer messageBox(const std::string& text, framework::MessageButtons buttons,
                                        framework::MessageIcon icon) override;
    std::optional<framework::FileDialogResult> fileDialog(const framework::FileDialogRequest& request) override;
    bool chooseFont(framework::LogFont& font) override;
    bool chooseColor(framework::ColorRef& color) override;
    bool chooseItem(const std::string& title, const std::vector<std::string>& items, std::string& item) override;

    bool isShiftDown() override;
    bool isControlDown() override;

    std::string clipboardText() override;
    std::string selectionText() override;
    void setClipboardText(const std::string& text) override;

    bool startDetached(const std::vector<std::string>& argv) override;
    bool openAddress(const std::string& address) override;

    void setWaitCursor(bool on) override;

    // "Name|*.a; *.b|All|*.*||" as Qt name filters: "Name (*.a *.b)", "All (*)". A filter
    // without a name is named by its masks.
    static QStringList nameFilters(const std::string& filter);
    // The patterns of each of those filters, a mask with blanks, brackets or any letter
    // being one pattern ("*.*" is "*"). The dialog matches with them, not by the names.
    static std::vector<QStringList> filterPatterns(const std::string& filter);

    // The dialog that fileDialog() runs for a request.
    virtual std::unique_ptr<FileDialog> makeFileDialog(const framework::FileDialogRequest& request);

private:
    bool m_waitCursor = false;
};

} // namespace platform
