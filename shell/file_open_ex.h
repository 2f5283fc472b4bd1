#pragma once

#include <optional>
#include <string>

#include "platform/file_dialog.h"

class QLabel;
class QMenu;
class QToolButton;

namespace settings {
class DirPairHistory;
}

// The file dialog with a panel above its controls: the folder on show in square brackets,
// and a button that drops down the remembered folders (sources, or targets) so that a
// folder used before is one click away.
class CFileOpenEx : public platform::FileDialog {
public:
    static constexpr const char* kNoItems = "No items found";
    static constexpr const char* kViewTargets = "View Targets >>>";
    static constexpr const char* kViewSources = "<<< View Sources";

    CFileOpenEx(const framework::FileDialogRequest& request, const settings::DirPairHistory& history,
                QWidget* parent = nullptr);

    QLabel& folderLine() const { return *m_folderLine; }
    QToolButton& menuButton() const { return *m_menuButton; }

    // The folder menu: a folder chosen in it becomes the dialog's folder.
    void showFolderMenu();
    // Shows the folder, empties the file name field and gives it the focus.
    void goToFolder(const QString& folder);

private:
    QWidget* createPanel();
    void placeAboveControls(QWidget* panel);
    void showFolder(const QString& folder);
    std::optional<std::string> chooseFolder();
    // Shows the menu under the button, right edges lined up; the chosen entry or null.
    QAction* popUp(QMenu& menu);

    const settings::DirPairHistory& m_history;
    QLabel* m_folderLine = nullptr;
    QToolButton* m_menuButton = nullptr;
};
