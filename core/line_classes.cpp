#include "core/line_classes.h"

#include <string_view>

namespace core {

namespace {

constexpr std::size_t kInitialSlots = 1024;

std::size_t mixed(std::uint32_t hash)
{
    // The line hash is weak in its low bits for short lines; spread it over the table.
    return static_cast<std::size_t>((static_cast<std::uint64_t>(hash) * 0x9E3779B97F4A7C15ULL) >> 32);
}

} // namespace

LineClasses::LineClasses(const LineFile& source, const LineFile& destination, bool byKey)
    : m_sourceFile(source), m_destinationFile(destination), m_byKey(byKey)
{
    const auto sourceCount = static_cast<std::size_t>(source.count());
    const auto destinationCount = static_cast<std::size_t>(destination.count());
    m_slots.resize(kInitialSlots);
    m_source.resize(sourceCount + 1);
    m_destination.resize(destinationCount + 1);
    for (std::int32_t i = 0; i < source.count(); ++i)
        m_source[static_cast<std::size_t>(i)] = classOf(*source.lineAt(i), i);
    for (std::int32_t j = 0; j < destination.count(); ++j)
        m_destination[static_cast<std::size_t>(j)] = classOf(*destination.lineAt(j), ~j);
    const std::int32_t marker = m_classCount++;
    m_source[sourceCount] = marker;
    m_destination[destinationCount] = marker;
    m_sharesHash.resize(static_cast<std::size_t>(m_classCount));
    for (const std::int32_t lineClass : m_collisions)
        m_sharesHash[static_cast<std::size_t>(lineClass)] = 1;
    // The table is only needed while classes are handed out.
    m_slots = {};
    m_representative = {};
    m_collisions = {};
}

std::int32_t LineClasses::classOf(const LineRecord& record, std::int32_t reference)
{
    auto contentOf = [this](const LineRecord& line) { return m_byKey ? line.key() : line.text(); };
    auto lineOf = [this](std::int32_t ref) -> const LineRecord& {
        return ref >= 0 ? *m_sourceFile.lineAt(ref) : *m_destinationFile.lineAt(~ref);
    };

    if (static_cast<std::size_t>(m_classCount) * 2 >= m_slots.size())
        grow();
    const std::size_t mask = m_slots.size() - 1;
    const std::string_view content = contentOf(record);
    std::int32_t sameHash = -1;
    for (std::size_t at = mixed(record.hash()) & mask;; at = (at + 1) & mask) {
        Slot& slot = m_slots[at];
        if (slot.lineClass < 0) {
            slot.hash = record.hash();
            slot.lineClass = m_classCount++;
            m_representative.push_back(reference);
            if (sameHash >= 0) {
                m_collisions.push_back(sameHash);
                m_collisions.push_back(slot.lineClass);
            }
            return slot.lineClass;
        }
        if (slot.hash != record.hash())
            continue;
        if (contentOf(lineOf(m_representative[static_cast<std::size_t>(slot.lineClass)])) == content)
            return slot.lineClass;
        sameHash = slot.lineClass;
    }
}

void LineClasses::grow()
{
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.size() * 2, Slot{});
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.lineClass < 0)
            continue;
        std::size_t at = mixed(slot.hash) & mask;
        while (m_slots[at].lineClass >= 0)
            at = (at + 1) & mask;
        m_slots[at] = slot;
    }
}

} // namespace core
