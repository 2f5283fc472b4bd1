#include "tests/random/window_driver.h"

#include <chrono>
#include <filesystem>
#include <sys/stat.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

#include "core/bivalo_doc.h"
#include "core/row_queries.h"
#include "core/side.h"
#include "framework/command_ids.h"
#include "grid/cell_messages.h"
#include "panes/bivalo_view.h"
#include "settings/app_settings.h"
#include "shell/bivalo_app.h"
#include "shell/history_combo.h"
#include "shell/main_frame.h"
#include "shell/main_splitter.h"

namespace random_driver {

using namespace framework;

WindowDriver::WindowDriver(const NastyPair& pair) : m_services(m_dir.path().string())
{
    m_paths[core::kSourceSide] = m_dir.write("left.txt", pair.left);
    m_paths[core::kTargetSide] = m_dir.write("right.txt", pair.right);
}

WindowDriver::~WindowDriver()
{
    if (m_app)
        doc().removeView(&m_compares);
    m_app.reset();
}

std::string WindowDriver::start()
{
    testing_support::useFreshSettingsFile();
    settings::appSettings().UseAlt = 1;
    m_app = std::make_unique<CBivaloApp>(m_services);
    // Shift held keeps the window open on identical files, as it does for the user.
    m_services.setShiftDown(true);
    const bool started = m_app->initInstance({m_paths[0], m_paths[1]});
    QApplication::processEvents();
    m_services.setShiftDown(false);
    if (!started)
        return "start: the program did not start";
    doc().addView(&m_compares);
    frame().show();
    QApplication::setActiveWindow(&frame());
    focusPane(core::kTargetSide, true);
    settle();
    stampFiles();
    return check(Step{StepKind::GoTo, 0, 1, 0, {}});
}

CMainFrame& WindowDriver::frame()
{
    return m_app->mainFrame();
}

core::CBivaloDoc& WindowDriver::doc()
{
    return m_app->document();
}

panes::CBivaloView& WindowDriver::pane(int side)
{
    return *static_cast<panes::CBivaloView*>(frame().splitter().widget(side == core::kSourceSide ? 1 : 2));
}

void WindowDriver::settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    if (QApplication::activeModalWidget() == nullptr)
        QApplication::setActiveWindow(&frame());
}

// Mostly the user clicks into the pane first; sometimes the keys go wherever the focus is.
void WindowDriver::focusPane(int side, bool always)
{
    if (!always && QApplication::focusWidget() != nullptr && m_random() % 4 == 0)
        return;
    frame().activateView(&pane(side));
    pane(side).grid()->setFocus();
    QApplication::processEvents();
}

void WindowDriver::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(frame().windowHandle(), key, modifiers);
    QApplication::processEvents();
}

std::string WindowDriver::run(const Step& step)
{
    m_model.noteRowsBefore(doc(), openEdits(), m_compares.count);
    m_services.beginStep(step.answers);
    m_random.seed(step.answers ^ 0xf0c05u);
    std::string failure = take(step);
    // Messages posted by the step may still bring up dialogs.
    settle();
    m_services.endStep();
    if (failure.empty())
        failure = check(step);
    return failure;
}

OpenEdits WindowDriver::openEdits()
{
    OpenEdits edits;
    for (int side : {0, 1}) {
        auto* editor = qobject_cast<QLineEdit*>(pane(side).grid()->activeEditor());
        const int row = pane(side).grid()->position().row;
        if (editor != nullptr && row >= 0 && row < doc().rowCount())
            edits[std::size_t(side)] = OpenEdit{doc().rows(side)[std::size_t(row)], editor->text().toStdString()};
    }
    return edits;
}

std::string WindowDriver::take(const Step& step)
{
    const int side = step.b & 1;
    switch (step.kind) {
    case StepKind::Key:
        pressKey(step);
        break;
    case StepKind::Type:
        typeText(step);
        break;
    case StepKind::Command:
        focusPane(side, false);
        frame().routeCommand(commandTable()[std::size_t(step.a) % commandTable().size()].id, CommandOrigin::Menu);
        break;
    case StepKind::GoTo:
        if (doc().rowCount() > 0)
            pane(side).grid()->send(grid::TCM_SETCURCELL, 0, step.a % doc().rowCount());
        break;
    case StepKind::Select:
        for (int k = 0; doc().rowCount() > 0 && k <= (step.b >> 1); ++k)
            pane(side).grid()->send(grid::TCM_SELECTROW, WParam((step.a + k) % doc().rowCount()), 1);
        break;
    case StepKind::UndoAll:
        return undoAll();
    case StepKind::SaveAs:
        focusPane(side, true);
        frame().routeCommand(ID_FILE_SAVE_AS, CommandOrigin::Menu);
        break;
    case StepKind::OutsideChange:
        changeOutside(step);
        break;
    case StepKind::FindText:
        frame().findBox().setEditText(QString::fromStdString(step.text));
        focusPane(side, true);
        press(Qt::Key_F3, Qt::NoModifier);
        break;
    }
    return {};
}

void WindowDriver::pressKey(const Step& step)
{
    const KeyEntry& entry = keyTable()[std::size_t(step.a) % keyTable().size()];
    focusPane(step.b & 1, false);
    QWidget* focus = QApplication::focusWidget();
    const bool inPane = focus != nullptr && (pane(0).isAncestorOf(focus) || pane(1).isAncestorOf(focus) ||
                                             focus == &pane(0) || focus == &pane(1));
    // Escape in a pane closes the window, which ends the run.
    if (entry.key == Qt::Key_Escape && inPane)
        return;
    press(entry.key, entry.modifiers);
}

void WindowDriver::typeText(const Step& step)
{
    focusPane(step.b & 1, false);
    for (const char c : step.text) {
        QTest::keyClick(frame().windowHandle(), c);
        QApplication::processEvents();
    }
}

std::string WindowDriver::undoAll()
{
    // The first Undo may only take back what is typed into an open in-cell editor.
    for (int count = doc().undoStore().undoCount(), tries = 0; count > 0; count = doc().undoStore().undoCount()) {
        frame().routeCommand(ID_UNDO, CommandOrigin::Menu);
        settle();
        tries = doc().undoStore().undoCount() < count ? 0 : tries + 1;
        if (tries == 3)
            return "undo-all: Undo left " + std::to_string(doc().undoStore().undoCount()) + " records in the store";
    }
    return m_model.compareWithUndoPoint(doc());
}

void WindowDriver::changeOutside(const Step& step)
{
    const int side = step.a & 1;
    const std::string mark = "outside " + std::to_string(++m_outsideChanges);
    const std::string now = testing_support::readFile(m_paths[side]);
    std::mt19937 random(step.answers);
    std::string bytes;
    switch (step.b) {
    case 0:
        bytes = makeNastyFile(random, mark);
        break;
    case 1:
        bytes = now + mark + "\n";
        break;
    default:
        bytes = mark + "\r\n" + testing_support::readFile(m_paths[1 - side]);
        break;
    }
    const auto before = std::filesystem::last_write_time(m_paths[side]);
    m_dir.write(std::filesystem::path(m_paths[side]).filename().string(), bytes);
    std::filesystem::last_write_time(m_paths[side], before + std::chrono::seconds(5));
    m_stamps[std::size_t(side)] = stampOf(m_paths[side]);
    Q_EMIT qApp->applicationStateChanged(Qt::ApplicationInactive);
    QApplication::processEvents();
    Q_EMIT qApp->applicationStateChanged(Qt::ApplicationActive);
    QApplication::processEvents();
}

WindowDriver::DiskStamp WindowDriver::stampOf(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return {};
    return {status.st_size, status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec, status.st_ino};
}

void WindowDriver::stampFiles()
{
    for (int side : {0, 1})
        m_stamps[std::size_t(side)] = stampOf(m_paths[side]);
}

} // namespace random_driver
