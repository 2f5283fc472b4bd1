#pragma once

#include <cstdint>
#include <vector>

#include "core/line_file.h"

namespace core {

// Gives every line of the two files the number of its equality class: two lines are
// equal (isEqual) exactly when they are in the same class, that is when their hashes
// and their texts (or their keys when blanks are ignored) are the same. Index count()
// of each file stands for its end marker; the two markers share a class of their own.
class LineClasses {
public:
    LineClasses(const LineFile& source, const LineFile& destination, bool byKey);

    std::int32_t classCount() const { return m_classCount; }
    std::int32_t markerClass() const { return m_classCount - 1; }
    const std::vector<std::int32_t>& sourceClasses() const { return m_source; }
    const std::vector<std::int32_t>& destinationClasses() const { return m_destination; }
    // Another class has the same hash (a collision of different texts).
    bool sharesHash(std::int32_t lineClass) const { return m_sharesHash[static_cast<std::size_t>(lineClass)] != 0; }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::int32_t lineClass = -1;
    };

    std::int32_t classOf(const LineRecord& record, std::int32_t reference);
    void grow();

    const LineFile& m_sourceFile;
    const LineFile& m_destinationFile;
    bool m_byKey;
    std::vector<Slot> m_slots;
    std::vector<std::int32_t> m_representative; // per class: source index, or ~destination index
    std::vector<std::int32_t> m_collisions; // classes met with the hash of another
    std::int32_t m_classCount = 0;
    std::vector<std::int32_t> m_source;
    std::vector<std::int32_t> m_destination;
    std::vector<std::uint8_t> m_sharesHash;
};

} // namespace core
