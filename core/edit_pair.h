#pragma once

#include <cstdint>

#include "core/row_map.h"
#include "core/text_options.h"

namespace core {

class LineFile;
class UndoStore;
class ChangeNotes;

// The document's state that row editing works on, indexed by side (kSourceSide,
// kDestinationSide). The document owns all of it.
struct EditPair {
    LineFile* files[2] = {nullptr, nullptr};
    RowMap* rows[2] = {nullptr, nullptr};
    std::int32_t* rowCount = nullptr;
    UndoStore* undoStore = nullptr;
    ChangeNotes* notes = nullptr;
    TextOptions options; // how edited, typed and copied lines are built
};

} // namespace core
