#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/line_file.h"
#include "core/row_map.h"

namespace panes {

// What the overview strip draws: one value per aligned row (0 same, 1 source only,
// 2 target only, 3 changed) and the scale between rows and pixel rows. A whole difference
// block takes the kind of its first row.
class DiffBlockMap {
public:
    static constexpr std::uint8_t kSame = 0;
    static constexpr std::uint8_t kSourceOnly = 1;
    static constexpr std::uint8_t kTargetOnly = 2;
    static constexpr std::uint8_t kChanged = 3;
    static constexpr int kMargin = 5;             // above and below the bar
    static constexpr int kNearestSearchSteps = 1000;

    void build(const core::LineFile& source, const core::RowMap& sourceRows, const core::RowMap& destinationRows,
               std::int32_t rowCount);
    // The same build in steps, so that millions of rows do not hold the window up: start,
    // then buildSome until it returns true. Rows not built yet count as same.
    void startBuild(std::int32_t rowCount);
    bool buildSome(const core::LineFile& source, const core::RowMap& sourceRows, const core::RowMap& destinationRows,
                   std::int32_t rows);
    // One value per row, made elsewhere.
    void assign(std::vector<std::uint8_t> values);
    // Only with rows and a client height above 10; else scale and mode stay as they were.
    void rescale(int clientHeight);

    std::int32_t rowCount() const { return m_rowCount; }
    std::uint8_t valueAt(std::int32_t row) const
    {
        return std::size_t(row) < m_values.size() ? m_values[std::size_t(row)] : kSame;
    }
    const std::vector<std::uint8_t>& values() const { return m_values; }
    // True: scale is pixels per row (the file has fewer rows than the bar pixels); false:
    // scale is rows per pixel.
    bool pixelsPerRow() const { return m_pixelsPerRow; }
    int scale() const { return m_scale; }

    int rowToY(std::int32_t row) const;
    std::int32_t yToRow(int y) const;
    // The largest value among count rows from first (changed over target only over source
    // only over same).
    std::uint8_t strongestValue(std::int32_t first, int count) const;
    // The nearest row with a difference, looking above before below; nothing when row is
    // outside the map; row itself when none lies within kNearestSearchSteps.
    std::optional<std::int32_t> nearestDifference(std::int32_t row) const;

private:
    std::vector<std::uint8_t> m_values; // of the rows built so far
    std::int32_t m_rowCount = 0;
    std::uint8_t m_block = kSame;       // the kind of the block the build is in
    int m_scale = 0;
    bool m_pixelsPerRow = false;
};

} // namespace panes
