#include "core/merge_chunks.h"

#include <algorithm>
#include <cassert>

namespace core {

namespace {

// BASE lines base.begin .. base.end - 1 became the side's lines side.begin .. side.end - 1.
struct Hunk {
    LineRange base;
    LineRange side;
};

std::vector<Hunk> hunksOf(const LineMatches& matches, std::int32_t baseCount, std::int32_t sideCount)
{
    std::vector<Hunk> hunks;
    std::int32_t base = 0;
    std::int32_t side = 0;
    auto closeAt = [&](std::int32_t baseLine, std::int32_t sideLine) {
        assert(baseLine >= base && sideLine >= side);
        if (baseLine > base || sideLine > side)
            hunks.push_back({{base, baseLine}, {side, sideLine}});
        base = baseLine + 1;
        side = sideLine + 1;
    };
    for (const auto& [baseLine, sideLine] : matches)
        closeAt(baseLine, sideLine);
    closeAt(baseCount, sideCount);
    return hunks;
}

// Walks one side's hunks in BASE order, knowing where its lines stand against BASE's.
class SideWalk {
public:
    explicit SideWalk(std::vector<Hunk> hunks) : m_hunks(std::move(hunks)) {}

    bool done() const { return m_next == m_hunks.size(); }
    std::int32_t nextBase() const { return m_hunks[m_next].base.begin; }
    // The side's line that stands where BASE line base stands, outside the hunks.
    std::int32_t sideLine(std::int32_t base) const { return base + m_offset; }
    // Takes the next hunk when it starts at or before base; returns where it ends in BASE.
    bool takeUpTo(std::int32_t base, std::int32_t& end)
    {
        if (done() || nextBase() > base)
            return false;
        const Hunk& hunk = m_hunks[m_next++];
        end = std::max(end, hunk.base.end);
        m_offset = hunk.side.end - hunk.base.end;
        return true;
    }

private:
    std::vector<Hunk> m_hunks;
    std::size_t m_next = 0;
    std::int32_t m_offset = 0;
};

} // namespace

std::vector<MergeChunk> mergeChunks(const MergeCounts& counts, const LineMatches& local, const LineMatches& remote,
                                    const SameLines& sameLines)
{
    SideWalk localWalk(hunksOf(local, counts.base, counts.local));
    SideWalk remoteWalk(hunksOf(remote, counts.base, counts.remote));
    std::vector<MergeChunk> chunks;
    std::int32_t base = 0;
    auto addUnchanged = [&](std::int32_t end) {
        if (end > base)
            chunks.push_back({ChunkKind::Unchanged, {base, end}, {localWalk.sideLine(base), localWalk.sideLine(end)},
                              {remoteWalk.sideLine(base), remoteWalk.sideLine(end)}});
    };
    while (!localWalk.done() || !remoteWalk.done()) {
        const std::int32_t start = localWalk.done()    ? remoteWalk.nextBase()
                                   : remoteWalk.done() ? localWalk.nextBase()
                                                       : std::min(localWalk.nextBase(), remoteWalk.nextBase());
        addUnchanged(start);
        MergeChunk chunk{ChunkKind::Conflict, {start, start}, {localWalk.sideLine(start), 0},
                         {remoteWalk.sideLine(start), 0}};
        bool localChanged = false;
        bool remoteChanged = false;
        // A hunk of either side that starts at or before the end so far joins the chunk.
        for (bool grew = true; grew;) {
            const bool localGrew = localWalk.takeUpTo(chunk.base.end, chunk.base.end);
            const bool remoteGrew = remoteWalk.takeUpTo(chunk.base.end, chunk.base.end);
            localChanged = localChanged || localGrew;
            remoteChanged = remoteChanged || remoteGrew;
            grew = localGrew || remoteGrew;
        }
        chunk.local.end = localWalk.sideLine(chunk.base.end);
        chunk.remote.end = remoteWalk.sideLine(chunk.base.end);
        if (!remoteChanged)
            chunk.kind = ChunkKind::LocalOnly;
        else if (!localChanged)
            chunk.kind = ChunkKind::RemoteOnly;
        else if (sameLines(chunk.local, chunk.remote))
            chunk.kind = ChunkKind::BothSame;
        chunks.push_back(chunk);
        base = chunk.base.end;
    }
    addUnchanged(counts.base);
    return chunks;
}

} // namespace core
