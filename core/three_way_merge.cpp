#include "core/three_way_merge.h"

#include <algorithm>

#include "core/difference_engine.h"
#include "core/line_file.h"

namespace core {

namespace {

// Rows matched between two looks at the progress.
constexpr std::int32_t kRowsPerCheckpoint = 1 << 14;
// What the progress shows runs once over both sides' comparisons and matchings.
constexpr unsigned kProgressParts = 4;

} // namespace

ThreeWayMerge::ThreeWayMerge(LineFile& base, LineFile& local, LineFile& remote, const TextOptions& options,
                             WorkProgress* progress)
    : m_base(base), m_local(local), m_remote(remote)
{
    const LineMatches localMatches = matchLines(base, local, m_local, options, {progress, 0});
    const LineMatches remoteMatches = matchLines(base, remote, m_remote, options, {progress, 2});
    m_chunks = mergeChunks({m_base.count(), m_local.count(), m_remote.count()}, localMatches, remoteMatches,
                           [this](LineRange localLines, LineRange remoteLines) {
                               return m_local.sameLines(localLines, m_remote, remoteLines);
                           });
}

LineMatches ThreeWayMerge::matchLines(LineFile& base, LineFile& other, const MergeInput& otherInput,
                                      const TextOptions& options, ProgressPart progress) const
{
    WorkProgress* const work = progress.work;
    if (work != nullptr)
        work->setPart(progress.first, kProgressParts);
    const CompareResult aligned = compareFiles(base, other, options, work);
    // Each row's lines are put together to be compared: a long walk of its own.
    if (work != nullptr) {
        work->setPart(progress.first + 1, kProgressParts);
        work->startPhase(WorkProgress::Phase::Comparing, {}, static_cast<std::uint64_t>(aligned.rowCount));
    }
    LineMatches matches;
    for (std::int32_t row = 0; row < aligned.rowCount; ++row) {
        if (work != nullptr && row % kRowsPerCheckpoint == 0) {
            work->reach(static_cast<std::uint64_t>(row));
            work->checkpoint();
        }
        const std::int32_t baseLine = m_base.lineStartingAt(aligned.sourceRows[static_cast<std::size_t>(row)]);
        const std::int32_t otherLine = otherInput.lineStartingAt(aligned.destinationRows[static_cast<std::size_t>(row)]);
        if (baseLine < 0 || otherLine < 0 || base.lineAt(aligned.sourceRows[static_cast<std::size_t>(row)])->state() != LineState::Same)
            continue;
        if (m_base.sameLine(baseLine, otherInput, otherLine))
            matches.emplace_back(baseLine, otherLine);
    }
    // The blank lines after the last read line pair up in order while they agree.
    const std::int32_t lastBase = matches.empty() ? -1 : matches.back().first;
    const std::int32_t lastOther = matches.empty() ? -1 : matches.back().second;
    std::int32_t baseLine = std::max(lastBase + 1, m_base.readLines());
    std::int32_t otherLine = std::max(lastOther + 1, otherInput.readLines());
    for (; baseLine < m_base.count() && otherLine < otherInput.count() &&
           m_base.sameLine(baseLine, otherInput, otherLine);
         ++baseLine, ++otherLine)
        matches.emplace_back(baseLine, otherLine);
    return matches;
}

std::int32_t ThreeWayMerge::conflicts() const
{
    return static_cast<std::int32_t>(std::count_if(m_chunks.begin(), m_chunks.end(), [](const MergeChunk& chunk) {
        return chunk.kind == ChunkKind::Conflict;
    }));
}

const MergeInput& ThreeWayMerge::input(MergeSide side) const
{
    switch (side) {
    case MergeSide::Base:
        return m_base;
    case MergeSide::Local:
        return m_local;
    case MergeSide::Remote:
        break;
    }
    return m_remote;
}

} // namespace core
