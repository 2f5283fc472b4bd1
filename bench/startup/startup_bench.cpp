// Starts the program the way `bivalo SOURCE TARGET` does and reports when the first frame of
// both file panes, showing the compared rows, has been painted; then pages the target pane
// down PAGES times (default 1000), painting after every page.
//   startup_bench SOURCE TARGET [PAGES]
// Prints seconds since main() for each stage, and the wall-clock instant of the first frame
// (first_frame_epoch_ns) so that a script can measure from before the process was started.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QKeyEvent>

#include "bench/press_timing.h"
#include "bench/window_bench.h"
#include "grid/cell_table_box.h"
#include "panes/dst_view.h"
#include "panes/table_view.h"
#include "platform/qt_services.h"
#include "shell/bivalo_app.h"
#include "shell/main_frame.h"
#include "shell/main_splitter.h"

namespace {

using bench::Clock;
using bench::epochNanoseconds;
using bench::secondsSince;

grid::TCellTableBox& paneGrid(CBivaloApp& app, int column)
{
    return *static_cast<panes::CTableView*>(app.mainFrame().splitter().widget(column))->grid();
}

// Pages the grid down, letting each page paint before the next key.
double pageDown(grid::TCellTableBox& grid, int pages)
{
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < pages; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(&grid, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(&grid, &release);
        QApplication::processEvents();
    }
    return secondsSince(start);
}

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point mainStart = Clock::now();
    if (!bench::argumentsGiven(argc, 3, "startup_bench SOURCE TARGET [PAGES]"))
        return 2;
    const int pages = argc > 3 ? std::atoi(argv[3]) : 1000;
    bench::BenchApplication benchApplication(argv);
    QApplication& application = benchApplication.application();
    QApplication::setApplicationName(QString::fromStdString(CBivaloApp::title()));
    const double qtReady = secondsSince(mainStart);

    platform::QtServices services;
    CBivaloApp app(services);
    double firstFrame = 0;
    long long firstFrameEpoch = 0;
    // Both file panes, the source and the target.
    const auto filePane = [](const QWidget* pane) { return dynamic_cast<const panes::CBivaloView*>(pane) != nullptr; };
    bench::FirstFrameProbe probe(2, filePane, [&] {
        firstFrame = secondsSince(mainStart);
        firstFrameEpoch = epochNanoseconds();
        QApplication::exit(0);
    });
    application.installEventFilter(&probe);
    if (!app.initInstance({argv[1], argv[2]}))
        return 1;
    const double windowReady = secondsSince(mainStart);
    QApplication::exec();
    application.removeEventFilter(&probe);

    grid::TCellTableBox& target = paneGrid(app, 2);
    const int firstRowBefore = target.position().firstRow;
    const double paging = pageDown(target, pages);

    std::printf("rows                      %d\n", app.document().rowCount());
    std::printf("main_to_qt_ready_s        %.3f\n", qtReady);
    std::printf("qt_ready_to_window_ready_s %.3f   (frame, load, compare, first hints)\n", windowReady - qtReady);
    std::printf("window_ready_to_frame_s   %.3f   (painting left after start-up returned)\n", firstFrame - windowReady);
    std::printf("main_to_first_frame_s     %.3f\n", firstFrame);
    std::printf("first_frame_epoch_ns      %lld\n", firstFrameEpoch);
    std::printf("page_down_pages           %d   (first row %d -> %d)\n", pages, firstRowBefore,
                target.position().firstRow);
    std::printf("page_down_s               %.3f   (%.3f ms a page)\n", paging, pages > 0 ? paging * 1000 / pages : 0.0);
    std::fflush(stdout);
    // The measurement is over; the teardown of a million lines is not part of it.
    std::_Exit(0);
}
