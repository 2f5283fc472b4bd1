#include "core/undo_store.h"

namespace core {

UndoRecord& UndoStore::pushUndo()
{
    if (undoCount() == kSlots - 1) {
        m_slots[m_tail] = UndoRecord{};
        m_tail = next(m_tail);
    }
    UndoRecord& slot = m_slots[m_head];
    slot = UndoRecord{};
    m_head = next(m_head);
    return slot;
}

UndoRecord* UndoStore::popUndo()
{
    if (m_head == m_tail)
        return nullptr;
    m_head = previous(m_head);
    return &m_slots[m_head];
}

int UndoStore::undoCount() const
{
    const int count = m_head - m_tail;
    return count < 0 ? count + kSlots : count;
}

void UndoStore::clearUndo()
{
    for (UndoRecord& slot : m_slots)
        slot = UndoRecord{};
    m_head = 0;
    m_tail = 0;
}

} // namespace core
