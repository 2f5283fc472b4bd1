#include "panes/dst_view.h"

#include "framework/update_hints.h"
#include "grid/cell_messages.h"
#include "panes/view_frame.h"
#include "platform/font_conversion.h"
#include "platform/window_messages.h"

namespace panes {

using framework::WParam;

namespace {

constexpr std::uint32_t kRemovedGridStyle = grid::TCS_HGRID | grid::TCS_VGRID | grid::TCS_HEADER | grid::TCS_COLSIZE;

} // namespace

void CDstView::AttachSide()
{
    m_file = &doc().destination;
    m_rows = &doc().destinationRows;
    grid()->modifyStyle(kRemovedGridStyle, platform::WS_VSCROLL | platform::WS_HSCROLL | grid::TCS_NOTIFY);
}

bool CDstView::IsEditable()
{
    return doc().editMode && !doc().destinationReadOnly;
}

bool CDstView::IsOtherSideEditable()
{
    return doc().editMode && !doc().sourceReadOnly;
}

void CDstView::goToRow(int row)
{
    const int target = std::max(row, 0);
    // Centre the row: half a page of rows above it when there is room.
    const grid::TCellPosition& position = grid()->position();
    const int pageRows = std::max(position.lastRow - position.firstRow, 1);
    const int top = std::max(target - pageRows / 2, 0);
    grid()->send(grid::TCM_SETSCROLLY, WParam(top) * WParam(grid()->defaultRowHeight()), 0);
    grid()->send(grid::TCM_SETCURCELL, 0, target);
}

void CDstView::afterComparison()
{
    for (int row = 0; row < doc().rowCount; ++row) {
        if (isDifferenceRow(row)) {
            goToRow(row);
            return;
        }
    }
    const bool blanksOnly = doc().blankDifference;
    services().messageBox(blanksOnly ? kBlanksOnly : kFilesIdentical, framework::MessageButtons::Ok,
                          framework::MessageIcon::Information);
    if (!services().isShiftDown() && doc().firstComparison && !blanksOnly)
        frame().frameWindow().post(framework::WM_CLOSE, 0, 0);
}

void CDstView::onUpdate(framework::View* sender, int hint, void* object)
{
    using namespace framework;
    if (grid() == nullptr)
        return;
    switch (hint) {
    case kHintCompared:
        CBivaloView::onUpdate(sender, hint, object);
        afterComparison();
        return;
    case kHintGoToRow:
        goToRow(*static_cast<int*>(object));
        return;
    case kHintActivateSource:
        return;
    case kHintFillFont:
        *static_cast<LogFont*>(object) = grid()->font(1).logFont();
        return;
    case kHintStoreRow:
        *static_cast<int*>(object) = grid()->position().row;
        return;
    case kHintRestoreRow:
        goToRow(*static_cast<int*>(object));
        return;
    default:
        CBivaloView::onUpdate(sender, hint, object);
        return;
    }
}

} // namespace panes
