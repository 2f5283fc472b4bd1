#pragma once

#include <cstdint>

#include "core/line_file.h"
#include "core/row_map.h"
#include "core/text_options.h"
#include "core/work_progress.h"

namespace core {

// The aligned rows of a comparison. Both maps hold exactly rowCount entries.
struct CompareResult {
    RowMap sourceRows;
    RowMap destinationRows;
    std::int32_t rowCount = 0;
    // Some row pairs two Same lines whose texts are not byte for byte equal: the
    // files matched only because blanks were ignored (or by an anchor's hash).
    bool blankDifference = false;
};

// Aligns the lines of source with those of destination and sets every line's state
// (and the partner links of the unique-line pass). Both files were read with the
// options' ignoreBlanks. With progress, counts the lines classed and then the destination
// lines walked, and throws WorkCancelled on a cancel.
CompareResult compareFiles(LineFile& source, LineFile& target, const TextOptions& options,
                           WorkProgress* progress = nullptr);

} // namespace core
