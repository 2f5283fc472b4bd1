#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string>

namespace core {

// Thrown from a checkpoint of work that the user asked to stop.
class WorkCancelled : public std::runtime_error {
public:
    WorkCancelled() : std::runtime_error("cancelled") {}
};

// How far a long piece of work has come, and whether the user asked to stop it. The
// thread doing the work reports and checks; another thread reads and cancels.
class WorkProgress {
public:
    enum class Phase { Reading, Comparing, Writing };

    struct Snapshot {
        Phase phase = Phase::Reading;
        std::string subject;     // what is worked on, for the user: the files' names
        std::uint64_t done = 0;  // bytes read, lines of the comparison walked, or rows written
        std::uint64_t total = 0; // 0 when not known
        unsigned part = 0;       // of parts, see setPart
        unsigned parts = 1;

        // How much of whole the work has done, over all its parts; 0 while the total is not known.
        std::uint64_t shareOf(std::uint64_t whole) const;
    };

    void startPhase(Phase phase, const std::string& subject, std::uint64_t total);
    // The phases that follow are part `part` (from 0) of `parts` equal parts of one piece of
    // work, each counted from 0 (from now on): what is shown runs once over all of them.
    void setPart(unsigned part, unsigned parts);
    void advance(std::uint64_t amount) { m_done.fetch_add(amount, std::memory_order_relaxed); }
    void reach(std::uint64_t done) { m_done.store(done, std::memory_order_relaxed); }
    // Throws WorkCancelled once cancel was called.
    void checkpoint() const
    {
        if (cancelled())
            throw WorkCancelled();
    }

    void cancel() { m_cancelled.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return m_cancelled.load(std::memory_order_relaxed); }
    Snapshot snapshot() const;

private:
    mutable std::mutex m_mutex; // guards the phase, the subject and the part
    Phase m_phase = Phase::Reading;
    std::string m_subject;
    unsigned m_part = 0;
    unsigned m_parts = 1;
    std::atomic<std::uint64_t> m_done = 0;
    std::atomic<std::uint64_t> m_total = 0;
    std::atomic<bool> m_cancelled = false;
};

// What the work is doing, for a status line: "Reading a.txt and b.txt: 312 of 1010 MB",
// "Comparing: 60%", "Saving a.txt: 40%".
std::string describeProgress(const WorkProgress::Snapshot& snapshot);

} // namespace core
