// Starts the program the way `bivalo SOURCE TARGET` does and, while the pair loads beside the
// window, measures:
//   first_frame_s     from main() until the main window has painted for the first time
//   pair_shown_s      until both file panes have painted the compared rows
//   longest_pause_ms  the longest gap between two ticks of a 5 ms timer from the first frame
//                     until kSettleSeconds after the pair shows: the longest the event loop
//                     did not answer
//   idle_cpu_s        the CPU time (user and system) of the process over IDLE_SECONDS once
//                     the pair is shown, the load's last work (freeing its memory, the
//                     bars' refresh) has had kSettleSeconds, and nothing happens (default
//                     10; 0 skips it)
//   idle_wakeups      the timer events the event loop handled meanwhile. On a virtual machine
//                     each wakeup of a process is charged CPU time that grows with its
//                     resident memory and that no profiler sees (a sleeping Python process
//                     holding 2 GB, woken once in 20 s: about 50 ms), so idle_cpu_s alone
//                     does not tell whether the window works while idle
//   save_s, save_longest_pause_ms  after the idle spell: the target's rows saved under
//                     another name, and the longest event-loop pause meanwhile
//   load_bench SOURCE TARGET [IDLE_SECONDS]
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "bench/press_timing.h"
#include "bench/window_bench.h"
#include "core/bivalo_doc.h"
#include "platform/qt_services.h"

namespace {

using bench::Clock;
using bench::secondsSince;

constexpr int kTickMilliseconds = 5;
constexpr int kSettleSeconds = 2;

double cpuSeconds()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Counts the timer events of the whole application.
class TimerEvents : public QObject {
public:
    int count() const { return m_count; }
    bool eventFilter(QObject*, QEvent* event) override
    {
        m_count += event->type() == QEvent::Timer ? 1 : 0;
        return false;
    }

private:
    int m_count = 0;
};

// Notes the first paint of any widget of the window.
class FirstPaint : public QObject {
public:
    FirstPaint(Clock::time_point start, std::function<void()> onFirst) : m_start(start), m_onFirst(std::move(onFirst)) {}
    double seconds() const { return m_seconds; }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_seconds == 0) {
            m_seconds = secondsSince(m_start);
            m_onFirst();
        }
        return false;
    }

private:
    Clock::time_point m_start;
    std::function<void()> m_onFirst;
    double m_seconds = 0;
};

// The gaps between the ticks of a short repeating timer.
class PauseMeter : public QObject {
public:
    PauseMeter()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 gap = m_sinceTick.restart();
            if (gap > m_longest) {
                m_longest = gap;
                m_longestEndedAt = m_sinceStart.elapsed();
            }
        });
    }
    void start()
    {
        m_sinceStart.start();
        m_sinceTick.start();
        m_timer.start(kTickMilliseconds);
    }
    void stop() { m_timer.stop(); }
    qint64 longestMilliseconds() const { return m_longest; }
    // When the longest pause ended, from start() on.
    qint64 longestEndedAtMilliseconds() const { return m_longestEndedAt; }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceTick;
    qint64 m_longest = 0;
    qint64 m_longestEndedAt = 0;
};

// Saves the target's rows under another name, as Save As does, and prints how long that
// took and the longest the event loop did not answer meanwhile.
void printSave(core::CBivaloDoc& document, const std::string& path)
{
    PauseMeter pauses;
    pauses.start();
    const Clock::time_point start = Clock::now();
    const bool saved = document.saveRows(document.destination(), document.destinationRows(), path);
    const double seconds = secondsSince(start);
    pauses.stop();
    std::remove(path.c_str());
    std::printf("save_s                     %.3f   (%s)\n", seconds, saved ? "saved" : "FAILED");
    std::printf("save_longest_pause_ms      %lld\n", static_cast<long long>(pauses.longestMilliseconds()));
}

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point mainStart = Clock::now();
    if (!bench::argumentsGiven(argc, 3, "load_bench SOURCE TARGET [IDLE_SECONDS]"))
        return 2;
    const int idleSeconds = argc > 3 ? std::atoi(argv[3]) : 10;
    bench::BenchApplication benchApplication(argv);
    QApplication& application = benchApplication.application();
    QApplication::setApplicationName(QString::fromStdString(CBivaloApp::title()));

    platform::QtServices services;
    CBivaloApp app(services);
    // The pauses counted are those of the load: from the window's first frame on.
    PauseMeter pauses;
    FirstPaint firstPaint(mainStart, [&] { pauses.start(); });
    application.installEventFilter(&firstPaint);
    double pairShown = 0;
    const auto filePane = [](const QWidget* pane) { return dynamic_cast<const panes::CBivaloView*>(pane) != nullptr; };
    bench::FirstFrameProbe probe(2, filePane, [&] {
        pairShown = secondsSince(mainStart);
        QApplication::exit(0);
    });
    application.installEventFilter(&probe);
    if (!app.initInstance({argv[1], argv[2]}))
        return 1;
    QApplication::exec();
    application.removeEventFilter(&probe);
    application.removeEventFilter(&firstPaint);
    // What the load leaves to do once the pair shows counts as part of it.
    QTimer::singleShot(kSettleSeconds * 1000, &application, [] { QApplication::exit(0); });
    QApplication::exec();
    pauses.stop();

    std::printf("first_frame_s              %.3f\n", firstPaint.seconds());
    std::printf("pair_shown_s               %.3f\n", pairShown);
    std::printf("longest_pause_ms           %lld   (ended %.3f s after the first frame)\n",
                static_cast<long long>(pauses.longestMilliseconds()), double(pauses.longestEndedAtMilliseconds()) / 1000);
    if (idleSeconds > 0) {
        TimerEvents wakeups;
        application.installEventFilter(&wakeups);
        const double before = cpuSeconds();
        QTimer::singleShot(idleSeconds * 1000, &application, [] { QApplication::exit(0); });
        QApplication::exec();
        const double idleCpu = cpuSeconds() - before;
        application.removeEventFilter(&wakeups);
        std::printf("idle_cpu_s                 %.4f   (over %d s)\n", idleCpu, idleSeconds);
        // Less the timer that ends the spell.
        std::printf("idle_wakeups               %d\n", wakeups.count() - 1);
        printSave(app.document(), std::string(argv[2]) + ".saved");
    }
    return 0;
}
