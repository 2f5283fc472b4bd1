#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/edit_pair.h"
#include "core/line_rows.h"
#include "core/undo_record.h"

namespace core {

class LineFile;

// What the views must do after an edit or an undo. The row maps and the row count are
// already changed; the grids only follow.
struct RowEditResult {
    bool done = false;           // something changed (and was recorded or undone)
    int currentRow = -1;         // the row to make current; -1 keeps the current row
    int insertedGridRow = -1;    // every grid inserts a row here (kHintInsertRow with grid insert)
    int removedGridRow = -1;     // every grid removes this row (kHintRemoveRow with grid delete)
    int gridRowCount = 1;        // the rows inserted or removed there
};

// The edits of one side of the pair: each changes that side's rows (and, where rows come
// or go, the other side's too), appends edited lines, writes one undo record and notes the
// change. Edits never change a line record; they append lines and repoint rows. The rows of
// the pieces of a long line are one line to every edit: an edit that moves or removes lines
// widens its rows to whole lines. Whether the side may be edited is for the caller to decide.
class RowEditor {
public:
    RowEditor(const EditPair& pair, int side);

    // The grid stores an edited cell's text; the text the row shows already changes nothing.
    // The line keeps its bytes outside the stretch that changed (LineFile::appendEdit).
    RowEditResult setCellText(int row, std::string_view text);
    // An empty line above the line at row; the other side gets a virtual row.
    RowEditResult insertLine(int row);
    // The line at row becomes virtual rows; the row after it becomes current.
    RowEditResult deleteLine(int row);
    // The row, with the rest of the lines on it, disappears from both sides.
    RowEditResult removeRow(int row);
    // The other side's line at row (or its absence) is copied into this side, in place of
    // the line this side has there.
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
    // A filler for the other side, inserted at row: like the engine's, it names the line that
    // closes it there.
    std::int32_t otherFillerAt(int row) const;
    // This row takes a copy of the other side's line there (with its bytes), or becomes
    // virtual.
    void copyRowFromOtherSide(int row);
    // The rows copy the other side's; span holds whole lines on both sides.
    void copyRows(RowSpan span);
    // An undo record that puts back the entries of the rows of span.
    UndoRecord& saveRows(RowSpan span);
    // Rows (sorted, unique) with every row of the lines they are part of added.
    std::vector<int> wholeLineRows(const std::vector<int>& sortedRows) const;
    // Clipboard text of the lines on the rows (sorted): each line's own bytes without its line
    // end, the pieces of a long line joined.
    std::string clipText(const std::vector<int>& sortedRows) const;
    UndoRecord& record(int type, int row);
    void noteChange(bool bothSides = false);

    EditPair m_pair;
    int m_side;
};

// Puts back what the record saved, on the side it names, and notes the change down. The
// record's saved entries are released. Records of unknown type are ignored.
RowEditResult applyUndo(const EditPair& pair, UndoRecord& record);

} // namespace core
