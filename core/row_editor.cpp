#include "core/row_editor.h"

#include <algorithm>
#include <cassert>

#include "core/change_notes.h"
#include "core/clip_lines.h"
#include "core/line_file.h"
#include "core/line_rows.h"
#include "core/row_queries.h"
#include "core/side.h"
#include "core/undo_store.h"

namespace core {

namespace {

// The virtual-row entry that still remembers the line it hides.
constexpr std::int32_t hidden(std::int32_t entry) { return ~entry; }

// Inserts own.size() rows at row: this side shows own, the other side other.
void insertRows(const EditPair& pair, int side, int row, const std::vector<std::int32_t>& own,
                const std::vector<std::int32_t>& other)
{
    RowMap& mine = *pair.rows[side];
    RowMap& others = *pair.rows[otherSide(side)];
    assert(own.size() == other.size());
    assert(row <= static_cast<int>(mine.size()) && row <= static_cast<int>(others.size()));
    mine.insert(mine.begin() + row, own.begin(), own.end());
    others.insert(others.begin() + row, other.begin(), other.end());
    *pair.rowCount += static_cast<std::int32_t>(own.size());
}

// The same with virtual rows opposite.
void insertRows(const EditPair& pair, int side, int row, const std::vector<std::int32_t>& own,
                std::int32_t otherEntry)
{
    insertRows(pair, side, row, own, std::vector<std::int32_t>(own.size(), otherEntry));
}

void removeRows(const EditPair& pair, int row, int count)
{
    for (RowMap* map : pair.rows) {
        assert(row + count <= static_cast<int>(map->size()));
        map->erase(map->begin() + row, map->begin() + row + count);
    }
    *pair.rowCount -= count;
}

std::vector<int> validRows(std::vector<int> rows, int rowCount)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [rowCount](int row) { return row < 0 || row >= rowCount; });
    return rows;
}

bool fitsRows(const EditPair& pair, int row, int count)
{
    return row >= 0 && count >= 0 && row + count <= *pair.rowCount;
}

// Puts back removed rows: the record saved this side's entries, then the other side's.
bool reinsertRows(const EditPair& pair, const UndoRecord& record)
{
    const std::size_t count = record.savedEntries.size() / 2;
    if (count == 0 || !fitsRows(pair, record.row, 0))
        return false;
    std::vector<std::int32_t> own;
    std::vector<std::int32_t> other;
    for (std::size_t k = 0; k < count; ++k) {
        own.push_back(record.savedEntries[k].entry);
        other.push_back(record.savedEntries[count + k].entry);
    }
    insertRows(pair, record.side, record.row, own, other);
    return true;
}

bool restoreSavedEntries(const EditPair& pair, RowMap& rows, const UndoRecord& record)
{
    for (const SavedEntry& saved : record.savedEntries) {
        if (!fitsRows(pair, saved.row, 1))
            return false;
    }
    for (const SavedEntry& saved : record.savedEntries)
        rows[saved.row] = saved.entry;
    return true;
}

bool undoRecord(const EditPair& pair, const UndoRecord& record, RowEditResult& result)
{
    const int side = record.side;
    RowMap& rows = *pair.rows[side];
    switch (record.type) {
    case kRowsReplaced:
        // One replaced row keeps its old entry in value; more keep all their entries.
        if (!record.savedEntries.empty())
            return restoreSavedEntries(pair, rows, record);
        if (record.countA != 1 || !fitsRows(pair, record.row, 1))
            return false;
        rows[record.row] = record.value;
        return true;
    case kLineInserted:
        if (!fitsRows(pair, record.row, 1))
            return false;
        removeRows(pair, record.row, 1);
        result.removedGridRow = record.row;
        return true;
    case kRowRemoved:
        if (!reinsertRows(pair, record))
            return false;
        result.insertedGridRow = record.row;
        result.gridRowCount = static_cast<int>(record.savedEntries.size() / 2);
        return true;
    case kRowsSaved:
        return restoreSavedEntries(pair, rows, record);
    case kRowsPasted:
        if (!fitsRows(pair, record.row, record.countB))
            return false;
        removeRows(pair, record.row, record.countB);
        return true;
    default:
        return false;
    }
}

} // namespace

RowEditor::RowEditor(const EditPair& pair, int side)
    : m_pair(pair)
    , m_side(side)
{
    assert(side == kSourceSide || side == kTargetSide);
}

RowEditResult RowEditor::setCellText(int row, std::string_view text)
{
    if (!isRow(row))
        return {};
    const std::int32_t entry = rows()[row];
    const LineRecord* line = file().lineAt(entry);
    // Storing the text a line already shows would change nothing.
    if (line && line->text() == text)
        return {};
    UndoRecord& undo = record(kRowsReplaced, row);
    undo.value = entry;
    undo.countA = 1;
    undo.countB = 1;
    // Text typed into a virtual row between the pieces of a line is a piece of that line.
    const std::int32_t edited = line ? file().appendEdit(entry, text, m_pair.options)
                                     : file().appendLine(text, m_pair.options, LineRows(m_pair, m_side).isInsideLine(row));
    rows()[row] = markEdited(edited);
    noteChange();
    return {.done = true};
}

RowEditResult RowEditor::insertLine(int row)
{
    if (!isRow(row))
        return {};
    // The new line goes above the whole line the row is part of.
    row = LineRows(m_pair, m_side).whole({row, row}).first;
    if (isVirtualRow(rows()[row]))
        return {};
    record(kLineInserted, row);
    insertRows(m_pair, m_side, row, {appendEdited("")}, otherFillerAt(row));
    noteChange();
    return {.done = true, .currentRow = row, .insertedGridRow = row};
}

RowEditResult RowEditor::deleteLine(int row)
{
    if (!isRow(row) || isVirtualRow(rows()[row]))
        return {};
    const RowSpan line = LineRows(m_pair, m_side).whole({row, row});
    saveRows(line);
    for (int r = line.first; r <= line.last; ++r) {
        if (!isVirtualRow(rows()[r]))
            rows()[r] = hidden(rows()[r]);
    }
    noteChange();
    return {.done = true, .currentRow = std::min(line.last + 1, rowCount() - 1)};
}

RowEditResult RowEditor::removeRow(int row)
{
    if (!isRow(row))
        return {};
    const RowSpan span = LineRows::wholeOnBothSides(m_pair, {row, row});
    UndoRecord& undo = record(kRowRemoved, span.first);
    for (const RowMap* map : {&rows(), &otherRows()}) {
        for (int r = span.first; r <= span.last; ++r)
            undo.savedEntries.push_back({r, (*map)[r]});
    }
    const int count = span.last - span.first + 1;
    removeRows(m_pair, span.first, count);
    noteChange(true);
    return {.done = true, .removedGridRow = span.first, .gridRowCount = count};
}

RowEditResult RowEditor::copyLine(int row)
{
    if (!isRow(row))
        return {};
    copyRows(LineRows::wholeOnBothSides(m_pair, {row, row}));
    return {.done = true};
}

RowEditResult RowEditor::copyDifference(int row)
{
    if (!isRow(row))
        return {};
    const RowQueries other(m_pair, otherSide(m_side));
    // On a row whose other side is a same line the difference starts at that row (this
    // side was edited there); else it reaches up to the same line above.
    RowSpan difference{other.isDifferenceRow(row) ? other.blockStart(row) : row, 0};
    difference.last = difference.first;
    while (other.isDifferenceRow(difference.last + 1))
        ++difference.last;
    copyRows(LineRows::wholeOnBothSides(m_pair, difference));
    return {.done = true};
}

RowEditResult RowEditor::cutRows(std::vector<int> selected)
{
    const std::vector<int> cut = wholeLineRows(validRows(std::move(selected), rowCount()));
    if (cut.empty())
        return {};
    const int first = cut.front();
    UndoRecord& undo = record(kRowsSaved, first);
    undo.countB = static_cast<int>(cut.size());
    undo.savedEntries.reserve(cut.size());
    for (const int row : cut) {
        undo.savedEntries.push_back({row, rows()[row]});
        if (!isVirtualRow(rows()[row]))
            rows()[row] = hidden(rows()[row]);
    }
    noteChange();
    return {.done = true};
}

RowEditResult RowEditor::pasteLines(int row, const std::vector<std::string>& lines, bool overwrite)
{
    if (!isRow(row) || lines.empty())
        return {};
    // Lines go in above, or overwrite from, the whole line the row is part of.
    const LineRows lineRows(m_pair, m_side);
    row = lineRows.whole({row, row}).first;
    if (overwrite) {
        const int shown = std::min(static_cast<int>(lines.size()), rowCount() - row);
        // The rest of a line whose start is overwritten goes with it.
        const RowSpan replaced = lineRows.whole({row, row + shown - 1});
        UndoRecord& undo = record(kRowsSaved, row);
        undo.countB = replaced.last - row + 1;
        undo.savedEntries.reserve(static_cast<std::size_t>(undo.countB));
        for (int r = row; r <= replaced.last; ++r) {
            undo.savedEntries.push_back({r, rows()[r]});
            const bool pasted = r - row < shown;
            if (pasted)
                rows()[r] = appendPasted(lines[static_cast<std::size_t>(r - row)]);
            else if (!isVirtualRow(rows()[r]))
                rows()[r] = hidden(rows()[r]);
        }
    } else {
        std::vector<std::int32_t> added;
        added.reserve(lines.size());
        for (const std::string& line : lines)
            added.push_back(appendPasted(line));
        insertRows(m_pair, m_side, row, added, otherFillerAt(row));
        record(kRowsPasted, row).countB = static_cast<int>(lines.size());
    }
    noteChange();
    return {.done = true};
}

std::string RowEditor::selectionText(std::vector<int> selected) const
{
    return clipText(wholeLineRows(validRows(std::move(selected), rowCount())));
}

std::string RowEditor::differenceText(int row) const
{
    const RowQueries mine(m_pair, m_side);
    if (!mine.isDifferenceRow(row))
        return {};
    std::vector<int> block;
    for (int r = mine.blockStart(row); mine.isDifferenceRow(r); ++r)
        block.push_back(r);
    return clipText(wholeLineRows(std::move(block)));
}

bool RowEditor::isDifferenceRow(int row) const
{
    return RowQueries(m_pair, m_side).isDifferenceRow(row);
}

std::int32_t RowEditor::appendEdited(std::string_view text)
{
    return markEdited(file().appendLine(text, m_pair.options));
}

std::int32_t RowEditor::appendPasted(std::string_view bytes)
{
    return markEdited(file().appendVerbatim(bytes, m_pair.options));
}

std::int32_t RowEditor::markEdited(std::int32_t index)
{
    file().lineAt(index)->setState(LineState::Edited);
    return index;
}

std::int32_t RowEditor::otherFillerAt(int row) const
{
    if (row >= rowCount())
        return hidden(otherFile().count());
    const std::int32_t entry = otherRows()[row];
    return isVirtualRow(entry) ? entry : hidden(entry);
}

void RowEditor::copyRowFromOtherSide(int row)
{
    const std::int32_t entry = otherRows()[row];
    if (otherFile().lineAt(entry))
        rows()[row] = markEdited(file().appendCopy(otherFile(), entry, true, m_pair.options));
    else if (!isVirtualRow(rows()[row]))
        rows()[row] = hidden(rows()[row]);
}

void RowEditor::copyRows(RowSpan span)
{
    saveRows(span);
    for (int r = span.first; r <= span.last; ++r)
        copyRowFromOtherSide(r);
    noteChange();
}

UndoRecord& RowEditor::saveRows(RowSpan span)
{
    UndoRecord& undo = record(kRowsReplaced, span.first);
    undo.value = rows()[span.first];
    for (int r = span.first; r <= span.last; ++r) {
        undo.savedEntries.push_back({r, rows()[r]});
        ++undo.countA;
        if (!isVirtualRow(rows()[r]))
            ++undo.countB;
    }
    return undo;
}

std::vector<int> RowEditor::wholeLineRows(const std::vector<int>& sortedRows) const
{
    const LineRows lines(m_pair, m_side);
    std::vector<int> whole;
    for (const int row : sortedRows) {
        if (!whole.empty() && row <= whole.back())
            continue;
        const RowSpan line = lines.whole({row, row});
        for (int r = std::max(line.first, whole.empty() ? 0 : whole.back() + 1); r <= line.last; ++r)
            whole.push_back(r);
    }
    return whole;
}

std::string RowEditor::clipText(const std::vector<int>& sortedRows) const
{
    ClipLines clip;
    std::string pieces; // the pieces of a long line so far
    for (const int row : sortedRows) {
        const LineRecord* line = file().lineAt(rows()[row]);
        if (line == nullptr)
            continue;
        file().appendBytes(rows()[row], pieces);
        if (!line->continues()) {
            clip.add(pieces);
            pieces.clear();
        }
    }
    if (!pieces.empty())
        clip.add(pieces);
    return clip.text();
}

UndoRecord& RowEditor::record(int type, int row)
{
    UndoRecord& undo = m_pair.undoStore->pushUndo();
    undo.type = type;
    undo.side = m_side;
    undo.row = row;
    return undo;
}

void RowEditor::noteChange(bool bothSides)
{
    m_pair.notes->noteChange(bothSides ? Sides::Both : sidesOf(m_side), ChangeStep::Up);
}

RowEditResult applyUndo(const EditPair& pair, UndoRecord& record)
{
    RowEditResult result;
    if (record.side == kSourceSide || record.side == kTargetSide)
        result.done = undoRecord(pair, record, result);
    std::vector<SavedEntry>().swap(record.savedEntries);
    if (!result.done)
        return {};
    const Sides sides = record.type == kRowRemoved ? Sides::Both : sidesOf(record.side);
    pair.notes->noteChange(sides, ChangeStep::Down);
    result.currentRow = std::clamp(record.row, 0, std::max(*pair.rowCount - 1, 0));
    return result;
}

} // namespace core
