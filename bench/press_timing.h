#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

// What the window benchmarks share: figures in milliseconds, and a step timed from the press
// to the repainted panes.
namespace bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The wall-clock instant, for a script that measures from before the process was started.
inline long long epochNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

struct Figures {
    std::vector<double> ms;

    void add(double value) { ms.push_back(value); }
    double mean() const
    {
        double sum = 0;
        for (double v : ms)
            sum += v;
        return ms.empty() ? 0 : sum / double(ms.size());
    }
    double worst() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
    double best() const { return ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end()); }
    // The value that this share of the figures does not exceed (0.5 the median).
    double percentile(double share) const
    {
        if (ms.empty())
            return 0;
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted[std::size_t(share * double(sorted.size() - 1))];
    }
};

// Lets everything posted or waiting to be painted run, so that the panes show the new rows.
inline void settle()
{
    QApplication::processEvents();
    QApplication::processEvents();
}

inline double timed(auto&& action)
{
    const Clock::time_point start = Clock::now();
    action();
    settle();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A key as the user gives it: to the focused widget, through the main window's accelerators.
inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    QKeyEvent down(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(focus, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(focus, &up);
}

} // namespace bench
