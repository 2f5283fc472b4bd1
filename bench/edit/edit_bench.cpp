// Merges by hand in the window program on a pair and times what the user waits for, each
// from the key (or call) to the repainted panes:
//   edit_bench SOURCE TARGET [REPEATS]
// - copy a difference (Alt+Right) and undo it (Ctrl+Z), REPEATS times each (default 50);
// - insert an empty line and delete a line, REPEATS times each;
// - copy every difference one after another with MoveNext on;
// - Save All (Ctrl+S) of the edited target, against reading, writing and fsyncing a copy of
//   the target file in the same run;
// - the peak resident memory after copying every difference, against the two files' bytes.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>

#include "bench/press_timing.h"
#include "bench/window_bench.h"
#include "core/bivalo_doc.h"
#include "grid/cell_table_box.h"
#include "panes/bivalo_view.h"
#include "platform/qt_services.h"
#include "settings/app_settings.h"
#include "shell/bivalo_app.h"
#include "shell/main_frame.h"
#include "shell/main_splitter.h"

namespace {

using bench::Clock;
using bench::Figures;
using bench::pane;
using bench::timed;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void print(const char* name, const Figures& figures)
{
    std::printf("%-26s mean %7.3f ms   max %7.3f ms   (%zu times)\n", name, figures.mean(), figures.worst(),
                figures.ms.size());
}

// A key as the user gives it, then everything it caused, painting included.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    bench::press(key, modifiers);
    bench::settle();
}

long peakResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        long value = 0;
        if (key == "VmHWM:" && status >> value)
            return value;
    }
    return -1;
}

// Reads the file and writes a copy beside it, flushed to disk: the least a save must do.
double copyAndFsync(const std::string& path)
{
    const Clock::time_point start = Clock::now();
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string copy = path + ".copy";
    const int fd = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()) || ::fsync(fd) != 0)
        std::fprintf(stderr, "copy failed\n");
    ::close(fd);
    const double ms = millisecondsSince(start);
    std::filesystem::remove(copy);
    return ms;
}

int nextDifference(panes::CBivaloView& target, int row)
{
    const int rows = target.doc().rowCount();
    while (row < rows && target.isDifferenceRow(row))
        ++row;
    while (row < rows && !target.isDifferenceRow(row))
        ++row;
    return row < rows ? row : -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (!bench::argumentsGiven(argc, 3, "edit_bench SOURCE TARGET [REPEATS]"))
        return 2;
    const int repeats = argc > 3 ? std::atoi(argv[3]) : 50;
    bench::BenchApplication application(argv);

    platform::QtServices services;
    CBivaloApp app(services);
    settings::appSettings().UseAlt = 1;
    settings::appSettings().MoveNext = 0;
    if (!bench::startOn(app, argv[1], argv[2]))
        return 1;
    CMainFrame& frame = app.mainFrame();
    frame.show();
    QApplication::setActiveWindow(&frame);
    panes::CBivaloView& target = pane(app, 2);
    target.grid()->setFocus();
    QApplication::processEvents();
    core::CBivaloDoc& doc = app.document();
    press(Qt::Key_F9);
    if (!doc.editMode()) {
        std::fprintf(stderr, "edit mode did not come on\n");
        return 1;
    }
    const int first = target.firstDifference();
    target.goToRowCentred(first);
    QApplication::processEvents();

    Figures copy, undo, insert, remove;
    for (int i = 0; i < repeats; ++i) {
        copy.add(timed([] { press(Qt::Key_Right, Qt::AltModifier); }));
        undo.add(timed([] { press(Qt::Key_Z, Qt::ControlModifier); }));
    }
    target.goToRowCentred(first - 1 > 0 ? first - 1 : 0);
    for (int i = 0; i < repeats; ++i) {
        insert.add(timed([&] { target.insertLine(); }));
        remove.add(timed([&] { target.deleteLine(true); }));
    }
    while (doc.undoStore().undoCount() > 0)
        press(Qt::Key_Z, Qt::ControlModifier);

    // Every difference, one after another: with MoveNext the copy goes on to the next one.
    settings::appSettings().MoveNext = 1;
    target.goToRowCentred(first);
    QApplication::processEvents();
    int steps = 0;
    int stepsMovedByHand = 0;
    const Clock::time_point all = Clock::now();
    for (int row = first; row >= 0; ++steps) {
        press(Qt::Key_Right, Qt::AltModifier);
        const int next = nextDifference(target, row);
        if (next >= 0 && target.grid()->position().row != next) {
            // Next Diff did not move the panes: go there without it, and say so.
            ++stepsMovedByHand;
            target.goToRowCentred(next);
            QApplication::processEvents();
        }
        row = next;
    }
    const double allMs = millisecondsSince(all);
    const long peak = peakResidentKilobytes();
    const auto fileBytes = std::filesystem::file_size(argv[1]) + std::filesystem::file_size(argv[2]);

    const double baseline = copyAndFsync(argv[2]);
    const double save = timed([] { press(Qt::Key_S, Qt::ControlModifier); });
    const bool saved = doc.destination().changes() == 0;

    std::printf("rows                       %d\n", doc.rowCount());
    print("copy_difference", copy);
    print("undo_copy", undo);
    print("insert_line", insert);
    print("remove_row", remove);
    std::printf("copy_every_difference      %d steps, %.3f ms a step (%d steps moved by the benchmark, not by Next Diff)\n",
                steps, steps > 0 ? allMs / steps : 0.0, stepsMovedByHand);
    std::printf("save_all_ms                %.3f   (%s)\n", save, saved ? "saved" : "NOT saved");
    std::printf("copy_and_fsync_ms          %.3f\n", baseline);
    std::printf("ratio save / copy          %.2f   (target <= 1.5)\n", baseline > 0 ? save / baseline : 0.0);
    std::printf("peak_resident_mb           %.1f\n", double(peak) / 1024.0);
    std::printf("files_mb                   %.1f\n", double(fileBytes) / (1024.0 * 1024.0));
    std::printf("ratio peak / files         %.2f   (target <= 3)\n", double(peak) * 1024.0 / double(fileBytes));
    std::fflush(stdout);
    std::_Exit(0);
}
