#include "shell/main_frame.h"

#include <algorithm>
#include <array>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusTipEvent>
#include <QUrl>
#include <QVBoxLayout>

#include "core/bivalo_doc.h"
#include "framework/text_format.h"
#include "framework/update_hints.h"
#include "panes/table_view.h"
#include "platform/font_conversion.h"
#include "platform/to_qstring.h"
#include "platform/virtual_keys.h"
#include "platform/window_message_target.h"
#include "settings/app_settings.h"
#include "settings/color_table.h"
#include "shell/accelerator_table.h"
#include "shell/app_resources.h"
#include "shell/color_status_bar.h"
#include "shell/command_menu.h"
#include "shell/desktop_theme.h"
#include "shell/easy_join_dlg.h"
#include "shell/file_watch.h"
#include "shell/flat_tool_bar.h"
#include "shell/goto_line_dlg.h"
#include "shell/history_combo.h"
#include "shell/load_progress_bar.h"
#include "shell/main_splitter.h"
#include "shell/menu_table.h"
#include "shell/options_sheet.h"
#include "shell/string_table.h"
#include "shell/toolbar_table.h"
#include "shell/window_placement.h"

using namespace framework;
using platform::toQString;

namespace {

constexpr int kIdleMilliseconds = 200;
constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kNavy = 0x800000;
constexpr int kHintTenths = 40;

// The indicator table: message pane, legend, editable switches, modes.
constexpr std::array<CommandId, CMainFrame::kStatusPaneCount> kIndicators = {
    0,
    ID_INDICATOR_SOURCE_ONLY,
    ID_INDICATOR_TARGET_ONLY,
    ID_INDICATOR_CHANGED,
    ID_INDICATOR_DIRTY,
    ID_SOURCE_READ_ONLY,
    ID_EDIT_MODE_INDICATOR,
    ID_TARGET_READ_ONLY,
    ID_INDICATOR_OVR,
    ID_INDICATOR_CAPS,
    ID_INDICATOR_NUM,
};

} // namespace

bool CMainFrame::s_reloadQuestionShown = false;

CMainFrame::CMainFrame(Services& services) : m_services(services), m_besideThreads(*this)
{
    m_router.setMainFrame(this);
    setWindowTitle(kAppTitle);
    addCommands();
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(kIdleMilliseconds);
    connect(&m_idleTimer, &QTimer::timeout, this, &CMainFrame::updateBars);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &CMainFrame::onApplicationStateChanged);
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::noteFocusChange);
}

CMainFrame::~CMainFrame()
{
    // The widgets going with the window move the focus: no longer this window's business.
    disconnect(qApp, &QApplication::focusChanged, this, &CMainFrame::noteFocusChange);
    qApp->removeEventFilter(this);
    // The window goes: nothing to give back to the panes.
    m_longWork = false;
    // A cancelled load stops within a moment; its thread is waited for as the window goes.
    if (m_document != nullptr)
        m_document->cancelWork();
}

bool CMainFrame::create()
{
    shell::initResources();
    setWindowIcon(shell::appIcon());
    if (!shell::WindowPlacement::restore(kPlacementSection, *this))
        showMaximizedFirstTime();
    settings::colorTable().setTheme(shell::themeOf(palette()));
    createMenus();
    if (!createToolBar() || !createStatusBar())
        return false;
    // The status bar sits below the splitter in the central area: it draws its own panes.
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_splitter = new CMainSplitter(central);
    layout->addWidget(m_splitter, 1);
    m_loadProgress = new CLoadProgressBar(central);
    layout->addWidget(m_loadProgress);
    connect(m_loadProgress, &CLoadProgressBar::cancelRequested, this, &CMainFrame::cancelLongWork);
    m_statusBar->setParent(central);
    layout->addWidget(m_statusBar);
    setCentralWidget(central);
    setAcceptDrops(true);
    qApp->installEventFilter(this);
    m_idleTimer.start();
    return true;
}

void CMainFrame::showMaximizedFirstTime()
{
    // The normal geometry counts where nothing maximizes the window and when the user
    // restores it.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(shell::firstStartGeometry(screen->availableGeometry()));
    setWindowState(Qt::WindowMaximized);
}

void CMainFrame::attachDocument(core::CBivaloDoc& document, QWidget* strip, QWidget* source, QWidget* target)
{
    m_document = &document;
    m_router.setDocument(&document);
    m_fileWatch = std::make_unique<shell::FileWatch>(document.watcher());
    m_splitter->addWidget(strip);
    m_splitter->addWidget(source);
    m_splitter->addWidget(target);
}

void CMainFrame::resetColumns()
{
    m_splitter->resetColumns(width());
}

void CMainFrame::setActivePane(CommandTarget* commands, MessageTarget* messages)
{
    m_router.setActiveView(commands);
    m_activePaneMessages = messages;
}

void CMainFrame::activateView(panes::CTableView* view)
{
    if (view == m_activeView)
        return;
    panes::CTableView* previous = m_activeView;
    m_activeView = view;
    m_activeViewTarget = std::make_unique<platform::WindowMessageTarget>(view);
    setActivePane(view, m_activeViewTarget.get());
    if (previous != nullptr)
        previous->update();
}

void CMainFrame::showContextMenu(const QPoint& screenPoint)
{
    QMenu menu(this);
    shell::fillMenu(menu, shell::contextMenu());
    refreshMenu(menu);
    if (QAction* chosen = menu.exec(screenPoint))
        routeCommand(shell::commandOf(chosen), CommandOrigin::Menu);
}

std::optional<FileDialogResult> CMainFrame::saveAsDialog(const FileDialogRequest& request)
{
    return m_services.fileDialog(request);
}

LResult CMainFrame::sendToFrame(MessageId message, WParam wParam, LParam lParam)
{
    return send(message, wParam, lParam);
}

std::optional<int> CMainFrame::askLineNumber(int lineNumber)
{
    CGotoLineDlg dialog(lineNumber, this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.lineNumber();
}

void CMainFrame::showColoredMessage(const std::string& text, ColorRef background, ColorRef textColor,
                                    int clearAfterTenths)
{
    m_statusBar->showMessage(kMessagePane, text, background, textColor);
    m_statusBar->clearMessage(kMessagePane, clearAfterTenths);
}

bool CMainFrame::routeCommand(CommandId id, CommandOrigin origin)
{
    return !refusedWhileLoading(id) && m_router.execute(id, origin);
}

bool CMainFrame::refusedWhileLoading(CommandId id) const
{
    return m_document != nullptr && m_document->busy() && id != ID_APP_EXIT && id != ID_APP_ABOUT;
}

void CMainFrame::addCommands()
{
    onCommand(ID_FIND_BOX, [this] {
        if (m_findBox != nullptr)
            m_findBox->setFocus(Qt::ShortcutFocusReason);
    });
    onCommand(IDOK, [this] { post(WM_COMMAND, ID_FIND_NEXT, 0); });
    onEnable(ID_INDICATOR_OVR, [this](CommandUI& ui) { ui.enable(!m_insertMode); });
    onCommand(ID_INSERT_MODE, [this] { flipInsertMode(); });
    onCommand(ID_TAKE_FIND_TEXT, [this] { takeFindText(); });
    onCommand(ID_MOVE_NEXT, [this] { flipMoveNext(); });
    onEnable(ID_MOVE_NEXT, [](CommandUI& ui) { ui.setCheck(settings::appSettings().MoveNext != 0); });
    onCommand(ID_OPTION_CHANGED, [this] { applyOptions(); });
    onCommand(ID_APP_EXIT, [this] { close(); });
    // The lock keys' state is not known to the program; their panes stay greyed.
    onEnable(ID_INDICATOR_CAPS, [](CommandUI& ui) { ui.enable(false); });
    onEnable(ID_INDICATOR_NUM, [](CommandUI& ui) { ui.enable(false); });
}

void CMainFrame::createMenus()
{
    shell::fillMenuBar(*menuBar(), shell::mainMenu());
    connect(menuBar(), &QMenuBar::triggered, this,
            [this](QAction* action) { routeCommand(shell::commandOf(action), CommandOrigin::Menu); });
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { refreshMenu(*menu); });
}

std::optional<CommandUI> CMainFrame::applyCommandState(QAction& action, CommandOrigin origin) const
{
    const CommandId id = shell::commandOf(&action);
    if (id == 0)
        return std::nullopt;
    CommandUI ui(id, origin);
    action.setEnabled(m_router.update(ui) && !refusedWhileLoading(id));
    action.setCheckable(ui.checked());
    action.setChecked(ui.checked());
    return ui;
}

void CMainFrame::refreshMenu(QMenu& menu)
{
    for (QAction* action : menu.actions()) {
        const std::optional<CommandUI> ui = applyCommandState(*action, CommandOrigin::Menu);
        if (ui && ui->text())
            action->setText(toQString(*ui->text()));
    }
}

bool CMainFrame::createToolBar()
{
    m_toolBar = new CFlatToolBar(this);
    m_toolBar->setObjectName("toolbar");
    m_toolBar->setWindowTitle("Toolbar");
    m_toolBar->setFlat(settings::appSettings().Cool != 0);
    m_toolBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    m_toolBar->setIconSize(QSize(20, 20));
    for (const shell::ToolbarButton& button : shell::toolbarButtons()) {
        if (button.command == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = shell::createCommandAction(button.command, shell::commandTip(button.command), m_toolBar);
        m_toolBar->addAction(action);
        if (button.command == ID_FIND_BOX)
            createFindBox(action);
    }
    connect(m_toolBar, &QToolBar::actionTriggered, this,
            [this](QAction* action) { routeCommand(shell::commandOf(action), CommandOrigin::ToolBar); });
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    return m_findBox != nullptr;
}

void CMainFrame::createFindBox(QAction* placeholder)
{
    m_findBox = new CHistoryCombo(m_toolBar);
    m_findBox->setObjectName("findBox");
    m_findBox->setFixedWidth(kFindBoxWidth);
    m_findBox->setToolTip(toQString(shell::commandTip(ID_FIND_BOX)));
    m_toolBar->insertWidget(placeholder, m_findBox);
    m_toolBar->removeAction(placeholder);
    m_findBox->loadHistory("Find");
    // "MS Sans Serif" stood for the desktop's own font: the box keeps the one it inherits.
    m_findBox->lineEdit()->deselect();
    connect(m_findBox, &CHistoryCombo::accepted, this, [this] { routeCommand(IDOK); });
    connect(m_findBox, &CHistoryCombo::cancelled, this, [this] { routeCommand(IDCANCEL); });
}

bool CMainFrame::createStatusBar()
{
    m_statusBar = new CColorStatusBar(this);
    m_statusBar->setObjectName("statusBar");
    m_statusBar->setIndicators(kIndicators);
    setLegendColors();
    for (int pane : {kEditPane, kOverwritePane, kCapsPane, kNumPane})
        m_statusBar->setOwnerDrawnDefault(pane);
    m_statusBar->setClick(kEditPane, false, false);
    m_statusBar->makeCheckBox(kSourceEditablePane);
    m_statusBar->makeCheckBox(kTargetEditablePane);
    m_statusBar->setTip(kSourceEditablePane, "Source is editable");
    m_statusBar->setTip(kTargetEditablePane, "Target is editable");
    m_statusBar->setPaneText(kMessagePane, std::string(shell::loadString(AFX_IDS_IDLEMESSAGE)));
    // A click is a command like any other: the status bar's own enable query only says how
    // a pane looks (the grey EDIT pane still switches edit mode on).
    m_statusBar->setCommandSink([this](CommandId id) { routeCommand(id); });
    return m_statusBar->paneCount() == kStatusPaneCount;
}

void CMainFrame::setLegendColors()
{
    // Each legend pane looks like a row of its state: its text stays readable whatever the
    // bar's own colour, light or dark.
    const settings::CColorTable& colors = settings::colorTable();
    const std::array<core::LineState, 4> states = {core::LineState::SourceOnly, core::LineState::TargetOnly,
                                                   core::LineState::Changed, core::LineState::Edited};
    for (int i = 0; i < 4; ++i) {
        const int state = int(states[std::size_t(i)]);
        m_statusBar->setPaneColor(kFirstLegendPane + i, colors.textFor(state, 0), true);
        m_statusBar->setPaneBackground(kFirstLegendPane + i, colors.backgroundFor(state, 0));
    }
}

void CMainFrame::followDesktopTheme()
{
    settings::CColorTable& colors = settings::colorTable();
    const settings::ColorTheme theme = shell::themeOf(palette());
    if (theme == colors.theme())
        return;
    colors.setTheme(theme);
    setLegendColors();
    if (m_document != nullptr)
        m_document->updateAllViews(nullptr, framework::kHintOptionsChanged);
}

void CMainFrame::updateBars()
{
    for (QAction* action : m_toolBar->actions())
        applyCommandState(*action, CommandOrigin::ToolBar);
    for (int pane = 1; pane < m_statusBar->paneCount(); ++pane) {
        CommandUI ui(m_statusBar->paneCommand(pane), CommandOrigin::StatusBar);
        const bool enabled = m_router.update(ui);
        m_statusBar->setPaneEnabled(pane, ui.answered() ? enabled : true);
        if (m_statusBar->paneFlags(pane) & CColorStatusBar::CheckBox)
            m_statusBar->setCheck(ui.id(), ui.indicator());
    }
    if (m_document != nullptr)
        m_document->onIdle();
}

void CMainFrame::post(MessageId message, WParam wParam, LParam lParam)
{
    QMetaObject::invokeMethod(
        this, [this, message, wParam, lParam] { windowProc(message, wParam, lParam); }, Qt::QueuedConnection);
}

LResult CMainFrame::send(MessageId message, WParam wParam, LParam lParam)
{
    return windowProc(message, wParam, lParam);
}

LResult CMainFrame::windowProc(MessageId message, WParam wParam, LParam lParam)
{
    switch (message) {
    case WM_COMMAND:
        routeCommand(CommandId(wParam));
        return 0;
    case WM_CLOSE:
        close();
        return 0;
    case WM_FILE_CHANGED:
        askToReloadChangedFile(wParam, lParam);
        return 0;
    case WM_GET_FIND_TEXT:
        return getFindText(lParam);
    default:
        return 0;
    }
}

void CMainFrame::flipInsertMode()
{
    m_insertMode = !m_insertMode;
    if (m_activePaneMessages != nullptr)
        m_activePaneMessages->post(WM_SET_INSERT_MODE, 0, m_insertMode ? 0 : 1);
}

void CMainFrame::takeFindText()
{
    m_findBox->setEditText(QString::fromStdString(settings::appSettings().FindText));
    m_findBox->addCurrentText();
}

void CMainFrame::flipMoveNext()
{
    settings::AppSettings& options = settings::appSettings();
    options.MoveNext = options.MoveNext != 0 ? 0 : 1;
    options.Save();
}

void CMainFrame::applyOptions()
{
    m_toolBar->setFlat(settings::appSettings().Cool != 0);
    setLegendColors();
}

LResult CMainFrame::getFindText(LParam lParam)
{
    if (lParam == 0)
        return 0;
    const std::string text = m_findBox->currentText().toStdString();
    if (text.empty())
        return 0;
    *reinterpret_cast<std::string*>(lParam) = text;
    return 1;
}

void CMainFrame::askToReloadChangedFile(WParam fileIndex, LParam lParam)
{
    if (lParam != 1 || s_reloadQuestionShown || m_document == nullptr)
        return;
    // A rescan since the notice has read the file as it is.
    if (!m_document->changedOnDisk(fileIndex == 0 ? core::kSourceSide : core::kTargetSide))
        return;
    // Under EasyJoin's walk or a load or save, the question waits until they end.
    if (m_easyJoinOpen || m_document->busy()) {
        if (!m_heldReload)
            m_heldReload = fileIndex;
        return;
    }
    s_reloadQuestionShown = true;
    const std::string& path = fileIndex == 0 ? m_document->source().path() : m_document->destination().path();
    const MessageAnswer answer =
        m_services.messageBox(framework::formatText(kFileChangedOutside, {path}), MessageButtons::YesNo, MessageIcon::Question);
    s_reloadQuestionShown = false;
    if (answer == MessageAnswer::Yes)
        post(WM_COMMAND, ID_RESCAN, 0);
}

void CMainFrame::askHeldReloadQuestion()
{
    if (const std::optional<WParam> held = std::exchange(m_heldReload, std::nullopt))
        askToReloadChangedFile(*held, 1);
}

void CMainFrame::onApplicationStateChanged(Qt::ApplicationState state)
{
    if (m_document != nullptr)
        m_document->watcher().OnActivateApp(state == Qt::ApplicationActive);
}

void CMainFrame::dropFiles(const std::vector<std::string>& names)
{
    activateWindow();
    if (names.empty() || m_document == nullptr || m_document->busy())
        return;
    std::vector<std::string> pair = names;
    if (pair.size() == 1) {
        if (m_document->pendingFile().empty()) {
            m_document->setPendingFile(pair.front());
            m_statusBar->showMessage(kMessagePane, kWaitingForSecondFile, kNavy, kWhite);
            return;
        }
        pair.insert(pair.begin(), m_document->pendingFile());
        m_statusBar->clearMessage(kMessagePane, 0);
    }
    m_document->setPendingFile({});
    if (m_document->saveModified())
        m_document->loadAndCompare(pair[0], pair[1]);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && (m_document == nullptr || !m_document->busy()))
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    std::vector<std::string> names;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            names.push_back(url.toLocalFile().toStdString());
    event->acceptProposedAction();
    dropFiles(names);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A save is left to end: closing would drop what it is writing.
    if (m_document != nullptr && m_document->saving()) {
        event->ignore();
        return;
    }
    shell::WindowPlacement::saveOf(kPlacementSection, *this);
    // Closing stops a load; the pair shown before it is then closed as usual.
    if (m_document != nullptr && m_document->busy())
        cancelLongWork();
    if (m_document != nullptr && !m_document->canCloseFrame()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        followDesktopTheme();
}

bool CMainFrame::event(QEvent* event)
{
    // Sent before Qt gives the window's focus widget the focus again.
    if (event->type() == QEvent::WindowActivate)
        restoreFocusAfterDialog();
    if (event->type() != QEvent::StatusTip)
        return QMainWindow::event(event);
    // Fly-by help: the prompt of the command under the pointer, else the idle text.
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    m_statusBar->setPaneText(kMessagePane, tip.isEmpty() ? std::string(shell::loadString(AFX_IDS_IDLEMESSAGE))
                                                         : tip.toStdString());
    return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    scheduleBarsUpdate(event->type());
    const bool key = event->type() == QEvent::KeyPress && isActiveWindow();
    if (key && m_document != nullptr && m_document->busy()
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        cancelLongWork();
        return true;
    }
    if (key && watched == QApplication::focusWidget())
        return translateAccelerator(*static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

// What the user does, and the program's posted messages and queued signals, may change what
// the bars show; nothing else does. A quiet window runs no timer.
void CMainFrame::scheduleBarsUpdate(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::FocusIn:
    case QEvent::WindowActivate:
    case QEvent::Drop:
    case QEvent::MetaCall:
        if (!m_idleTimer.isActive())
            m_idleTimer.start();
        break;
    default:
        break;
    }
}

bool CMainFrame::translateAccelerator(QKeyEvent& key)
{
    const bool inFindBox = m_findBox != nullptr && m_findBox->isAncestorOf(QApplication::focusWidget());
    if (inFindBox && CHistoryCombo::takesKey(key.key(), key.modifiers()))
        return false;
    if (panes::CTableView* view = focusedView();
        view != nullptr && view->preTranslateKey(platform::virtualKeyFromQt(key.key()), key.modifiers()))
        return true;
    const std::optional<CommandId> command = shell::findAccelerator(key.key(), key.modifiers());
    if (!command)
        return false;
    if (!routeCommand(*command))
        explainRefusedMerge(*command);
    return true;
}

void CMainFrame::explainRefusedMerge(CommandId id)
{
    if (m_document == nullptr || m_document->busy())
        return;
    const bool merge = id == ID_COPY_DIFF_TO_TARGET || id == ID_COPY_DIFF_TO_SOURCE || id == ID_COPY_LINE_TO_TARGET
        || id == ID_COPY_LINE_TO_SOURCE;
    if (merge && !m_document->editMode() && m_document->rowCount() > 0)
        showColoredMessage(kEditModeOff, kNavy, kWhite, kHintTenths);
}

panes::CTableView* CMainFrame::focusedView() const
{
    return viewOf(QApplication::focusWidget());
}

panes::CTableView* CMainFrame::viewOf(QWidget* widget)
{
    for (; widget != nullptr; widget = widget->parentWidget())
        if (auto* view = dynamic_cast<panes::CTableView*>(widget))
            return view;
    return nullptr;
}

void CMainFrame::noteFocusChange(QWidget* old, QWidget* now)
{
    const bool leaves = old != nullptr && isAncestorOf(old) && (now == nullptr || !isAncestorOf(now));
    if (!leaves)
        return;
    m_focusBeforeDialog = old;
    m_paneBeforeDialog = viewOf(old);
}

void CMainFrame::restoreFocusAfterDialog()
{
    // Qt gives the focus back to the window's focus widget when it can still take it; a
    // widget that was hidden or destroyed meanwhile (a closed cell editor) would leave the
    // focus to the first widget of the window.
    const QWidget* kept = focusWidget();
    if (kept != nullptr && kept->isVisible() && kept->isEnabled())
        return;
    if (m_focusBeforeDialog != nullptr && m_focusBeforeDialog->isVisible() && m_focusBeforeDialog->isEnabled())
        m_focusBeforeDialog->setFocus(Qt::ActiveWindowFocusReason);
    else if (m_paneBeforeDialog != nullptr)
        m_paneBeforeDialog->onActivateView(true);
}

void CMainFrame::dispatchPendingMessages()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CMainFrame::runBeside(std::function<void()> work, std::function<void()> done)
{
    beginLongWork();
    // A cancelled load's thread may end long after, under another load: done ignores it.
    m_besideThreads.start(std::move(work), std::move(done));
}

void CMainFrame::waitBeside(const std::function<void()>& work)
{
    beginLongWork();
    shell::BesideThreads::wait(work);
}

void CMainFrame::workEnded()
{
    endLongWork();
}

void CMainFrame::beginLongWork()
{
    m_longWork = true;
    // The panes keep painting the pair they show, but take no input until it is replaced.
    m_splitter->setEnabled(false);
    m_loadProgress->follow([this] { return m_document != nullptr ? m_document->workProgress() : nullptr; });
}

void CMainFrame::endLongWork()
{
    if (!std::exchange(m_longWork, false))
        return;
    m_loadProgress->stop();
    m_splitter->setEnabled(true);
    focusActiveView();
    // Asked once the document has ended the work it is still inside of.
    QTimer::singleShot(0, this, &CMainFrame::askHeldReloadQuestion);
}

void CMainFrame::cancelLongWork()
{
    if (m_document != nullptr)
        m_document->cancelWork();
}

void CMainFrame::focusActiveView()
{
    if (m_activeView != nullptr)
        m_activeView->onActivateView(true);
}

bool CMainFrame::runOptionsDialog()
{
    COptionsSheet sheet(m_services, this);
    return sheet.exec() == QDialog::Accepted;
}

bool CMainFrame::createFont(const LogFont& font)
{
    // A zero height is how the settings file says that no font was chosen.
    if (font.Height == 0)
        return false;
    // The panes make their cell font from the same description (kHintSetFont).
    return QFontMetrics(platform::toQFont(font)).height() > 0;
}

void CMainFrame::runEasyJoin()
{
    m_easyJoinOpen = true;
    {
        CEasyJoinDlg dialog(*m_document, m_services, m_router, this);
        m_document->updateAllViews(nullptr, kHintEasyJoin, static_cast<CommandTarget*>(&dialog));
        dialog.run();
    }
    // The walk is over and edit mode is as it was before.
    m_document->updateAllViews(nullptr, kHintEasyJoin, nullptr);
    m_easyJoinOpen = false;
    askHeldReloadQuestion();
}
