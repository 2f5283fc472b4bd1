#include "core/row_editor.h"

#include <algorithm>
#include <cassert>

#include "core/change_notes.h"
#include "core/clip_lines.h"
#include "core/line_file.h"
#include "core/row_queries.h"
#include "core/side.h"
#include "core/undo_store.h"

namespace core {

namespace {

// The virtual-row entry that still remembers the line it hides.
constexpr std::int32_t hidden(std::int32_t entry) { return ~entry; }

// Inserts own.size() rows at row: this side shows own, the other side virtual rows.
void insertRows(const EditPair& pair, int side, int row, const std::vector<std::int32_t>& own,
                std::int32_t otherEntry)
{
    RowMap& mine = *pair.rows[side];
    RowMap& other = *pair.rows[otherSide(side)];
    assert(row <= static_cast<int>(mine.size()) && row <= static_cast<int>(other.size()));
    mine.insert(mine.begin() + row, own.begin(), own.end());
    other.insert(other.begin() + row, own.size(), otherEntry);
    *pair.rowCount += static_cast<std::int32_t>(own.size());
}

void removeRows(const EditPair& pair, int row, int count)
{
    for (RowMap* map : pair.rows) {
        assert(row + count <= static_cast<int>(map->size()));
        map->erase(map->begin() + row, map->begin() + row + count);
    }
    *pair.rowCount -= count;
}

// Clipboard text of the lines at rows (in order): each line's own bytes, and a long line's
// pieces in consecutive rows as one line.
std::string clipText(const LineFile& file, const RowMap& map, const std::vector<int>& rows)
{
    ClipLines clip;
    std::string bytes;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::int32_t index = map[rows[i]];
        const LineRecord* line = file.lineAt(index);
        if (line == nullptr)
            continue;
        bytes.clear();
        file.appendBytes(index, bytes);
        const bool restFollows =
            line->continues() && i + 1 < rows.size() && rows[i + 1] == rows[i] + 1 && map[rows[i + 1]] == index + 1;
        clip.add(bytes, restFollows);
    }
    return clip.text();
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
        if (!fitsRows(pair, record.row, 0))
            return false;
        insertRows(pair, side, record.row, {record.value}, record.countB);
        result.insertedGridRow = record.row;
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
    assert(side == kSourceSide || side == kDestinationSide);
}

RowEditResult RowEditor::setCellText(int row, std::string_view text)
{
    if (!isRow(row))
        return {};
    // Storing the text a line already shows would only lose its bytes on disk.
    if (const LineRecord* line = file().lineAt(rows()[row]); line && line->text() == text)
        return {};
    UndoRecord& undo = record(kRowsReplaced, row);
    undo.value = rows()[row];
    undo.countA = 1;
    undo.countB = 1;
    rows()[row] = appendEdited(text);
    noteChange();
    return {.done = true};
}

RowEditResult RowEditor::insertLine(int row)
{
    if (!isRow(row) || isVirtualRow(rows()[row]))
        return {};
    record(kLineInserted, row);
    insertRows(m_pair, m_side, row, {appendEdited("")}, hidden(row));
    noteChange();
    return {.done = true, .currentRow = row, .insertedGridRow = row};
}

RowEditResult RowEditor::deleteLine(int row)
{
    if (!isRow(row) || isVirtualRow(rows()[row]))
        return {};
    UndoRecord& undo = record(kRowsReplaced, row);
    undo.value = rows()[row];
    undo.countA = 1;
    undo.countB = 1;
    rows()[row] = hidden(rows()[row]);
    noteChange();
    return {.done = true, .currentRow = std::min(row + 1, rowCount() - 1)};
}

RowEditResult RowEditor::removeRow(int row)
{
    if (!isRow(row))
        return {};
    const std::int32_t mine = rows()[row];
    const std::int32_t other = otherRows()[row];
    removeRows(m_pair, row, 1);
    UndoRecord& undo = record(kRowRemoved, row);
    undo.value = mine;
    undo.countB = other;
    noteChange(true);
    return {.done = true, .removedGridRow = row};
}

RowEditResult RowEditor::copyLine(int row)
{
    if (!isRow(row))
        return {};
    UndoRecord& undo = record(kRowsReplaced, row);
    undo.value = rows()[row];
    undo.countA = 1;
    undo.countB = 1;
    copyRowFromOtherSide(row, false);
    noteChange();
    return {.done = true};
}

RowEditResult RowEditor::copyDifference(int row)
{
    if (!isRow(row))
        return {};
    const RowQueries other(m_pair, otherSide(m_side));
    // On a row whose other side is a same line the difference is that row alone (this
    // side was edited there); else it reaches up to the same line above.
    const int start = other.isDifferenceRow(row) ? other.blockStart(row) : row;
    UndoRecord& undo = record(kRowsReplaced, start);
    undo.value = rows()[start];
    for (int r = start; r < rowCount(); ++r) {
        const std::int32_t old = rows()[r];
        undo.savedEntries.push_back({r, old});
        if (!isVirtualRow(old))
            ++undo.countB;
        const bool last = !other.isDifferenceRow(r + 1);
        // A cut piece stays a piece when its rest is copied right after it.
        copyRowFromOtherSide(r, !last && otherRows()[r + 1] == otherRows()[r] + 1);
        ++undo.countA;
        if (last)
            break;
    }
    noteChange();
    return {.done = true};
}

RowEditResult RowEditor::cutRows(std::vector<int> selected)
{
    const std::vector<int> cut = validRows(std::move(selected), rowCount());
    if (cut.empty())
        return {};
    const int first = cut.front();
    UndoRecord& undo = record(kRowsSaved, first);
    undo.countB = static_cast<int>(cut.size());
    undo.savedEntries.reserve(cut.size());
    for (const int row : cut) {
        undo.savedEntries.push_back({row, rows()[row]});
        rows()[row] = hidden(first);
    }
    noteChange();
    return {.done = true};
}

RowEditResult RowEditor::pasteLines(int row, const std::vector<std::string>& lines, bool overwrite)
{
    if (!isRow(row) || lines.empty())
        return {};
    if (overwrite) {
        const int shown = std::min(static_cast<int>(lines.size()), rowCount() - row);
        UndoRecord& undo = record(kRowsSaved, row);
        undo.countB = shown;
        undo.savedEntries.reserve(shown);
        for (int i = 0; i < shown; ++i) {
            undo.savedEntries.push_back({row + i, rows()[row + i]});
            rows()[row + i] = appendPasted(lines[i]);
        }
    } else {
        std::vector<std::int32_t> added;
        added.reserve(lines.size());
        for (const std::string& line : lines)
            added.push_back(appendPasted(line));
        insertRows(m_pair, m_side, row, added, hidden(row));
        record(kRowsPasted, row).countB = static_cast<int>(lines.size());
    }
    noteChange();
    return {.done = true};
}

std::string RowEditor::selectionText(std::vector<int> selected) const
{
    return clipText(file(), rows(), validRows(std::move(selected), rowCount()));
}

std::string RowEditor::differenceText(int row) const
{
    const RowQueries mine(m_pair, m_side);
    if (!mine.isDifferenceRow(row))
        return {};
    std::vector<int> block;
    for (int r = mine.blockStart(row); mine.isDifferenceRow(r); ++r)
        block.push_back(r);
    return clipText(file(), rows(), block);
}

bool RowEditor::isDifferenceRow(int row) const
{
    return RowQueries(m_pair, m_side).isDifferenceRow(row);
}

std::int32_t RowEditor::appendEdited(std::string_view text)
{
    return markEdited(file().appendLine(text));
}

std::int32_t RowEditor::appendPasted(std::string_view bytes)
{
    return markEdited(file().appendVerbatim(bytes));
}

std::int32_t RowEditor::markEdited(std::int32_t index)
{
    file().lineAt(index)->setState(LineState::Edited);
    return index;
}

void RowEditor::copyRowFromOtherSide(int row, bool keepPiece)
{
    const std::int32_t entry = otherRows()[row];
    if (otherFile().lineAt(entry))
        rows()[row] = markEdited(file().appendCopy(otherFile(), entry, keepPiece));
    else if (!isVirtualRow(rows()[row]))
        rows()[row] = hidden(rows()[row]);
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
    if (record.side == kSourceSide || record.side == kDestinationSide)
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
