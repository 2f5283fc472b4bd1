#include "shell/merge_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/merge_doc.h"
#include "core/merge_load_job.h"
#include "framework/merge_command_ids.h"
#include "framework/text_format.h"
#include "framework/update_hints.h"
#include "panes/diff_preview.h"
#include "panes/merge_pane.h"
#include "platform/to_qstring.h"
#include "shell/accelerator_table.h"
#include "shell/command_menu.h"
#include "shell/load_progress_bar.h"
#include "shell/menu_table.h"

using framework::CommandId;
using framework::CommandOrigin;
using framework::CommandUI;
using framework::LParam;
using framework::LResult;
using framework::MessageId;
using framework::WParam;

namespace {

constexpr int kStripWidth = 30;
constexpr int kColumnWidth = 400;
constexpr double kScreenShare = 0.8;

} // namespace

CMergeFrame::CMergeFrame(core::CMergeDoc& document, framework::Services& services)
    : m_document(document), m_services(services), m_besideThreads(*this)
{
    m_router.setDocument(&m_document);
    m_router.setMainFrame(this);
    m_document.addView(this);
    addCommands();
}

CMergeFrame::~CMergeFrame()
{
    qApp->removeEventFilter(this);
    // The load stops within a moment; its thread is waited for as the window goes.
    if (m_load != nullptr)
        m_load->progress.cancel();
    m_document.removeView(this);
    // The columns reach back to the frame (focus, the active view) while they go: they go
    // while it is still whole.
    delete m_splitter;
}

bool CMergeFrame::create()
{
    // The progress of a load sits below the columns.
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_splitter = new QSplitter(Qt::Horizontal, central);
    m_strip = new panes::CDiffPreview(
        m_document, [this](panes::DiffBlockMap& map, bool) {
            panes::buildMergeStrip(m_document.session(), map);
            return true;
        },
        m_splitter);
    m_splitter->addWidget(m_strip);
    for (core::MergePane column :
         {core::MergePane::Local, core::MergePane::Result, core::MergePane::Remote, core::MergePane::Base}) {
        auto* pane = new panes::CMergePane(m_document, *this, column);
        m_panes[std::size_t(column)] = pane;
        if (!pane->createView(m_splitter))
            return false;
        m_splitter->addWidget(pane);
        pane->initialUpdate();
    }
    m_splitter->setSizes({kStripWidth, kColumnWidth, kColumnWidth, kColumnWidth, kColumnWidth});
    layout->addWidget(m_splitter, 1);
    m_loadProgress = new CLoadProgressBar(central);
    layout->addWidget(m_loadProgress);
    connect(m_loadProgress, &CLoadProgressBar::cancelRequested, this, &QWidget::close);
    setCentralWidget(central);
    m_status = new QLabel(this);
    statusBar()->addPermanentWidget(m_status);
    createMenus();
    showBase(false);
    activateView(m_panes[std::size_t(core::MergePane::Result)]);
    qApp->installEventFilter(this);
    updateStatus();
    return true;
}

void CMergeFrame::showOnScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        resize(screen->availableSize() * kScreenShare);
    show();
    panes::CMergePane& result = pane(core::MergePane::Result);
    activateView(&result);
    result.onActivateView(true);
}

void CMergeFrame::loadBeside(std::shared_ptr<core::MergeLoadJob> job, std::function<void()> done)
{
    m_load = job;
    m_splitter->setEnabled(false);
    m_loadProgress->follow([this] { return m_load != nullptr ? &m_load->progress : nullptr; });
    m_besideThreads.start([job] { job->run(); }, [this, job, done = std::move(done)] {
        // A stopped load's thread may end long after; nothing waits for it then.
        if (job != m_load)
            return;
        endLoad();
        if (m_activeView != nullptr)
            m_activeView->onActivateView(true);
        done();
    });
}

void CMergeFrame::endLoad()
{
    m_load.reset();
    m_loadProgress->stop();
    m_splitter->setEnabled(true);
}

void CMergeFrame::addCommands()
{
    using namespace framework;
    onCommand(ID_APP_EXIT, [this] { close(); });
    onCommand(ID_MERGE_SHOW_BASE, [this] { showBase(!baseShown()); });
    onEnable(ID_MERGE_SHOW_BASE, [this](CommandUI& ui) { ui.setCheck(baseShown()); });
}

void CMergeFrame::createMenus()
{
    shell::fillMenuBar(*menuBar(), shell::mergeMenu());
    connect(menuBar(), &QMenuBar::triggered, this,
            [this](QAction* action) { routeCommand(shell::commandOf(action), CommandOrigin::Menu); });
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { refreshMenu(*menu); });
}

void CMergeFrame::refreshMenu(QMenu& menu)
{
    for (QAction* action : menu.actions()) {
        const CommandId id = shell::commandOf(action);
        if (id == 0)
            continue;
        CommandUI ui(id, CommandOrigin::Menu);
        action->setEnabled(m_router.update(ui));
        action->setCheckable(ui.checked());
        action->setChecked(ui.checked());
    }
}

void CMergeFrame::showContextMenu(const QPoint& screenPoint)
{
    QMenu menu(this);
    shell::fillMenu(menu, shell::mergeContextMenu());
    refreshMenu(menu);
    if (QAction* chosen = menu.exec(screenPoint))
        routeCommand(shell::commandOf(chosen), CommandOrigin::Menu);
}

bool CMergeFrame::routeCommand(CommandId id, CommandOrigin origin)
{
    return m_router.execute(id, origin);
}

panes::CMergePane& CMergeFrame::pane(core::MergePane column) const
{
    return *m_panes[std::size_t(column)];
}

bool CMergeFrame::baseShown() const
{
    return pane(core::MergePane::Base).isVisible();
}

void CMergeFrame::showBase(bool show)
{
    panes::CMergePane& base = pane(core::MergePane::Base);
    base.setVisible(show);
    if (!show && m_activeView == &base)
        activateView(&pane(core::MergePane::Result));
    // The new column starts where the others are.
    if (show && m_activeView != nullptr)
        base.grid()->CopyState(*m_activeView->grid(), grid::TCell::kCopyOriginY | grid::TCell::kCopyRow);
}

void CMergeFrame::activateView(panes::CTableView* view)
{
    if (view == m_activeView)
        return;
    panes::CTableView* previous = m_activeView;
    m_activeView = view;
    m_router.setActiveView(view);
    if (previous != nullptr)
        previous->update();
}

void CMergeFrame::post(MessageId message, WParam wParam, LParam lParam)
{
    QMetaObject::invokeMethod(
        this, [this, message, wParam, lParam] { sendToFrame(message, wParam, lParam); }, Qt::QueuedConnection);
}

LResult CMergeFrame::sendToFrame(MessageId message, WParam wParam, LParam)
{
    if (message == framework::WM_COMMAND)
        routeCommand(CommandId(wParam));
    else if (message == framework::WM_CLOSE)
        close();
    return 0;
}

void CMergeFrame::showColoredMessage(const std::string& text, framework::ColorRef, framework::ColorRef,
                                     int clearAfterTenths)
{
    statusBar()->showMessage(platform::toQString(text), clearAfterTenths * 100);
}

void CMergeFrame::onUpdate(framework::View*, int hint, void*)
{
    if (hint == framework::kHintCompared || hint == framework::kHintModifiedChanged)
        updateStatus();
}

std::string CMergeFrame::statusText() const
{
    // Nothing is counted while the merge loads.
    if (!m_document.loaded())
        return {};
    const std::int32_t open = m_document.session().openConflicts();
    return open == 0 ? std::string(kNoConflictsLeft) : framework::formatText(kConflictsLeft, {std::to_string(open)});
}

void CMergeFrame::updateStatus()
{
    if (m_status != nullptr)
        m_status->setText(platform::toQString(statusText()));
}

void CMergeFrame::closeEvent(QCloseEvent* event)
{
    // Nothing is merged yet: closing stops the load.
    if (m_load != nullptr) {
        m_load->progress.cancel();
        endLoad();
    }
    if (!m_document.canCloseFrame()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool CMergeFrame::eventFilter(QObject* watched, QEvent* event)
{
    const bool key = event->type() == QEvent::KeyPress && isActiveWindow();
    if (key && m_load != nullptr && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    if (key && watched == QApplication::focusWidget())
        return translateAccelerator(*static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

bool CMergeFrame::translateAccelerator(const QKeyEvent& key)
{
    const std::optional<CommandId> command = shell::findMergeAccelerator(key.key(), key.modifiers());
    if (!command)
        return false;
    routeCommand(*command);
    return true;
}
