#include "core/line_classes.h"

#include <algorithm>
#include <bit>
#include <new>

#include "core/equal_bytes.h"
#include "core/line_hash.h"

namespace core {

namespace {

constexpr std::size_t kMinimumSlots = 1024;
constexpr std::size_t kKnownContentBits = 10;
// Lines whose slots are fetched ahead of their turn, so that the table's cache misses
// overlap.
constexpr std::int32_t kPrefetchDistance = 16;
// Lines classed between two looks at the progress.
constexpr std::int32_t kCheckpointMask = (1 << 16) - 1;

// Equal lines of one file often share their bytes.
bool sameContent(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && (a.data() == b.data() || equalBytes(a, b));
}

} // namespace

LineClasses::LineClasses(const LineFile& source, const LineFile& target, bool byKey,
                         WorkProgress* progress)
    : m_sourceFile(source), m_targetFile(target), m_byKey(byKey), m_progress(progress)
{
    const auto sourceCount = static_cast<std::size_t>(source.count());
    const auto targetCount = static_cast<std::size_t>(target.count());
    // Room at half load for every source line that may be a class of its own, and for
    // half as many new lines of the destination before the table grows: each growth
    // touches a fresh table, and fresh pages are dear.
    const auto repeated = static_cast<std::size_t>(std::clamp(source.repeatedLines(), 0, source.count()));
    m_slotCount = std::max(kMinimumSlots, std::bit_ceil(2 * (sourceCount - repeated) + 1));
    m_slots = emptyTable(m_slotCount);
    m_knownContents.resize(std::size_t{1} << kKnownContentBits);
    m_source.resize(sourceCount + 1);
    m_target.resize(targetCount + 1);
    classifySource();
    classifyTarget();
    const std::int32_t marker = m_classCount++;
    m_source[sourceCount] = marker;
    m_target[targetCount] = marker;
    m_sharesHash.resize(static_cast<std::size_t>(m_classCount));
    for (const std::int32_t lineClass : m_collisions)
        m_sharesHash[static_cast<std::size_t>(lineClass)] = 1;
    m_anySharedHash = !m_collisions.empty();
    // The table is only needed while classes are handed out; assigning {} would keep
    // the storage.
    m_slots.reset();
    std::vector<KnownContent>().swap(m_knownContents);
    std::vector<std::int32_t>().swap(m_representative);
    std::vector<std::int32_t>().swap(m_collisions);
}

LineClasses::SlotTable LineClasses::emptyTable(std::size_t size)
{
    auto* slots = static_cast<Slot*>(std::calloc(size, sizeof(Slot)));
    if (slots == nullptr)
        throw std::bad_alloc();
    return SlotTable(slots);
}

const LineClasses::Slot& LineClasses::slotFor(std::uint32_t hash) const
{
    return m_slots[spreadHash(hash) & (m_slotCount - 1)];
}

void LineClasses::checkpoint(std::int32_t classed) const
{
    if ((classed & kCheckpointMask) != 0 || m_progress == nullptr)
        return;
    m_progress->reach(static_cast<std::uint64_t>(classed));
    m_progress->checkpoint();
}

void LineClasses::classifySource()
{
    const std::int32_t count = m_sourceFile.count();
    for (std::int32_t i = 0; i < count; ++i) {
        checkpoint(i);
        if (i + kPrefetchDistance < count)
            __builtin_prefetch(&slotFor(m_sourceFile.lineAt(i + kPrefetchDistance)->hash()));
        m_source[static_cast<std::size_t>(i)] = classOfShared(*m_sourceFile.lineAt(i), i);
    }
}

// Most destination lines equal the source line after the one the previous destination
// line equalled; that line is tried first, in file order, before the table.
void LineClasses::classifyTarget()
{
    const std::int32_t count = m_targetFile.count();
    std::int32_t guess = 0;
    for (std::int32_t j = 0; j < count; ++j) {
        checkpoint(m_sourceFile.count() + j);
        const LineRecord& line = *m_targetFile.lineAt(j);
        const std::string_view content = contentOf(line);
        KnownContent& known = knownContentSlot(content);
        std::int32_t lineClass = 0;
        if (known.holds(content)) {
            lineClass = known.lineClass;
        } else {
            const LineRecord* aligned = m_sourceFile.lineAt(guess);
            if (aligned != nullptr && aligned->hash() == line.hash() && equalBytes(contentOf(*aligned), content))
                lineClass = m_source[static_cast<std::size_t>(guess)];
            else
                lineClass = classOf(line, ~j);
            known = {content.data(), content.size(), lineClass};
        }
        m_target[static_cast<std::size_t>(j)] = lineClass;
        if (guess < m_sourceFile.count() && m_source[static_cast<std::size_t>(guess)] == lineClass) {
            ++guess;
            continue;
        }
        const std::int32_t first = m_representative[static_cast<std::size_t>(lineClass)];
        if (first >= 0)
            guess = first + 1;
    }
}

LineClasses::KnownContent& LineClasses::knownContentSlot(std::string_view content)
{
    const auto address = reinterpret_cast<std::uintptr_t>(content.data());
    const auto slot = static_cast<std::size_t>((address * 0x9E3779B97F4A7C15ULL) >> (64 - kKnownContentBits));
    return m_knownContents[slot];
}

std::int32_t LineClasses::classOfShared(const LineRecord& record, std::int32_t reference)
{
    const std::string_view content = contentOf(record);
    KnownContent& known = knownContentSlot(content);
    if (known.holds(content))
        return known.lineClass;
    const std::int32_t lineClass = classOf(record, reference);
    known = {content.data(), content.size(), lineClass};
    return lineClass;
}

std::int32_t LineClasses::classOf(const LineRecord& record, std::int32_t reference)
{
    auto lineOf = [this](std::int32_t ref) -> const LineRecord& {
        return ref >= 0 ? *m_sourceFile.lineAt(ref) : *m_targetFile.lineAt(~ref);
    };

    if (static_cast<std::size_t>(m_classCount) * 4 >= m_slotCount * 3)
        grow();
    const std::size_t mask = m_slotCount - 1;
    const std::string_view content = contentOf(record);
    std::int32_t sameHash = -1;
    for (std::size_t at = spreadHash(record.hash()) & mask;; at = (at + 1) & mask) {
        Slot& slot = m_slots[at];
        if (slot.classPlusOne == 0) {
            const std::int32_t lineClass = m_classCount++;
            slot = {record.hash(), lineClass + 1};
            m_representative.push_back(reference);
            if (sameHash >= 0) {
                m_collisions.push_back(sameHash);
                m_collisions.push_back(lineClass);
            }
            return lineClass;
        }
        if (slot.hash != record.hash())
            continue;
        const std::int32_t lineClass = slot.classPlusOne - 1;
        if (sameContent(contentOf(lineOf(m_representative[static_cast<std::size_t>(lineClass)])), content))
            return lineClass;
        sameHash = lineClass;
    }
}

void LineClasses::grow()
{
    const SlotTable old = std::move(m_slots);
    const std::size_t oldCount = m_slotCount;
    m_slotCount *= 2;
    m_slots = emptyTable(m_slotCount);
    const std::size_t mask = m_slotCount - 1;
    for (std::size_t k = 0; k < oldCount; ++k) {
        if (old[k].classPlusOne == 0)
            continue;
        std::size_t at = spreadHash(old[k].hash) & mask;
        while (m_slots[at].classPlusOne != 0)
            at = (at + 1) & mask;
        m_slots[at] = old[k];
    }
}

} // namespace core
