#include "core/record_store.h"

#include <new>

namespace core {

void RecordStore::addChunk()
{
    void* chunk = std::malloc(kChunkSize * sizeof(LineRecord));
    if (chunk == nullptr)
        throw std::bad_alloc();
    m_chunks.emplace_back(static_cast<LineRecord*>(chunk));
}

void RecordStore::resize(std::size_t size)
{
    while (m_size < size)
        emplaceBack();
    m_size = size;
    const std::size_t chunks = (size + kChunkMask) >> kChunkShift;
    if (m_chunks.size() > chunks)
        m_chunks.resize(chunks);
}

void RecordStore::clear()
{
    m_chunks.clear();
    m_size = 0;
}

} // namespace core
