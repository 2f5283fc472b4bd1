// Starts the merge window the way `bivalo --merge BASE LOCAL REMOTE -o OUTPUT` does and
// reports when the first frame of the LOCAL, result and REMOTE columns has been painted; then
// times ROUNDS (default 100) rounds of next conflict, next change, take LOCAL and take REMOTE,
// each key followed by the repaint it causes.
//   merge_window_bench BASE LOCAL REMOTE OUTPUT [ROUNDS]
// Prints seconds since main() for each stage, the wall-clock instant of the first frame
// (first_frame_epoch_ns) for the script, and per-press times in milliseconds (mean and worst).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QApplication>

#include "bench/press_timing.h"
#include "bench/window_bench.h"
#include "core/merge_doc.h"
#include "grid/cell_table_box.h"
#include "panes/merge_pane.h"
#include "platform/qt_services.h"
#include "shell/merge_app.h"
#include "shell/merge_frame.h"

namespace {

using bench::Clock;
using bench::epochNanoseconds;
using bench::secondsSince;

void print(const char* name, const bench::Figures& figures)
{
    std::printf("%-26s %.2f mean, %.2f worst of %zu\n", name, figures.mean(), figures.worst(), figures.ms.size());
}

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point mainStart = Clock::now();
    if (!bench::argumentsGiven(argc, 5, "merge_window_bench BASE LOCAL REMOTE OUTPUT [ROUNDS]"))
        return 2;
    const int rounds = argc > 5 ? std::atoi(argv[5]) : 100;
    bench::BenchApplication benchApplication(argv);
    QApplication& application = benchApplication.application();
    const double qtReady = secondsSince(mainStart);

    platform::QtServices services;
    shell::MergeApp app(services);
    double firstFrame = 0;
    long long firstFrameEpoch = 0;
    // The three columns shown: LOCAL, the result and REMOTE.
    const auto mergeColumn = [](const QWidget* pane) {
        return dynamic_cast<const panes::CMergePane*>(pane) != nullptr;
    };
    bench::FirstFrameProbe probe(3, mergeColumn, [&] {
        firstFrame = secondsSince(mainStart);
        firstFrameEpoch = epochNanoseconds();
        QApplication::exit(0);
    });
    application.installEventFilter(&probe);
    std::string error;
    if (!app.start({"--merge", "-o", argv[4], argv[1], argv[2], argv[3]}, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const double windowReady = secondsSince(mainStart);
    QApplication::exec();
    application.removeEventFilter(&probe);
    QApplication::setActiveWindow(&app.frame());
    app.frame().pane(core::MergePane::Result).grid()->setFocus();
    QApplication::processEvents();

    const int conflicts = app.document().session().openConflicts();
    // Each round looks for the next open conflict (without one, the search runs through every
    // chunk), goes to the next change, takes LOCAL's lines for it, then REMOTE's.
    bench::Figures nextConflict;
    bench::Figures nextChange;
    bench::Figures local;
    bench::Figures remote;
    for (int round = 0; round < rounds; ++round) {
        nextConflict.add(bench::timed([] { bench::press(Qt::Key_F8, Qt::ControlModifier); }));
        nextChange.add(bench::timed([] { bench::press(Qt::Key_F8); }));
        local.add(bench::timed([] { bench::press(Qt::Key_Left, Qt::AltModifier); }));
        remote.add(bench::timed([] { bench::press(Qt::Key_Right, Qt::AltModifier); }));
    }

    std::printf("rows                       %d\n", app.document().rowCount());
    std::printf("chunks                     %d\n", app.document().session().chunkCount());
    std::printf("conflicts                  %d   (%d left after the presses)\n", conflicts,
                app.document().session().openConflicts());
    std::printf("main_to_qt_ready_s         %.3f\n", qtReady);
    std::printf("qt_ready_to_window_ready_s %.3f   (frame, load, merge, first hints)\n", windowReady - qtReady);
    std::printf("main_to_first_frame_s      %.3f\n", firstFrame);
    std::printf("first_frame_epoch_ns       %lld\n", firstFrameEpoch);
    print("next_conflict_ms", nextConflict);
    print("next_change_ms", nextChange);
    print("take_local_ms", local);
    print("take_remote_ms", remote);
    std::fflush(stdout);
    // The measurement is over; the teardown of three million lines is not part of it.
    std::_Exit(0);
}
