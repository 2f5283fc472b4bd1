#include "tests/core/edit_test_pair.h"

#include <gtest/gtest.h>

#include "core/difference_engine.h"

namespace core::testing {

std::string joinLines(const std::vector<std::string>& lines, const std::string& lineEnd)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + lineEnd;
    return text;
}

EditTestPair::EditTestPair(const std::vector<std::string>& sourceLines,
                           const std::vector<std::string>& targetLines)
{
    load(joinLines(sourceLines), joinLines(targetLines));
}

EditTestPair::EditTestPair(const Bytes& bytes) : options(bytes.options)
{
    load(bytes.source, bytes.target, bytes.encoding);
}

void EditTestPair::load(const std::string& sourceBytes, const std::string& targetBytes,
                        const std::optional<TextEncoding>& encoding)
{
    source.chooseEncoding(encoding);
    target.chooseEncoding(encoding);
    EXPECT_TRUE(source.load(dir.write("source.txt", sourceBytes), options));
    EXPECT_TRUE(target.load(dir.write("destination.txt", targetBytes), options));
    compare();
}

void EditTestPair::compare()
{
    CompareResult result = compareFiles(source, target, options);
    sourceRows = std::move(result.sourceRows);
    destinationRows = std::move(result.destinationRows);
    rowCount = result.rowCount;
}

void EditTestPair::noteChange(Sides sides, ChangeStep step)
{
    if (sides != Sides::Target)
        stepChanges(source, step);
    if (sides != Sides::Source)
        stepChanges(target, step);
    if (step == ChangeStep::Up)
        modified = true;
    else if (source.changes() == 0 && target.changes() == 0)
        modified = false;
}

EditPair EditTestPair::pair()
{
    return EditPair{{&source, &target}, {&sourceRows, &destinationRows}, &rowCount, &undoStore, this, options};
}

RowEditResult EditTestPair::undo()
{
    UndoRecord* record = undoStore.popUndo();
    return record ? applyUndo(pair(), *record) : RowEditResult{};
}

std::vector<std::string> EditTestPair::shownLines(int side)
{
    std::vector<std::string> lines;
    for (std::int32_t row = 0; row < rowCount; ++row) {
        if (const LineRecord* line = file(side).lineAt(rows(side)[row]))
            lines.emplace_back(line->text());
    }
    return lines;
}

bool EditTestPair::hasDifference()
{
    for (std::int32_t row = 0; row < rowCount; ++row) {
        for (int side = 0; side < 2; ++side) {
            const LineRecord* line = file(side).lineAt(rows(side)[row]);
            if (!line || line->state() != LineState::Same)
                return true;
        }
    }
    return false;
}

} // namespace core::testing
