#include "core/text_store.h"

#include <algorithm>

#include <sys/mman.h>

namespace core {

char* TextStore::allocate(std::size_t size)
{
    if (size == 0)
        return m_free;
    if (size > m_freeSize) {
        // A large request gets a block of its own so the current block's rest stays usable.
        if (size > m_nextBlockSize / 4) {
            m_blocks.push_back(heapBlock(size));
            m_latestFromFreeRoom = false;
            return m_blocks.back().get();
        }
        startFreeRoom(heapBlock(m_nextBlockSize), m_nextBlockSize);
        m_nextBlockSize = std::min(m_nextBlockSize * 2, kLargestBlockSize);
    }
    char* result = m_free;
    m_free += size;
    m_freeSize -= size;
    m_latestFromFreeRoom = true;
    return result;
}

void TextStore::reserve(std::size_t size)
{
    if (size <= m_freeSize)
        return;
    void* mapped = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        startFreeRoom(heapBlock(size), size);
        return;
    }
    startFreeRoom(Block(static_cast<char*>(mapped), BlockRelease{size}), size);
}

TextStore::Block TextStore::heapBlock(std::size_t size)
{
    return Block(new char[size], BlockRelease{});
}

void TextStore::startFreeRoom(Block block, std::size_t size)
{
    m_blocks.push_back(std::move(block));
    m_free = m_blocks.back().get();
    m_freeSize = size;
    m_latestFromFreeRoom = false;
}

void TextStore::BlockRelease::operator()(char* block) const
{
    if (mappedSize > 0)
        ::munmap(block, mappedSize);
    else
        delete[] block;
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
