#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/edit_pair.h"
#include "core/undo_record.h"

namespace core {

class LineFile;

// What the views must do after an edit or an undo. The row maps and the row count are
// already changed; the grids only follow.
struct RowEditResult {
    bool done = false;           // something changed (and was recorded or undone)
    int currentRow = -1;         // the row to make current; -1 keeps the current row
    int insertedGridRow = -1;    // every grid inserts a row here (hint 23 with grid insert)
    int removedGridRow = -1;     // every grid removes this row (hint 24 with grid delete)
};

// The edits of one side of the pair: each changes that side's rows (and, where rows come
// or go, the other side's too), appends edited lines, writes one undo record and notes the
// change. Edits never change a line record; they append lines and repoint rows. Whether the
// side may be edited is for the caller to decide.
class RowEditor {
public:
    RowEditor(const EditPair& pair, int side);

    // The grid stores an edited cell's text; the text the row shows already changes nothing.
    RowEditResult setCellText(int row, std::string_view text);
    // An empty line above the line at row; the other side gets a virtual row.
    RowEditResult insertLine(int row);
    // The line at row becomes a virtual row; the next row becomes current.
    RowEditResult deleteLine(int row);
    // The row disappears from both sides.
    RowEditResult removeRow(int row);
    // The other side's line at row (or its absence) is copied into this side.
    RowEditResult copyLine(int row);
    // The other side's difference around row is copied into this side.
    RowEditResult copyDifference(int row);
    // The selected rows (any order, gaps allowed) become virtual rows.
    RowEditResult cutRows(std::vector<int> rows);
    // Lines replace the rows from row on (overwrite) or are inserted above it; they are
    // saved with the bytes given.
    RowEditResult pasteLines(int row, const std::vector<std::string>& lines, bool overwrite);

    // Clipboard text of the selected rows that hold a line, in row order: each line's own
    // bytes (tabs and trailing blanks kept, without its line end).
    std::string selectionText(std::vector<int> rows) const;
    // Clipboard text of this side's lines in the difference around row, as selectionText;
    // empty on a same row.
    std::string differenceText(int row) const;
    // A virtual row or a line whose state is not Same, as RowQueries answers it.
    bool isDifferenceRow(int row) const;

private:
    bool isRow(int row) const { return row >= 0 && row < rowCount(); }
    std::int32_t rowCount() const { return *m_pair.rowCount; }
    RowMap& rows() const { return *m_pair.rows[m_side]; }
    RowMap& otherRows() const { return *m_pair.rows[1 - m_side]; }
    LineFile& file() const { return *m_pair.files[m_side]; }
    LineFile& otherFile() const { return *m_pair.files[1 - m_side]; }

    // A line typed in the program.
    std::int32_t appendEdited(std::string_view text);
    // A pasted line, saved with the bytes it was pasted with.
    std::int32_t appendPasted(std::string_view bytes);
    std::int32_t markEdited(std::int32_t index);
    // This row takes a copy of the other side's line there (with its bytes), or becomes
    // virtual.
    void copyRowFromOtherSide(int row, bool keepPiece);
    UndoRecord& record(int type, int row);
    void noteChange(bool bothSides = false);

    EditPair m_pair;
    int m_side;
};

// Puts back what the record saved, on the side it names, and notes the change down. The
// record's saved entries are released. Records of unknown type are ignored.
RowEditResult applyUndo(const EditPair& pair, UndoRecord& record);

} // namespace core
