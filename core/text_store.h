#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace core {

// Append-only storage for the bytes of a file's lines. Bytes once stored never move,
// so records can point at them; everything is freed together.
class TextStore {
public:
    // Room for `size` bytes that stay where they are until clear().
    char* allocate(std::size_t size);
    // Makes room for about `size` bytes in one block (a file about to be read). The
    // system provides its pages only as they are written: lines that share the bytes
    // of an equal line leave the rest untouched.
    void reserve(std::size_t size);
    // Returns the last `size` bytes of the latest allocation, which was larger than
    // needed, to the free room.
    void giveBack(std::size_t size);
    void clear();

private:
    // Blocks start small (a short file or an edit needs little) and double up to the
    // largest size.
    static constexpr std::size_t kFirstBlockSize = 1 << 12;
    static constexpr std::size_t kLargestBlockSize = 1 << 20;

    // Frees a block the way it was taken: from the heap, or mapped from the system.
    struct BlockRelease {
        std::size_t mappedSize = 0;
        void operator()(char* block) const;
    };
    using Block = std::unique_ptr<char[], BlockRelease>;

    static Block heapBlock(std::size_t size);
    void startFreeRoom(Block block, std::size_t size);

    std::vector<Block> m_blocks;
    char* m_free = nullptr;
    std::size_t m_freeSize = 0;
    std::size_t m_nextBlockSize = kFirstBlockSize;
    bool m_latestFromFreeRoom = false; // the latest allocation ends where the free room starts
};

} // namespace core
