#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QEvent>
#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include "core/document_host.h"
#include "framework/command_router.h"
#include "framework/command_target.h"
#include "framework/messages.h"
#include "framework/services.h"
#include "panes/view_frame.h"
#include "shell/beside_threads.h"

class CColorStatusBar;
class CFlatToolBar;
class CHistoryCombo;
class CLoadProgressBar;
class CMainSplitter;
class QAction;
namespace shell {
class FileWatch;
}
class QMenu;

namespace core {
class CBivaloDoc;
}

// The program's single top-level window: the splitter with the overview strip and the two
// file panes, the toolbar with the Find box, the status bar with its legend and indicators.
// It takes dropped files, keeps insert/overwrite mode, tells the file change watcher about
// activation, offers to reload changed files and remembers its placement.
//
// Each base is one role the design gives the frame:
class CMainFrame : public QMainWindow,                 // the top-level window
                   public framework::CommandTarget,    // its own commands, third in the router's chain
                   public framework::MessageTarget,    // posted messages: commands, file changes
                   public core::DocumentHost,          // the window as the document needs it
                   public panes::ViewFrame {           // the window as the panes need it
    Q_OBJECT

public:
    static constexpr const char* kPlacementSection = "MAINWND";
    static constexpr const char* kWaitingForSecondFile = "Waiting for second file...";
    static constexpr const char* kFileChangedOutside =
        "This file was change from outside:\n%s\nDo you want to reload files?";
    static constexpr const char* kEditModeOff = "Edit mode is off: press F9 to merge";
    static constexpr int kFindBoxWidth = 100;
    static constexpr int kStatusPaneCount = 11;
    // The status bar's panes: the message, the legend of four line states, the editable
    // switches around the EDIT pane, and the key modes.
    enum StatusPane : int {
        kMessagePane = 0,
        kFirstLegendPane = 1,
        kSourceEditablePane = 5,
        kEditPane = 6,
        kTargetEditablePane = 7,
        kOverwritePane = 8,
        kCapsPane = 9,
        kNumPane = 10,
    };

    explicit CMainFrame(framework::Services& services);
    ~CMainFrame() override;

    // The creation steps: placement, toolbar, status bar, Find box, drops. False when a bar
    // could not be made.
    bool create();
    // The document and the three views of the splitter (strip, source pane, target pane).
    void attachDocument(core::CBivaloDoc& document, QWidget* strip, QWidget* source, QWidget* target);
    void resetColumns();

    // Why a command is greyed: framework/command_ids.h gives each id's rule under the target
    // that decides it.
    framework::CommandRouter& router() { return m_router; }
    // The active pane: the first target of commands and the receiver of message 0x601.
    void setActivePane(framework::CommandTarget* commands, framework::MessageTarget* messages);

    // Routes a command as a user would give it; false when it was disabled or unhandled.
    bool routeCommand(framework::CommandId id, framework::CommandOrigin origin = framework::CommandOrigin::Program);

    // Messages: post() queues, send() handles at once.
    void post(framework::MessageId message, framework::WParam wParam, framework::LParam lParam) override;
    framework::LResult send(framework::MessageId message, framework::WParam wParam, framework::LParam lParam);

    void dropFiles(const std::vector<std::string>& names);
    bool insertMode() const { return m_insertMode; }

    CColorStatusBar& statusBar() { return *m_statusBar; }
    CFlatToolBar& toolBar() { return *m_toolBar; }
    CHistoryCombo& findBox() { return *m_findBox; }
    CMainSplitter& splitter() { return *m_splitter; }
    CLoadProgressBar& loadProgressBar() { return *m_loadProgress; }
    // Refreshes toolbar buttons and status panes from their enable handlers (the idle update,
    // which runs shortly after input, a posted message or a change of focus, never by itself).
    void updateBars();

    // panes::ViewFrame
    void activateView(panes::CTableView* view) override;
    panes::CTableView* activeView() const override { return m_activeView; }
    framework::MessageTarget& frameWindow() override { return *this; }
    framework::LResult sendToFrame(framework::MessageId message, framework::WParam wParam,
                                   framework::LParam lParam) override;
    void showContextMenu(const QPoint& screenPoint) override;
    std::optional<framework::FileDialogResult> saveAsDialog(const framework::FileDialogRequest& request) override;
    std::optional<int> askLineNumber(int lineNumber) override;
    void showColoredMessage(const std::string& text, framework::ColorRef background, framework::ColorRef textColor,
                            int clearAfterTenths) override;

    // core::DocumentHost
    framework::MessageTarget& mainWindow() override { return *this; }
    void dispatchPendingMessages() override;
    void focusActiveView() override;
    void runBeside(std::function<void()> work, std::function<void()> done) override;
    void waitBeside(const std::function<void()>& work) override;
    void workEnded() override;
    bool runOptionsDialog() override;
    bool createFont(const framework::LogFont& font) override;
    void runEasyJoin() override;

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    framework::LResult windowProc(framework::MessageId message, framework::WParam wParam, framework::LParam lParam);
    void addCommands();
    void showMaximizedFirstTime();
    void createMenus();
    bool createToolBar();
    void createFindBox(QAction* placeholder);
    bool createStatusBar();
    void setLegendColors();
    // The colour table of the desktop's theme, light or dark, unless the user chose colours.
    void followDesktopTheme();
    // Enables and checks an action as its command's rule says; the full answer, none for an
    // action without a command.
    std::optional<framework::CommandUI> applyCommandState(QAction& action, framework::CommandOrigin origin) const;
    void refreshMenu(QMenu& menu);
    bool translateAccelerator(QKeyEvent& key);
    // A merge key greyed only because edit mode is off says how to turn it on.
    void explainRefusedMerge(framework::CommandId id);
    // The pane that holds the keyboard focus, if any.
    panes::CTableView* focusedView() const;
    static panes::CTableView* viewOf(QWidget* widget);
    // Every modal dialog takes the focus from the window; when the window is active again,
    // the focus goes back to where it was, or to its pane when that widget went meanwhile.
    void noteFocusChange(QWidget* old, QWidget* now);
    void restoreFocusAfterDialog();

    void flipInsertMode();
    void takeFindText();
    void flipMoveNext();
    void applyOptions();
    framework::LResult getFindText(framework::LParam lParam);
    void askToReloadChangedFile(framework::WParam fileIndex, framework::LParam lParam);
    void askHeldReloadQuestion();
    void onApplicationStateChanged(Qt::ApplicationState state);
    // While a load runs the panes take no input and only these commands go on: any other
    // could act on the pair that the load is about to replace.
    bool refusedWhileLoading(framework::CommandId id) const;
    void beginLongWork();
    void endLongWork();
    void cancelLongWork();
    void scheduleBarsUpdate(QEvent::Type type);

    framework::Services& m_services;
    framework::CommandRouter m_router;
    core::CBivaloDoc* m_document = nullptr;
    framework::MessageTarget* m_activePaneMessages = nullptr;
    panes::CTableView* m_activeView = nullptr;
    std::unique_ptr<framework::MessageTarget> m_activeViewTarget;

    CMainSplitter* m_splitter = nullptr;
    CColorStatusBar* m_statusBar = nullptr;
    CFlatToolBar* m_toolBar = nullptr;
    bool m_insertMode = true;
    CHistoryCombo* m_findBox = nullptr;

    QPointer<QWidget> m_focusBeforeDialog;
    QPointer<panes::CTableView> m_paneBeforeDialog;

    QTimer m_idleTimer;
    CLoadProgressBar* m_loadProgress = nullptr;
    bool m_longWork = false; // the panes are off and the progress follows the work
    shell::BesideThreads m_besideThreads;
    std::unique_ptr<shell::FileWatch> m_fileWatch;
    // A reload under the EasyJoin dialog would pull the rows from under its walk, and one
    // during a load or save from under that work: the question waits until they end.
    bool m_easyJoinOpen = false;
    std::optional<framework::WParam> m_heldReload;
    // The reload question is on screen; one flag for the whole program.
    static bool s_reloadQuestionShown;
};
