#pragma once

#include <cstdint>
#include <vector>

#include "core/merge_chunks.h"
#include "core/merge_input.h"
#include "core/text_options.h"
#include "core/work_progress.h"

namespace core {

class LineFile;

enum class MergeSide { Base, Local, Remote };

// The merge of LOCAL and REMOTE, two changed versions of BASE: the difference engine aligns
// BASE with each of them, lines pair only when their bytes (line ends included) are equal,
// and the chunks say which side changed what. The files must stay loaded and unchanged for
// the merge's life.
class ThreeWayMerge {
public:
    // The files were read with options. With progress, counts the work as one phase over
    // both sides and throws WorkCancelled on a cancel.
    ThreeWayMerge(LineFile& base, LineFile& local, LineFile& remote, const TextOptions& options,
                  WorkProgress* progress = nullptr);

    const std::vector<MergeChunk>& chunks() const { return m_chunks; }
    std::int32_t conflicts() const;
    const MergeInput& input(MergeSide side) const;

private:
    // Where one side's work goes in the progress: its comparison, then its matching.
    struct ProgressPart {
        WorkProgress* work = nullptr;
        unsigned first = 0;
    };

    // Equal lines of BASE and the other input, rising in both.
    LineMatches matchLines(LineFile& base, LineFile& other, const MergeInput& otherInput,
                           const TextOptions& options, ProgressPart progress) const;

    MergeInput m_base;
    MergeInput m_local;
    MergeInput m_remote;
    std::vector<MergeChunk> m_chunks;
};

} // namespace core
