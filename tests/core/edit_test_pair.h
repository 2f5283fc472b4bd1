#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/change_notes.h"
#include "core/edit_pair.h"
#include "core/line_file.h"
#include "core/row_editor.h"
#include "core/row_map.h"
#include "core/undo_store.h"
#include "tests/support/temp_dir.h"

namespace core::testing {

std::string joinLines(const std::vector<std::string>& lines, const std::string& lineEnd = "\n");

// A compared pair loaded from real files, with the document's editing state: row maps,
// row count, undo store and the counter rule with a modified flag.
class EditTestPair : public ChangeNotes {
public:
    EditTestPair(const std::vector<std::string>& sourceLines, const std::vector<std::string>& targetLines);
    struct Bytes {
        std::string source;
        std::string target;
        std::optional<TextEncoding> encoding = std::nullopt; // none: each file's own
        TextOptions options = {};
    };
    // Loads both files from exactly these bytes.
    explicit EditTestPair(const Bytes& bytes);

    void noteChange(Sides sides, ChangeStep step) override;

    EditPair pair();
    RowEditor editor(int side) { return RowEditor(pair(), side); }
    RowEditResult undo();

    LineFile& file(int side) { return side == 0 ? source : target; }
    RowMap& rows(int side) { return side == 0 ? sourceRows : destinationRows; }
    // The texts of the rows of a side that show a line, in row order.
    std::vector<std::string> shownLines(int side);
    // Row map entries of the valid rows only.
    RowMap validRows(int side) { return RowMap(rows(side).begin(), rows(side).begin() + rowCount); }
    bool hasDifference();
    void compare();

    testing_support::TempDir dir;
    TextOptions options; // read, compared and edited with
    LineFile source;
    LineFile target;
    RowMap sourceRows;
    RowMap destinationRows;
    std::int32_t rowCount = 0;
    UndoStore undoStore;
    bool modified = false;

private:
    void load(const std::string& sourceBytes, const std::string& targetBytes,
              const std::optional<TextEncoding>& encoding = std::nullopt);
};

} // namespace core::testing
