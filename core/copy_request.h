#pragma once

#include "core/line_file.h"
#include "core/row_map.h"
#include "core/side.h"

namespace core {

// Sent with the copy hints: the side copied from. The pane of the other side copies.
struct CopyRequest {
    static constexpr int kIntoTarget = 0;
    static constexpr int kIntoSource = 1;

    const LineFile* from = nullptr;
    const RowMap* rows = nullptr;
    int direction = kIntoTarget;
    int hint = 0;    // kHintCopyLine or kHintCopyDifference

    int intoSide() const { return direction == kIntoSource ? kSourceSide : kTargetSide; }
};

} // namespace core
