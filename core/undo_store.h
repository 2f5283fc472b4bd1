#pragma once

#include <array>

#include "core/undo_record.h"

namespace core {

// The document's undo list: a ring of 64 slots, empty when head equals tail, so it holds at
// most 63 records; a push into a full store silently drops the oldest record.
class UndoStore {
public:
    static constexpr int kSlots = 64;

    // A reset slot for the caller to fill. Never fails.
    UndoRecord& pushUndo();
    // The newest record, taken off the store, or null when empty. The slot stays valid until
    // the next push.
    UndoRecord* popUndo();
    int undoCount() const;
    void clearUndo();

private:
    static int next(int index) { return (index + 1) % kSlots; }
    static int previous(int index) { return (index + kSlots - 1) % kSlots; }

    std::array<UndoRecord, kSlots> m_slots;
    int m_head = 0;   // where the next record goes
    int m_tail = 0;   // the oldest record
};

} // namespace core
