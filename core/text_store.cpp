#include "core/text_store.h"

#include <algorithm>

namespace core {

char* TextStore::allocate(std::size_t size)
{
    if (size == 0)
        return m_free;
    if (size > m_freeSize) {
        // A large request gets a block of its own so the current block's rest stays usable.
        if (size > m_nextBlockSize / 4) {
            m_blocks.push_back(std::make_unique_for_overwrite<char[]>(size));
            m_latestFromFreeRoom = false;
            return m_blocks.back().get();
        }
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(m_nextBlockSize));
        m_free = m_blocks.back().get();
        m_freeSize = m_nextBlockSize;
        m_nextBlockSize = std::min(m_nextBlockSize * 2, kLargestBlockSize);
    }
    char* result = m_free;
    m_free += size;
    m_freeSize -= size;
    m_latestFromFreeRoom = true;
    return result;
}

void TextStore::giveBack(std::size_t size)
{
    if (!m_latestFromFreeRoom)
        return;
    m_free -= size;
    m_freeSize += size;
}

void TextStore::clear()
{
    m_blocks.clear();
    m_free = nullptr;
    m_freeSize = 0;
    m_nextBlockSize = kFirstBlockSize;
    m_latestFromFreeRoom = false;
}

} // namespace core
