#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace core {

// Lines begin .. end - 1 of one input.
struct LineRange {
    std::int32_t begin = 0;
    std::int32_t end = 0;

    std::int32_t size() const { return end - begin; }
    bool empty() const { return begin == end; }
    bool operator==(const LineRange&) const = default;
};

// Pairs of equal lines (a BASE line, a line of the other input), rising in both.
using LineMatches = std::vector<std::pair<std::int32_t, std::int32_t>>;

enum class ChunkKind {
    Unchanged,  // the same lines in all three
    LocalOnly,  // LOCAL changed these BASE lines, REMOTE did not
    RemoteOnly,
    BothSame,   // both changed them to the same lines
    Conflict,   // both changed the same or touching BASE lines, differently
};

struct MergeChunk {
    ChunkKind kind = ChunkKind::Unchanged;
    LineRange base;
    LineRange local;
    LineRange remote;
    bool operator==(const MergeChunk&) const = default;
};

struct MergeCounts {
    std::int32_t base = 0;
    std::int32_t local = 0;
    std::int32_t remote = 0;
};

// Whether LOCAL's lines of one range equal REMOTE's lines of another.
using SameLines = std::function<bool(LineRange local, LineRange remote)>;

// Cuts the three inputs into chunks that cover each of them in order, from the lines that
// LOCAL and REMOTE keep of BASE. Changes of the two sides that overlap or touch in BASE
// (an insertion right before or after a change of the other side included) are one chunk:
// a conflict unless both made it the same.
std::vector<MergeChunk> mergeChunks(const MergeCounts& counts, const LineMatches& local, const LineMatches& remote,
                                    const SameLines& sameLines);

} // namespace core
