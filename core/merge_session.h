#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/edited_bytes.h"
#include "core/merge_result_writer.h"
#include "core/three_way_merge.h"

namespace core {

class LineFile;

// What a chunk puts into the result.
enum class MergeChoice {
    Open,            // a conflict nobody resolved yet: no lines
    Automatic,       // what the merge takes by itself: the side that changed
    Local,
    Remote,
    LocalThenRemote,
    RemoteThenLocal,
    Base,
    Edited,          // lines the user edited in the result
};

// The columns of the merge window, each shown with the same aligned rows.
enum class MergePane { Local, Result, Remote, Base };

// How a row is coloured: by its chunk's kind, or resolved when the user chose.
enum class MergeRowKind { Unchanged, LocalOnly, RemoteOnly, BothSame, Conflict, Resolved };

// A line of the result: a line of an input, or (made >= 0) a line the user edited or typed.
struct ResultLine {
    MergeSide side = MergeSide::Local;
    std::int32_t line = 0;
    std::int32_t made = -1;
    bool operator==(const ResultLine&) const = default;
};

// The merge as the window edits it: the chunks of a ThreeWayMerge, a choice per chunk and the
// result lines that follow from the choices and edits. The rows align LOCAL, the result,
// REMOTE and BASE chunk by chunk; a chunk takes as many rows as its longest column, so that
// every change, a deletion on both sides too, has rows to stand on. Every change is undoable.
// The input files must stay loaded and unchanged for the session's life.
class MergeSession {
public:
    // With progress, as ThreeWayMerge.
    MergeSession(LineFile& base, LineFile& local, LineFile& remote, const TextOptions& options,
                 WorkProgress* progress = nullptr);

    const ThreeWayMerge& merge() const { return m_merge; }
    std::int32_t chunkCount() const { return static_cast<std::int32_t>(m_merge.chunks().size()); }
    const MergeChunk& chunk(std::int32_t index) const { return m_merge.chunks()[static_cast<std::size_t>(index)]; }
    MergeChoice choice(std::int32_t chunk) const { return m_resolutions[static_cast<std::size_t>(chunk)].choice; }
    // Conflicts that hold no choice.
    std::int32_t openConflicts() const { return m_openConflicts; }

    // --- rows
    std::int32_t rowCount() const { return m_rowStarts.back(); }
    std::int32_t chunkAtRow(std::int32_t row) const;
    std::int32_t firstRow(std::int32_t chunk) const { return m_rowStarts[static_cast<std::size_t>(chunk)]; }
    // The line a pane shows in a row; none for a filler row.
    std::optional<ResultLine> lineAt(MergePane pane, std::int32_t row) const;
    // The display text of the row's line; empty for a filler row.
    std::string text(MergePane pane, std::int32_t row) const;
    MergeRowKind rowKind(std::int32_t row) const;
    // The first row of the next (or previous) chunk from the row's that is a change, or with
    // openOnly a conflict without a choice; none when there is none that way.
    std::optional<std::int32_t> nextChange(std::int32_t row, bool forwards, bool openOnly) const;

    // --- changes, each undoable
    // Whether the chunk is a change that a choice can resolve.
    bool canTake(std::int32_t chunk) const;
    // Resolves the chunk with the choice (not Open or Edited); false when nothing changed.
    bool take(std::int32_t chunk, MergeChoice choice);
    // The result's line in the row gets the text typed in the in-cell editor; on a filler row
    // of the result the typed line goes after the chunk's lines. The line keeps every byte
    // outside the stretch that changed and its line end (see editedBytes).
    bool editLine(std::int32_t row, std::string_view text, const TextForm& form, int compressTabSize);
    bool canUndo() const { return m_undone < m_steps.size(); }
    bool canRedo() const { return m_undone > 0; }
    // The row of the chunk the step changed; none when there was nothing to undo or redo.
    std::optional<std::int32_t> undo();
    std::optional<std::int32_t> redo();

    // --- the result
    // The result's bytes: every line with its input's bytes and line end, open conflicts
    // between git's markers.
    std::string resultBytes(const MergeLabels& labels) const;
    // Whether the result differs from what was last saved (or, before any save, from the
    // merge's own).
    bool modified() const { return m_state != m_savedState; }
    void noteSaved() { m_savedState = m_state; }

private:
    struct MadeLine {
        std::string bytes;    // without the line end
        std::string lineEnd;  // empty: none
        std::string text;
    };
    struct Resolution {
        MergeChoice choice = MergeChoice::Automatic;
        std::vector<ResultLine> lines;  // only for Edited
    };
    struct Step {
        std::int32_t chunk = 0;
        Resolution before;
        Resolution after;
        std::int32_t stateBefore = 0;
        std::int32_t stateAfter = 0;
    };

    // The result lines of the chunk under its resolution.
    std::vector<ResultLine> resultLines(std::int32_t chunk) const;
    std::int32_t resultSize(std::int32_t chunk) const;
    std::optional<ResultLine> resultLineAt(std::int32_t chunk, std::int32_t offset) const;
    void apply(std::int32_t chunk, Resolution resolution);
    void record(std::int32_t chunk, Resolution after);
    void recountRows(std::int32_t fromChunk);
    std::int32_t madeLineFrom(const ResultLine& line, std::string_view text, const TextForm& form,
                              int compressTabSize);
    std::string lineText(const ResultLine& line) const;

    ThreeWayMerge m_merge;
    std::vector<Resolution> m_resolutions;
    std::vector<std::int32_t> m_rowStarts;  // per chunk, and the row count at the end
    std::vector<MadeLine> m_madeLines;      // only appended: result lines refer to them
    std::vector<Step> m_steps;
    std::size_t m_undone = 0;               // steps at the end of m_steps that were undone
    std::int32_t m_openConflicts = 0;
    std::int32_t m_state = 0;               // names the result's current contents
    std::int32_t m_savedState = 0;
    std::int32_t m_nextState = 1;
};

} // namespace core
