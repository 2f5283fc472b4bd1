#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <type_traits>
#include <vector>

#include "core/line_record.h"

namespace core {

// A file's records in chunks of a fixed power-of-two size: records never move while
// the store grows, and finding one costs a shift, a mask and two loads, which matters
// to the comparison that visits every record several times. A chunk's memory is taken
// uninitialised, so the system only provides the pages that records are built in.
class RecordStore {
public:
    std::size_t size() const { return m_size; }
    LineRecord& operator[](std::size_t index) { return m_chunks[index >> kChunkShift].get()[index & kChunkMask]; }
    const LineRecord& operator[](std::size_t index) const
    {
        return m_chunks[index >> kChunkShift].get()[index & kChunkMask];
    }

    LineRecord& emplaceBack()
    {
        if (m_size == m_chunks.size() * kChunkSize)
            addChunk();
        LineRecord* record = &m_chunks[m_size >> kChunkShift].get()[m_size & kChunkMask];
        ++m_size;
        return *std::construct_at(record);
    }
    // Grows with empty records or drops the last ones.
    void resize(std::size_t size);
    void clear();

private:
    static constexpr std::size_t kChunkShift = 13;
    static constexpr std::size_t kChunkSize = std::size_t{1} << kChunkShift;
    static constexpr std::size_t kChunkMask = kChunkSize - 1;
    static_assert(std::is_trivially_destructible_v<LineRecord>, "records are dropped without destruction");

    struct FreeChunk {
        void operator()(LineRecord* chunk) const { std::free(chunk); }
    };
    using Chunk = std::unique_ptr<LineRecord, FreeChunk>;

    void addChunk();

    std::vector<Chunk> m_chunks;
    std::size_t m_size = 0;
};

} // namespace core
