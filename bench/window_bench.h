#pragma once

#include <cstdio>
#include <functional>
#include <set>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QtGlobal>

#include "grid/cell_table_box.h"

#include "core/bivalo_doc.h"
#include "panes/bivalo_view.h"
#include "shell/bivalo_app.h"
#include "shell/main_frame.h"
#include "shell/main_splitter.h"

// The start that every window benchmark shares: its arguments, Qt, and the panes.
namespace bench {

// Whether at least `least` arguments came, the program's name counted; the usage line on
// standard error when not.
inline bool argumentsGiven(int argc, int least, const char* usage)
{
    if (argc >= least)
        return true;
    std::fprintf(stderr, "usage: %s\n", usage);
    return false;
}

// The QApplication of a benchmark: on the offscreen platform unless QT_QPA_PLATFORM names
// another, and blind to the benchmark's own arguments.
class BenchApplication {
public:
    explicit BenchApplication(char** argv) : m_application(offscreenUnlessSet(m_argc), argv) {}

    QApplication& application() { return m_application; }

private:
    static int& offscreenUnlessSet(int& argc)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }

    int m_argc = 1;    // QApplication keeps a reference to it
    QApplication m_application;
};

// Starts the program on a pair and waits until the pair is shown: a large pair loads
// beside the window. False when it did not open.
inline bool startOn(CBivaloApp& app, const char* source, const char* target)
{
    if (!app.initInstance({source, target}))
        return false;
    while (app.document().busy())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return app.document().rowCount() > 0;
}

// The file pane in a column of the main window's splitter: 1 the source, 2 the target.
inline panes::CBivaloView& pane(CBivaloApp& app, int column)
{
    return *static_cast<panes::CBivaloView*>(app.mainFrame().splitter().widget(column));
}

// Watches the paint events of the panes' grids; once `panes` grids in panes that `counts`
// accepts have painted rows, the frame is complete when the event loop next comes round (the
// backing store is flushed by then).
class FirstFrameProbe : public QObject {
public:
    FirstFrameProbe(std::size_t panes, std::function<bool(const QWidget* pane)> counts,
                    std::function<void()> onFirstFrame)
        : m_panes(panes), m_counts(std::move(counts)), m_onFirstFrame(std::move(onFirstFrame))
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done)
            notePaint(watched);
        return false;
    }

private:
    void notePaint(QObject* watched)
    {
        const auto* grid = dynamic_cast<grid::TCellTableBox*>(watched);
        if (grid == nullptr || grid->rowCount() == 0 || !m_counts(grid->parentWidget()))
            return;
        m_painted.insert(grid);
        if (m_painted.size() == m_panes) {
            m_done = true;
            QTimer::singleShot(0, this, [this] { m_onFirstFrame(); });
        }
    }

    std::size_t m_panes;
    std::function<bool(const QWidget*)> m_counts;
    std::function<void()> m_onFirstFrame;
    std::set<const grid::TCellTableBox*> m_painted;
    bool m_done = false;
};

} // namespace bench
