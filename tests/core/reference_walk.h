#pragma once

#include <cstdint>
#include <vector>

#include "core/line_file.h"
#include "core/row_map.h"

namespace testing_support {

// The block walk exactly as the algorithm reads, with its linear searches and a real
// end marker line: slow and obvious, the yardstick of the real engine.
struct ReferenceResult {
    core::RowMap sourceRows; // rowCount entries
    core::RowMap destinationRows;
    std::int32_t rowCount = 0;
    std::vector<core::LineState> sourceStates;
    std::vector<core::LineState> targetStates;
    std::vector<std::int32_t> sourcePartners;
    std::vector<std::int32_t> targetPartners;
    bool flagByIsEqual = false;   // the flag as isEqual leaves it
    bool blankDifference = false; // some Same row pairs texts that are not byte-equal
};

// Does not touch the files' records, which were built with options.
ReferenceResult referenceCompare(const core::LineFile& source, const core::LineFile& target,
                                 const core::TextOptions& options);

} // namespace testing_support
