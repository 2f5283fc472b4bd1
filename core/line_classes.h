#pragma once

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <memory>
#include <vector>

#include "core/line_file.h"
#include "core/work_progress.h"

namespace core {

// Gives every line of the two files the number of its equality class: two lines are
// equal (isEqual) exactly when they are in the same class, that is when their hashes
// and their texts (or their keys when blanks are ignored) are the same. Index count()
// of each file stands for its end marker; the two markers share a class of their own.
class LineClasses {
public:
    // With progress, the lines classed are counted there (the source's, then the
    // destination's) and a cancel stops the classing with WorkCancelled.
    LineClasses(const LineFile& source, const LineFile& target, bool byKey,
                WorkProgress* progress = nullptr);

    std::int32_t classCount() const { return m_classCount; }
    std::int32_t markerClass() const { return m_classCount - 1; }
    const std::vector<std::int32_t>& sourceClasses() const { return m_source; }
    const std::vector<std::int32_t>& targetClasses() const { return m_target; }
    // Another class has the same hash (a collision of different texts).
    bool sharesHash(std::int32_t lineClass) const { return m_sharesHash[static_cast<std::size_t>(lineClass)] != 0; }
    // Some two classes have the same hash.
    bool anySharedHash() const { return m_anySharedHash; }

private:
    // An empty slot is all zero bits, so a new table is taken from the system as zero
    // pages and only the pages that are used cost memory.
    struct Slot {
        std::uint32_t hash;
        std::int32_t classPlusOne;
    };
    struct FreeSlots {
        void operator()(Slot* slots) const { std::free(slots); }
    };
    using SlotTable = std::unique_ptr<Slot[], FreeSlots>;

    // Lines of one file with equal texts often share their bytes: the class of the
    // content at an address, once known, is found again without a lookup by hash.
    struct KnownContent {
        const char* data = nullptr;
        std::size_t size = 0;
        std::int32_t lineClass = 0;

        bool holds(std::string_view content) const { return data == content.data() && size == content.size(); }
    };

    static SlotTable emptyTable(std::size_t size);
    KnownContent& knownContentSlot(std::string_view content);
    std::int32_t classOfShared(const LineRecord& record, std::int32_t reference);
    std::string_view contentOf(const LineRecord& line) const { return m_byKey ? line.key() : line.text(); }
    const Slot& slotFor(std::uint32_t hash) const;
    std::int32_t classOf(const LineRecord& record, std::int32_t reference);
    // Counts the lines classed and throws WorkCancelled once the work is cancelled; looks
    // every so many lines.
    void checkpoint(std::int32_t classed) const;
    void classifySource();
    void classifyTarget();
    void grow();

    const LineFile& m_sourceFile;
    const LineFile& m_targetFile;
    bool m_byKey;
    WorkProgress* m_progress;
    SlotTable m_slots;
    std::size_t m_slotCount = 0;
    std::vector<std::int32_t> m_representative; // per class: source index, or ~destination index
    std::vector<std::int32_t> m_collisions; // classes met with the hash of another
    std::int32_t m_classCount = 0;
    std::vector<std::int32_t> m_source;
    std::vector<std::int32_t> m_target;
    std::vector<std::uint8_t> m_sharesHash;
    std::vector<KnownContent> m_knownContents;
    bool m_anySharedHash = false;
};

} // namespace core
