// Opens a pair in the window program (offscreen) and times moves of the panes, each from the
// key press to the repainted panes:
//   next_diff / prev_diff   F8 / F7 through every difference block, and the one move across
//                           the longest stretch without difference (both directions)
//   goto_line               a line number taken by the panes (the dialog's answer) far away
//   next_bookmark           F2 to a bookmark one row behind the current row, so that the
//                           search runs over the whole file
//   find_absent             F3 for a word that does not occur: a full wrap and "not found"
//   navigation_bench SOURCE TARGET ABSENT_WORD [ROUNDS]
// With ROUNDS 0, only the moves at the far end of a huge pair, where a walk from the top
// costs most: page up, page down, F7 and F8 from its last row, and clicks on the overview
// strip that jump between its top and its bottom.
// Prints milliseconds: mean and worst over each set of moves.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QMouseEvent>

#include "bench/press_timing.h"
#include "bench/window_bench.h"
#include "core/bivalo_doc.h"
#include "framework/scripted_services.h"
#include "grid/cell_messages.h"
#include "panes/bivalo_view.h"
#include "panes/diff_block_map.h"
#include "panes/diff_preview.h"
#include "shell/bivalo_app.h"
#include "shell/history_combo.h"
#include "shell/main_frame.h"
#include "shell/main_splitter.h"

namespace {

using bench::Figures;
using bench::pane;
using bench::press;
using bench::settle;
using bench::timed;

void focus(panes::CBivaloView& view)
{
    view.grid()->setFocus(Qt::OtherFocusReason);
    settle();
}

void setRow(panes::CBivaloView& view, int row)
{
    view.goToRowCentred(row);
    settle();
}

int row(panes::CBivaloView& view)
{
    return view.grid()->position().row;
}

// The start of the longest run of rows without difference, and the block rows around it.
struct Stretch {
    int before = -1;    // last difference row above it
    int after = -1;     // first difference row below it
};

Stretch longestStretch(panes::CBivaloView& view, int rows)
{
    Stretch best;
    int lastDifference = -1;
    for (int r = 0; r < rows; ++r) {
        if (!view.isDifferenceRow(r))
            continue;
        if (lastDifference >= 0 && r - lastDifference > best.after - best.before) {
            best.before = lastDifference;
            best.after = r;
        }
        lastDifference = r;
    }
    return best;
}

void print(const char* name, const Figures& figures, const char* note)
{
    std::printf("%-22s n=%-5zu mean %7.3f ms   worst %7.3f ms   best %7.3f ms   %s\n", name, figures.ms.size(),
                figures.mean(), figures.worst(), figures.best(), note);
}

constexpr int kMoves = 20;

// A left click on the overview strip, near its top or its bottom.
void clickStrip(panes::CDiffPreview& strip, bool top)
{
    const QPointF at(strip.width() / 2, top ? panes::DiffBlockMap::kMargin + 1 : strip.height() - panes::DiffBlockMap::kMargin - 1);
    QMouseEvent down(QEvent::MouseButtonPress, at, strip.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&strip, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, strip.mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&strip, &up);
}

void farEndMoves(panes::CBivaloView& target, panes::CDiffPreview& strip, int rows)
{
    // The strip goes on building for some turns of the event loop after the pair shows.
    while (strip.blockMap().values().size() < std::size_t(rows))
        QApplication::processEvents();
    focus(target);
    setRow(target, rows - 1);
    const auto pressed = [](Qt::Key key) {
        Figures figures;
        for (int k = 0; k < kMoves; ++k)
            figures.add(timed([key] { press(key); }));
        return figures;
    };
    print("page_up_at_end", pressed(Qt::Key_PageUp), "from the last row");
    print("page_down_at_end", pressed(Qt::Key_PageDown), "back to the last row");
    print("prev_diff_at_end", pressed(Qt::Key_F7), "from the last row");
    print("next_diff_at_end", pressed(Qt::Key_F8), "back towards it");
    Figures jumps;
    for (int k = 0; k < kMoves; ++k)
        jumps.add(timed([&strip, k] { clickStrip(strip, k % 2 == 0); }));
    print("strip_jump", jumps, "a click on the strip's top, then its bottom, and so on");
}

} // namespace

int main(int argc, char** argv)
{
    if (!bench::argumentsGiven(argc, 4, "navigation_bench SOURCE TARGET ABSENT_WORD [ROUNDS]"))
        return 2;
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 5;
    bench::BenchApplication application(argv);
    // Message boxes answer at once: "not found" must not wait for a click.
    framework::ScriptedServices services;
    CBivaloApp app(services);
    if (!bench::startOn(app, argv[1], argv[2]))
        return 1;
    QApplication::setActiveWindow(&app.mainFrame());
    settle();
    panes::CBivaloView& source = pane(app, 1);
    panes::CBivaloView& target = pane(app, 2);
    const int rows = app.document().rowCount();
    std::printf("rows %d\n", rows);
    if (rounds == 0) {
        farEndMoves(target, *app.mainFrame().findChild<panes::CDiffPreview*>(), rows);
        return 0;
    }

    // Every difference block, forwards then backwards.
    focus(target);
    setRow(target, 0);
    Figures next;
    Figures previous;
    int blocks = 0;
    for (int before = -1; row(target) != before;) {
        before = row(target);
        next.add(timed([] { press(Qt::Key_F8); }));
        ++blocks;
    }
    for (int before = -1; row(target) != before;)
        previous.add(timed([&] { before = row(target); press(Qt::Key_F7); }));
    std::printf("difference blocks visited %d\n", blocks - 1);
    print("next_diff", next, "F8 through every block");
    print("prev_diff", previous, "F7 through every block");

    const Stretch stretch = longestStretch(target, rows);
    Figures across;
    Figures acrossBack;
    for (int i = 0; i < rounds; ++i) {
        setRow(target, stretch.before);
        across.add(timed([] { press(Qt::Key_F8); }));
        acrossBack.add(timed([] { press(Qt::Key_F7); }));
    }
    char note[96];
    std::snprintf(note, sizeof note, "F8/F7 across %d rows without difference", stretch.after - stretch.before - 1);
    print("next_diff_stretch", across, note);
    print("prev_diff_stretch", acrossBack, note);

    Figures gotoLine;
    for (int i = 0; i < rounds; ++i) {
        for (const int line : {rows - 10, 10, rows / 2, rows / 3})
            gotoLine.add(timed([&] { target.goToLine(line); }));
    }
    print("goto_line", gotoLine, "far lines, both ways (after the dialog's Go!)");

    Figures bookmark;
    const int marked = rows / 2;
    setRow(target, marked);
    target.toggleBookmark();
    source.toggleBookmark();
    for (int i = 0; i < rounds; ++i) {
        setRow(target, marked + 1);
        bookmark.add(timed([] { press(Qt::Key_F2); }));
    }
    std::snprintf(note, sizeof note, "F2 from row %d to row %d: the whole file searched", marked + 1, marked);
    print("next_bookmark", bookmark, note);

    Figures find;
    app.mainFrame().findBox().setEditText(QString::fromUtf8(argv[3]));
    focus(source);
    for (int i = 0; i < rounds; ++i) {
        setRow(source, rows / 2);
        find.add(timed([] { press(Qt::Key_F3); }));
    }
    print("find_absent", find, "F3: full wrap and \"not found\", source pane");
    std::printf("not_found_messages %zu\n", services.messageTexts().size());
    std::fflush(stdout);
    std::_Exit(0);
}
