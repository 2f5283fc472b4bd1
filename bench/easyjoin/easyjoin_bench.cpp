// Opens a pair in the window program (offscreen) and walks every difference twice, timing
// each step from the press to the repainted panes:
//   next_diff (baseline)   F8 alone from the first difference to the last
//   easyjoin_copy          EasyJoin with ">>" pressed on every difference: the copy, Next
//                          Diff and the repaint, until the walk ends and the dialog closes
//   easyjoin_bench SOURCE TARGET
// Prints milliseconds over each walk: mean, median, 99th percentile, worst, and how many
// presses took longer than a frame (16 ms).
#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "bench/press_timing.h"
#include "bench/window_bench.h"
#include "core/bivalo_doc.h"
#include "framework/command_ids.h"
#include "framework/scripted_services.h"
#include "panes/bivalo_view.h"
#include "shell/bivalo_app.h"
#include "shell/easy_join_dlg.h"
#include "shell/main_frame.h"
#include "shell/main_splitter.h"

namespace {

using bench::Figures;
using bench::settle;
using bench::timed;

void print(const char* name, const Figures& figures)
{
    std::printf("%-22s n=%-5zu mean %7.3f ms   median %7.3f ms   99%% %7.3f ms   worst %7.3f ms   over 16 ms: %zu\n",
                name, figures.ms.size(), figures.mean(), figures.percentile(0.5), figures.percentile(0.99),
                figures.worst(), std::size_t(std::count_if(figures.ms.begin(), figures.ms.end(),
                                                           [](double ms) { return ms > 16.0; })));
}

Figures walkWithNextDiff(panes::CBivaloView& target)
{
    Figures figures;
    target.goToRowCentred(target.firstDifference());
    settle();
    for (;;) {
        const int before = target.grid()->position().row;
        const double ms = timed([] { bench::press(Qt::Key_F8); });
        if (target.grid()->position().row == before)
            break;
        figures.add(ms);
    }
    return figures;
}

// ">>" until the walk ends; the press that ends it counts too.
Figures walkWithEasyJoin(CMainFrame& frame)
{
    Figures figures;
    QTimer::singleShot(0, &frame, [&figures] {
        auto* dialog = qobject_cast<CEasyJoinDlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        while (dialog->isVisible())
            figures.add(timed([dialog] { dialog->copyToTargetButton().click(); }));
    });
    frame.routeCommand(framework::ID_EASY_JOIN, framework::CommandOrigin::Menu);
    settle();
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    if (!bench::argumentsGiven(argc, 3, "easyjoin_bench SOURCE TARGET"))
        return 2;
    bench::BenchApplication application(argv);
    framework::ScriptedServices services;
    CBivaloApp app(services);
    if (!bench::startOn(app, argv[1], argv[2]))
        return 1;
    CMainFrame& frame = app.mainFrame();
    frame.show();
    QApplication::setActiveWindow(&frame);
    panes::CBivaloView& target = bench::pane(app, 2);
    target.grid()->setFocus(Qt::OtherFocusReason);
    settle();
    core::CBivaloDoc& doc = app.document();
    frame.routeCommand(framework::ID_EDIT_MODE);
    if (!doc.editMode()) {
        std::fprintf(stderr, "edit mode did not come on\n");
        return 1;
    }

    const Figures baseline = walkWithNextDiff(target);
    const Figures easyJoin = walkWithEasyJoin(frame);
    std::printf("rows                   %d\n", doc.rowCount());
    print("next_diff (baseline)", baseline);
    print("easyjoin_copy", easyJoin);
    std::printf("target changes         %d   (one per copied difference)\n", doc.destination().changes());
    std::printf("ratio mean / baseline  %.2f   (target: each press <= 16 ms)\n",
                baseline.mean() > 0 ? easyJoin.mean() / baseline.mean() : 0.0);
    std::fflush(stdout);
    std::_Exit(0);
}
