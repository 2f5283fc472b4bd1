#pragma once

#include <cstdint>

namespace core {

class LineFile;

enum class Sides { Source, Target, Both };
enum class ChangeStep { Up, Down };

constexpr std::int32_t kChangedAfterSave = -1000000;

// The counter rule: up adds one; down takes one off, and a count that would go negative
// (an undo past a save) becomes kChangedAfterSave, so the file stays marked as changed.
std::int32_t steppedChanges(std::int32_t changes, ChangeStep step);
void stepChanges(LineFile& file, ChangeStep step);

Sides sidesOf(int side);

// Told of every change made to the rows of a side and of every undo; the document
// implements it with its counters and modified flag.
class ChangeNotes {
public:
    virtual ~ChangeNotes() = default;
    virtual void noteChange(Sides sides, ChangeStep step) = 0;
};

} // namespace core
