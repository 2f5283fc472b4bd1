#pragma once

#include <chrono>
#include <condition_variable>
#include <iosfwd>
#include <mutex>
#include <thread>

#include "core/work_progress.h"

namespace core {

// Shows the progress of work on one line of a terminal, rewritten a few times a second,
// once the work has taken longer than a second; the line is cleared when the work ends
// (this object goes). Work that ends sooner writes nothing.
class ProgressLine {
public:
    static constexpr std::chrono::milliseconds kQuietFor { 1000 };
    static constexpr std::chrono::milliseconds kRefreshEvery { 250 };

    ProgressLine(std::ostream& terminal, const WorkProgress& progress);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

private:
    void show();

    std::ostream& m_terminal;
    const WorkProgress& m_progress;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_over = false;
    std::size_t m_shownLength = 0;
    std::thread m_thread;
};

} // namespace core
