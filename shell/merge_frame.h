#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QMainWindow>

#include "framework/command_router.h"
#include "framework/command_target.h"
#include "framework/messages.h"
#include "framework/services.h"
#include "framework/view.h"
#include "panes/view_frame.h"
#include "shell/beside_threads.h"

class CLoadProgressBar;
class QLabel;
class QMenu;
class QSplitter;

namespace core {
class CMergeDoc;
struct MergeLoadJob;
enum class MergePane;
}
namespace panes {
class CDiffPreview;
class CMergePane;
}

// The merge window: the overview strip and the columns LOCAL, the result and REMOTE side by
// side (BASE on demand, as a fourth column), a menu bar, and a status bar that counts the
// conflicts left. Commands go to the active column, the merge document, then this frame.
// Closing asks the document first. A large merge loads while the window is up, which shows
// how far it has come; Esc, its Cancel button or closing the window stops it.
class CMergeFrame : public QMainWindow,
                    public framework::CommandTarget,  // its own commands, third in the router's chain
                    public framework::MessageTarget,  // posted commands and the close request
                    public framework::View,           // the status bar follows the document
                    public panes::ViewFrame {         // the window as the columns need it
    Q_OBJECT

public:
    static constexpr const char* kConflictsLeft = "Unresolved conflicts: %s";
    static constexpr const char* kNoConflictsLeft = "No conflicts left";

    CMergeFrame(core::CMergeDoc& document, framework::Services& services);
    ~CMergeFrame() override;

    // The strip and the four columns; false when a column could not be made.
    bool create();
    // Shows the window over most of the screen, with the focus in the result column.
    void showOnScreen();
    // Runs the job beside the window's thread, the columns taking no input meanwhile; done
    // runs on the window's thread once the job has ended, unless it was stopped.
    void loadBeside(std::shared_ptr<core::MergeLoadJob> job, std::function<void()> done);
    bool loading() const { return m_load != nullptr; }
    CLoadProgressBar& loadProgressBar() const { return *m_loadProgress; }
    framework::CommandRouter& router() { return m_router; }
    // Routes a command as a user would give it; false when it was disabled or unhandled.
    bool routeCommand(framework::CommandId id, framework::CommandOrigin origin = framework::CommandOrigin::Program);
    panes::CMergePane& pane(core::MergePane column) const;
    panes::CDiffPreview& strip() const { return *m_strip; }
    std::string statusText() const;
    bool baseShown() const;

    void post(framework::MessageId message, framework::WParam wParam, framework::LParam lParam) override;
    void onUpdate(framework::View* sender, int hint, void* object) override;

    // panes::ViewFrame
    void activateView(panes::CTableView* view) override;
    panes::CTableView* activeView() const override { return m_activeView; }
    framework::MessageTarget& frameWindow() override { return *this; }
    framework::LResult sendToFrame(framework::MessageId message, framework::WParam wParam,
                                   framework::LParam lParam) override;
    void showContextMenu(const QPoint& screenPoint) override;
    std::optional<framework::FileDialogResult> saveAsDialog(const framework::FileDialogRequest&) override
    {
        return std::nullopt;
    }
    std::optional<int> askLineNumber(int) override { return std::nullopt; }
    void showColoredMessage(const std::string& text, framework::ColorRef background, framework::ColorRef textColor,
                            int clearAfterTenths) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addCommands();
    void createMenus();
    void refreshMenu(QMenu& menu);
    bool translateAccelerator(const QKeyEvent& key);
    void showBase(bool show);
    void updateStatus();
    void endLoad();

    core::CMergeDoc& m_document;
    framework::Services& m_services;
    framework::CommandRouter m_router;
    QSplitter* m_splitter = nullptr;
    QLabel* m_status = nullptr;
    panes::CDiffPreview* m_strip = nullptr;
    std::array<panes::CMergePane*, 4> m_panes {};   // indexed by core::MergePane
    panes::CTableView* m_activeView = nullptr;
    CLoadProgressBar* m_loadProgress = nullptr;
    std::shared_ptr<core::MergeLoadJob> m_load; // the load that runs beside the window
    shell::BesideThreads m_besideThreads;
};
