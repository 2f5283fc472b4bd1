#include "core/change_notes.h"

#include "core/line_file.h"
#include "core/side.h"

namespace core {

std::int32_t steppedChanges(std::int32_t changes, ChangeStep step)
{
    if (step == ChangeStep::Up)
        return changes + 1;
    const std::int32_t lowered = changes - 1;
    return lowered < 0 ? kChangedAfterSave : lowered;
}

void stepChanges(LineFile& file, ChangeStep step)
{
    file.setChanges(steppedChanges(file.changes(), step));
}

Sides sidesOf(int side)
{
    return side == kSourceSide ? Sides::Source : Sides::Target;
}

} // namespace core
