#include "core/progress_line.h"

#include <algorithm>
#include <ostream>
#include <string>

namespace core {

ProgressLine::ProgressLine(std::ostream& terminal, const WorkProgress& progress)
    : m_terminal(terminal), m_progress(progress), m_thread([this] { show(); })
{
}

ProgressLine::~ProgressLine()
{
    {
        const std::lock_guard lock(m_mutex);
        m_over = true;
    }
    m_wake.notify_one();
    m_thread.join();
    if (m_shownLength != 0)
        m_terminal << '\r' << std::string(m_shownLength, ' ') << '\r' << std::flush;
}

void ProgressLine::show()
{
    std::unique_lock lock(m_mutex);
    if (m_wake.wait_for(lock, kQuietFor, [this] { return m_over; }))
        return;
    do {
        std::string text = describeProgress(m_progress.snapshot());
        // The longer line before leaves no tail.
        text.resize(std::max(text.size(), m_shownLength), ' ');
        m_terminal << '\r' << text << std::flush;
        m_shownLength = text.size();
    } while (!m_wake.wait_for(lock, kRefreshEvery, [this] { return m_over; }));
}

} // namespace core
