#include "core/work_progress.h"

#include <algorithm>
#include <cassert>

namespace core {

namespace {

constexpr std::uint64_t kMegabyte = 1 << 20;

std::string megabytes(std::uint64_t bytes)
{
    return std::to_string(bytes / kMegabyte);
}

} // namespace

void WorkProgress::startPhase(Phase phase, const std::string& subject, std::uint64_t total)
{
    const std::lock_guard lock(m_mutex);
    m_phase = phase;
    m_subject = subject;
    m_done.store(0, std::memory_order_relaxed);
    m_total.store(total, std::memory_order_relaxed);
}

void WorkProgress::setPart(unsigned part, unsigned parts)
{
    assert(part < parts);
    const std::lock_guard lock(m_mutex);
    m_part = part;
    m_parts = parts;
    m_done.store(0, std::memory_order_relaxed);
}

WorkProgress::Snapshot WorkProgress::snapshot() const
{
    Snapshot snapshot;
    {
        const std::lock_guard lock(m_mutex);
        snapshot.phase = m_phase;
        snapshot.subject = m_subject;
        snapshot.part = m_part;
        snapshot.parts = m_parts;
    }
    snapshot.total = m_total.load(std::memory_order_relaxed);
    snapshot.done = m_done.load(std::memory_order_relaxed);
    return snapshot;
}

std::uint64_t WorkProgress::Snapshot::shareOf(std::uint64_t whole) const
{
    if (total == 0)
        return 0;
    // Two threads may each count a little past their share of the total.
    const std::uint64_t inPart = std::min(done, total) * whole / total;
    return (part * whole + inPart) / parts;
}

std::string describeProgress(const WorkProgress::Snapshot& snapshot)
{
    const std::uint64_t done = snapshot.total == 0 ? snapshot.done : std::min(snapshot.done, snapshot.total);
    const std::uint64_t percent = snapshot.shareOf(100);
    if (snapshot.phase == WorkProgress::Phase::Comparing)
        return "Comparing: " + std::to_string(percent) + "%";
    if (snapshot.phase == WorkProgress::Phase::Writing)
        return "Saving " + snapshot.subject + ": " + std::to_string(percent) + "%";
    std::string text = "Reading " + snapshot.subject + ": " + megabytes(done);
    if (snapshot.total != 0)
        text += " of " + megabytes(snapshot.total);
    return text + " MB";
}

} // namespace core
