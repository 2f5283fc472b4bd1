#pragma once

#include <functional>
#include <vector>

#include <QPointer>
#include <QThread>

namespace shell {

// The threads of a window's work beside its own thread. The work runs a little below the
// window's thread, and so do the threads it starts: on a machine with few cores the event
// loop still answers at once. Threads still running when this goes are waited for: the files
// their work reads must not outlive the program.
class BesideThreads {
public:
    // done runs on window's thread, unless window has gone by then.
    explicit BesideThreads(QObject& window) : m_window(window) {}
    ~BesideThreads();
    BesideThreads(const BesideThreads&) = delete;
    BesideThreads& operator=(const BesideThreads&) = delete;

    // Runs work on a thread of its own, then done on the window's thread.
    void start(std::function<void()> work, std::function<void()> done);
    // Runs work on a thread of its own and returns once it has ended; the window's events
    // are handled meanwhile.
    static void wait(const std::function<void()>& work);

private:
    QObject& m_window;
    std::vector<QPointer<QThread>> m_threads;
};

} // namespace shell
