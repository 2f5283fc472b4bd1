#include "panes/diff_block_map.h"

#include <algorithm>

namespace panes {
namespace {

bool isSameRow(const core::LineFile& source, std::int32_t sourceEntry)
{
    if (core::isVirtualRow(sourceEntry))
        return false;
    const core::LineRecord* line = source.lineAt(sourceEntry);
    return line != nullptr && line->state() == core::LineState::Same;
}

std::int32_t entryAt(const core::RowMap& rows, std::int32_t row)
{
    return std::size_t(row) < rows.size() ? rows[std::size_t(row)] : -1;
}

} // namespace

void DiffBlockMap::assign(std::vector<std::uint8_t> values)
{
    m_values = std::move(values);
    m_rowCount = std::int32_t(m_values.size());
}

void DiffBlockMap::build(const core::LineFile& source, const core::RowMap& sourceRows,
                         const core::RowMap& destinationRows, std::int32_t rowCount)
{
    startBuild(rowCount);
    buildSome(source, sourceRows, destinationRows, m_rowCount);
}

void DiffBlockMap::startBuild(std::int32_t rowCount)
{
    m_rowCount = std::max(rowCount, 0);
    m_values.clear();
    // Reserved, not filled: pages are touched as the steps reach them.
    m_values.reserve(std::size_t(m_rowCount));
    m_block = kSame;
}

bool DiffBlockMap::buildSome(const core::LineFile& source, const core::RowMap& sourceRows,
                             const core::RowMap& destinationRows, std::int32_t rows)
{
    const auto first = std::int32_t(m_values.size());
    const std::int32_t end = first + std::min(rows, m_rowCount - first);
    for (std::int32_t row = first; row < end; ++row) {
        const std::int32_t sourceEntry = entryAt(sourceRows, row);
        if (isSameRow(source, sourceEntry)) {
            m_block = kSame;
        } else if (m_block == kSame) {
            if (core::isVirtualRow(sourceEntry))
                m_block = kTargetOnly;
            else if (!core::isVirtualRow(entryAt(destinationRows, row)))
                m_block = kChanged;
            else
                m_block = kSourceOnly;
        }
        m_values.push_back(m_block);
    }
    return end == m_rowCount;
}

void DiffBlockMap::rescale(int clientHeight)
{
    const int height = clientHeight - 2 * kMargin;
    if (m_rowCount <= 0 || height <= 0)
        return;
    m_pixelsPerRow = height > m_rowCount;
    m_scale = m_pixelsPerRow ? height / m_rowCount : m_rowCount / height + 1;
}

int DiffBlockMap::rowToY(std::int32_t row) const
{
    if (m_scale == 0)
        return kMargin;
    return m_pixelsPerRow ? m_scale * row + kMargin : row / m_scale + kMargin;
}

std::int32_t DiffBlockMap::yToRow(int y) const
{
    if (m_scale == 0)
        return 0;
    return m_pixelsPerRow ? (y - kMargin) / m_scale : (y - kMargin) * m_scale;
}

std::uint8_t DiffBlockMap::strongestValue(std::int32_t first, int count) const
{
    const auto built = std::int32_t(m_values.size());
    const auto begin = m_values.begin() + std::clamp<std::int32_t>(first, 0, built);
    const auto end = m_values.begin() + std::clamp<std::int64_t>(std::int64_t(first) + count, 0, built);
    return begin < end ? *std::max_element(begin, end) : kSame;
}

std::optional<std::int32_t> DiffBlockMap::nearestDifference(std::int32_t row) const
{
    if (row < 0 || row >= m_rowCount)
        return std::nullopt;
    const auto isDifference = [this](std::int64_t candidate) {
        return candidate >= 0 && std::size_t(candidate) < m_values.size() && m_values[std::size_t(candidate)] != kSame;
    };
    for (std::int64_t step = 0; step < kNearestSearchSteps; ++step) {
        if (isDifference(row - step))
            return std::int32_t(row - step);
        if (isDifference(row + step))
            return std::int32_t(row + step);
    }
    return row;
}

} // namespace panes
