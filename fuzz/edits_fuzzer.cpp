// Loads one input as a pair and applies the row edits and undos that the rest of the input
// names. After every step the row maps hold together; every undo gives back the rows and
// counters from before the edit it takes back, and undoing every edit the store still holds
// gives back the state from before them.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "core/change_notes.h"
#include "core/clip_lines.h"
#include "core/row_editor.h"
#include "core/undo_store.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_pair.h"

namespace {

using core::RowMap;

struct Snapshot {
    std::array<RowMap, 2> rows;
    std::array<std::int32_t, 2> changes {};
    bool modified = false;
    bool operator==(const Snapshot&) const = default;
};

// The document's editing state over a loaded pair, with its counter rule.
class EditedPair : public core::ChangeNotes {
public:
    explicit EditedPair(const fuzz::FuzzInput& input) : m_loaded(input)
    {
        m_rows = {std::move(m_loaded.result.sourceRows), std::move(m_loaded.result.destinationRows)};
        m_rowCount = m_loaded.result.rowCount;
    }

    void noteChange(core::Sides sides, core::ChangeStep step) override
    {
        if (sides != core::Sides::Target)
            core::stepChanges(m_loaded.source, step);
        if (sides != core::Sides::Source)
            core::stepChanges(m_loaded.target, step);
        if (step == core::ChangeStep::Up)
            m_modified = true;
        else if (m_loaded.source.changes() == 0 && m_loaded.target.changes() == 0)
            m_modified = false;
    }

    core::EditPair pair()
    {
        return {{&m_loaded.source, &m_loaded.target}, {&m_rows[0], &m_rows[1]}, &m_rowCount, &m_undo, this,
                m_loaded.options};
    }
    core::RowEditor editor(int side) { return core::RowEditor(pair(), side); }
    core::LineFile& file(int side) { return side == 0 ? m_loaded.source : m_loaded.target; }
    std::int32_t rowCount() const { return m_rowCount; }
    core::UndoStore& undoStore() { return m_undo; }

    Snapshot snapshot()
    {
        Snapshot shot;
        for (int side = 0; side < 2; ++side) {
            shot.rows[side].assign(m_rows[side].begin(), m_rows[side].begin() + m_rowCount);
            shot.changes[side] = file(side).changes();
        }
        shot.modified = m_modified;
        return shot;
    }

    // Both maps cover the rows; a shown line exists; a line is shown at most once; the lines
    // read from the file keep their order.
    // Saving the rows gives each file's bytes back (after every edit was undone).
    void checkSavedBytes(const fuzz::FuzzInput& input)
    {
        fuzz::checkSavedBytes(m_loaded.source, m_rows[0], m_rowCount, input.sourceFile(), "source", m_loaded.options);
        fuzz::checkSavedBytes(m_loaded.target, m_rows[1], m_rowCount, input.targetFile(), "destination",
                              m_loaded.options);
    }

    void checkRows()
    {
        for (int side = 0; side < 2; ++side) {
            fuzz::check(m_rows[side].size() >= static_cast<std::size_t>(m_rowCount), "maps cover rowCount");
            std::set<std::int32_t> shown;
            std::int32_t lastRead = -1;
            for (std::int32_t row = 0; row < m_rowCount; ++row) {
                const std::int32_t entry = m_rows[side][row];
                if (entry < 0)
                    continue;
                fuzz::check(file(side).lineAt(entry) != nullptr, "a shown line exists", "row " + std::to_string(row));
                fuzz::check(shown.insert(entry).second, "a line is shown once", "row " + std::to_string(row));
                if (file(side).originOf(entry) == core::LineOrigin::Read) {
                    fuzz::check(entry > lastRead, "read lines keep their order", "row " + std::to_string(row));
                    lastRead = entry;
                }
            }
        }
    }

private:
    fuzz::LoadedPair m_loaded;
    std::array<RowMap, 2> m_rows;
    std::int32_t m_rowCount = 0;
    core::UndoStore m_undo;
    bool m_modified = false;
};

const std::vector<std::string> kTexts = {"", "x", "  \tindented", "same", "trailing  ", std::string(5000, 'L'),
                                         "caf\xc3\xa9", std::string(1, '\0'), "a\tb\tc"};

class EditRun {
public:
    EditRun(EditedPair& pair, FuzzedDataProvider& ops) : m_pair(pair), m_ops(ops) {}

    // True when every edit was undone: the rows are those of the comparison again.
    bool run()
    {
        while (m_ops.remaining_bytes() > 0)
            step();
        while (!m_before.empty())
            undoOne();
        return !m_droppedEdit;
    }

private:
    int anyRow() { return m_ops.ConsumeIntegralInRange<int>(-1, m_pair.rowCount()); }

    std::string anyText()
    {
        if (m_ops.ConsumeBool())
            return kTexts[m_ops.ConsumeIntegralInRange<std::size_t>(0, kTexts.size() - 1)];
        return m_ops.ConsumeRandomLengthString(12);
    }

    std::vector<int> anyRows()
    {
        std::vector<int> rows(m_ops.ConsumeIntegralInRange<std::size_t>(0, 4));
        for (int& row : rows)
            row = anyRow();
        return rows;
    }

    std::vector<std::string> anyLines(core::RowEditor& editor)
    {
        if (m_ops.ConsumeBool())
            return core::ClipLines::split(m_ops.ConsumeBool() ? editor.selectionText(anyRows())
                                                              : editor.differenceText(anyRow()));
        std::vector<std::string> lines(m_ops.ConsumeIntegralInRange<std::size_t>(0, 3));
        for (std::string& line : lines)
            line = anyText();
        return lines;
    }

    core::RowEditResult edit(core::RowEditor& editor)
    {
        switch (m_ops.ConsumeIntegralInRange(0, 8)) {
        case 0: return editor.setCellText(anyRow(), anyText());
        case 1: return editor.insertLine(anyRow());
        case 2: return editor.deleteLine(anyRow());
        case 3: return editor.removeRow(anyRow());
        case 4: return editor.copyLine(anyRow());
        case 5: return editor.copyDifference(anyRow());
        case 6: return editor.cutRows(anyRows());
        case 7: {
            std::vector<std::string> lines = anyLines(editor);
            return editor.pasteLines(anyRow(), lines, m_ops.ConsumeBool());
        }
        default: return {};
        }
    }

    void step()
    {
        if (m_ops.ConsumeIntegralInRange(0, 4) == 0) {
            undoOne();
            return;
        }
        core::RowEditor editor = m_pair.editor(m_ops.ConsumeBool() ? 1 : 0);
        Snapshot before = m_pair.snapshot();
        const int heldBefore = m_pair.undoStore().undoCount();
        const core::RowEditResult result = edit(editor);
        m_pair.checkRows();
        if (!result.done) {
            fuzz::check(m_pair.snapshot() == before, "an edit that does nothing changes nothing");
            fuzz::check(m_pair.undoStore().undoCount() == heldBefore, "an edit that does nothing keeps no record");
            return;
        }
        fuzz::check(m_pair.undoStore().undoCount() == std::min(heldBefore + 1, core::UndoStore::kSlots - 1),
                    "an edit keeps one record");
        m_before.push_back(std::move(before));
        if (m_before.size() > static_cast<std::size_t>(core::UndoStore::kSlots - 1)) {
            m_before.pop_front();
            m_droppedEdit = true;
        }
    }

    void undoOne()
    {
        core::UndoRecord* record = m_pair.undoStore().popUndo();
        fuzz::check((record != nullptr) == !m_before.empty(), "the store holds a record for each edit kept");
        if (!record)
            return;
        const core::RowEditResult result = core::applyUndo(m_pair.pair(), *record);
        m_pair.checkRows();
        fuzz::check(result.done, "an undo is done");
        fuzz::check(m_pair.snapshot() == m_before.back(), "an undo gives back the rows and counters before the edit");
        m_before.pop_back();
    }

    EditedPair& m_pair;
    FuzzedDataProvider& m_ops;
    std::deque<Snapshot> m_before;
    bool m_droppedEdit = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::FuzzInput input = fuzz::FuzzInput::parse(data, size);
    EditedPair pair(input);
    pair.checkRows();
    FuzzedDataProvider ops(reinterpret_cast<const std::uint8_t*>(input.rest.data()), input.rest.size());
    if (EditRun(pair, ops).run())
        pair.checkSavedBytes(input);
    return 0;
}
