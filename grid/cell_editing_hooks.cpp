#include "grid/cell.h"

// The grid's side of the in-cell editing cycle.
namespace grid {

bool TCell::createEditors()
{
    return true;
}

void TCell::placeEditor() {}

bool TCell::commitEdit(int, int)
{
    return true;
}

bool TCell::focusEditor()
{
    return false;
}

LResult TCell::editorClipboard(framework::MessageId)
{
    return 0;
}

QWidget* TCell::activeEditor() const
{
    return activeEditor_;
}

} // namespace grid
