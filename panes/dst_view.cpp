#include "panes/dst_view.h"

#include "core/file_form.h"
#include "grid/cell_messages.h"
#include "panes/view_frame.h"
#include "platform/font_conversion.h"
#include "platform/window_messages.h"

namespace panes {

using framework::WParam;

void CDstView::onHintCompared()
{
    CBivaloView::onHintCompared();
    if (const int row = firstDifference(); row >= 0) {
        goToRowCentred(row);
        return;
    }
    // Nothing moves the panes, yet the overview strip must learn what they show.
    sendScrollState(true);
    const bool blanksOnly = doc().blankDifference();
    // Identical texts may still be files of different encodings or line ends.
    const std::string forms = core::formDifference(doc().source(), doc().destination());
    const std::string identical = forms.empty() ? std::string(kFilesIdentical) : kFilesIdentical + ("\n" + forms);
    services().messageBox(blanksOnly ? kBlanksOnly : identical, framework::MessageButtons::Ok,
                          framework::MessageIcon::Information);
    if (!services().isShiftDown() && doc().firstComparison() && !blanksOnly)
        frame().frameWindow().post(framework::WM_CLOSE, 0, 0);
}

void CDstView::onHintSetFont(const framework::LogFont& font)
{
    // Rows of another height show another range of rows.
    CBivaloView::onHintSetFont(font);
    sendScrollState(true);
}

void CDstView::onHintGoToRow(int row)
{
    goToRowCentred(row);
}

void CDstView::onHintFillFont(framework::LogFont& font)
{
    font = grid()->font(1).logFont();
}

void CDstView::onHintStoreRow(int& row)
{
    row = grid()->position().row;
}

void CDstView::onHintRestoreRow(int row)
{
    goToRowWithMargin(row, true);
}

void CDstView::onHintMoveToNextDiffRow(int& moved)
{
    const int row = grid()->position().row;
    if (row < 0 || row + 1 >= doc().rowCount() || !isDifferenceRow(row + 1))
        return;
    grid()->send(grid::TCM_ROWDOWN, 1, 0);
    moved = 1;
}

} // namespace panes
