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

void CDstView::moveToNextDifferenceRow(int& moved)
{
    const int row = grid()->position().row;
    if (row < 0 || row + 1 >= doc().rowCount || !isDifferenceRow(row + 1))
        return;
    grid()->send(grid::TCM_ROWDOWN, 1, 0);
    moved = 1;
}

void CDstView::afterComparison()
{
    if (const int row = firstDifference(); row >= 0) {
        goToRowCentred(row);
        return;
    }
    // Nothing moves the panes, yet the overview strip must learn what they show.
    sendScrollState(true);
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
        goToRowCentred(*static_cast<int*>(object));
        return;
    case kHintRestoreRow:
        goToRowWithMargin(*static_cast<int*>(object), true);
        return;
    case kHintActivateSource:
        return;
    case kHintFillFont:
        *static_cast<LogFont*>(object) = grid()->font(1).logFont();
        return;
    case kHintSetFont:
        // Rows of another height show another range of rows.
        CBivaloView::onUpdate(sender, hint, object);
        sendScrollState(true);
        return;
    case kHintStoreRow:
        *static_cast<int*>(object) = grid()->position().row;
        return;
    case kHintMoveToNextDiffRow:
        moveToNextDifferenceRow(*static_cast<int*>(object));
        return;
    default:
        CBivaloView::onUpdate(sender, hint, object);
        return;
    }
}

} // namespace panes
