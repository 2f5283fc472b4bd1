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
    void clear();

private:
    static constexpr std::size_t kBlockSize = 1 << 20;

    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_free = nullptr;
    std::size_t m_freeSize = 0;
};

} // namespace core
