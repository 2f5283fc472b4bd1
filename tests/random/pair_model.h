#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/row_map.h"
#include "tests/random/expected_bytes.h"

namespace core {
class CBivaloDoc;
}

namespace random_driver {

// An in-cell editor open before a step: the entry of its row and the text it holds, which the
// line it makes keeps untrimmed.
struct OpenEdit {
    std::int32_t entry = -1;
    std::string text;
};
using OpenEdits = std::array<std::optional<OpenEdit>, 2>;

// What the driver expects of the document: the bytes of both files record by record, learnt
// as the steps make new records, and the rows at the point the undo store was last empty.
class PairModel {
public:
    // Before a step: the rows as they are, to see which row a new record took, the open
    // editors and the number of comparisons so far.
    void noteRowsBefore(const core::CBivaloDoc& doc, OpenEdits openEdits, int compares);
    // After a step: takes files that a comparison read again from disk and learns the new
    // records; what does not hold, empty when all does.
    std::string learn(core::CBivaloDoc& doc, bool pasted, int compares);

    // The bytes saving this side's rows must write.
    std::string expectedFile(const core::CBivaloDoc& doc, int side) const;
    // The row maps agree with the files and with each other.
    std::string checkRowMaps(core::CBivaloDoc& doc) const;

    // Keeps the rows while the undo store is empty; after everything was undone, what differs
    // from them.
    void noteUndoPoint(core::CBivaloDoc& doc);
    std::string compareWithUndoPoint(core::CBivaloDoc& doc) const;

private:
    std::string takeReread(core::CBivaloDoc& doc, int side, bool reread);
    // Learns the side's new records, up to one that copies a line not learnt yet unless
    // waitForFacing is false, then only one; whether it learnt any.
    bool learnSide(core::CBivaloDoc& doc, int side, bool pasted, bool waitForFacing);
    bool facesUnknownLine(core::CBivaloDoc& doc, int side, std::int32_t index, bool pasted) const;
    ExpectedLine learnRecord(core::CBivaloDoc& doc, int side, std::int32_t index, bool pasted);
    ExpectedLine editedLine(core::CBivaloDoc& doc, int side, std::int32_t index, bool pasted);
    ExpectedLine copiedLine(core::CBivaloDoc& doc, int side, std::int32_t index, std::int32_t row) const;
    static std::vector<std::string> rowTexts(core::CBivaloDoc& doc, int side);

    std::array<ExpectedBytes, 2> m_sides;
    std::array<core::RowMap, 2> m_rowsBefore;
    std::int32_t m_rowCountBefore = 0;
    OpenEdits m_openEdits;
    int m_comparesBefore = 0;
    bool m_haveUndoPoint = false;
    std::array<std::vector<std::string>, 2> m_undoPoint;
};

} // namespace random_driver
