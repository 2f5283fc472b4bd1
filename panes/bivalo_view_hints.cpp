#include "panes/bivalo_view.h"

#include <algorithm>

#include <QLineEdit>

#include "framework/update_hints.h"
#include "grid/cell_messages.h"
#include "panes/drag_hit.h"
#include "panes/view_frame.h"
#include "settings/app_settings.h"

namespace panes {

using framework::WParam;

// The one place a pane turns a hint into a call; the table of hints, their senders and
// their receivers is in framework/update_hints.h.
void CBivaloView::onUpdate(framework::View*, int hint, void* object)
{
    using namespace framework;
    if (grid() == nullptr)
        return;
    switch (hint) {
    case kHintCompared: onHintCompared(); break;
    case kHintSyncScroll: onHintSyncScroll(static_cast<grid::TCell*>(object)); break;
    case kHintActivatePane: onHintActivatePane(); break;
    case kHintGoToRow: onHintGoToRow(*static_cast<int*>(object)); break;
    case kHintActivateSource: onHintActivateSource(); break;
    case kHintOverwriteState: onHintOverwriteState(*static_cast<bool*>(object)); break;
    case kHintCopyLine:
    case kHintCopyDifference: onHintCopy(*static_cast<const core::CopyRequest*>(object)); break;
    case kHintFillFont: onHintFillFont(*static_cast<LogFont*>(object)); break;
    case kHintSetFont: onHintSetFont(*static_cast<const LogFont*>(object)); break;
    case kHintOptionsChanged: onHintOptionsChanged(); break;
    case kHintDragHitTest: onHintDragHitTest(*static_cast<DragHit*>(object)); break;
    case kHintStoreRow: onHintStoreRow(*static_cast<int*>(object)); break;
    case kHintRestoreRow: onHintRestoreRow(*static_cast<int*>(object)); break;
    case kHintUndone: onHintUndone(*static_cast<const core::UndoneRow*>(object)); break;
    case kHintRowsChanged: onHintRowsChanged(); break;
    case kHintEasyJoin: onHintEasyJoin(static_cast<CommandTarget*>(object)); break;
    case kHintInsertRow:
    case kHintRemoveRow: onHintRowChange(hint, *static_cast<const core::RowChange*>(object)); break;
    case kHintIdle: onHintIdle(); break;
    case kHintClearSelection: onHintClearSelection(); break;
    case kHintFinishEditing: onHintFinishEditing(); break;
    case kHintBookmark: onHintBookmark(*static_cast<const int*>(object)); break;
    case kHintMoveToNextDiffRow: onHintMoveToNextDiffRow(*static_cast<int*>(object)); break;
    case kHintModifiedChanged: onHintModifiedChanged(); break;
    case kHintRescanned: onHintRescanned(); break;
    case kHintResync: onHintResync(); break;
    case kHintChangedEdits: onHintChangedEdits(*static_cast<core::ChangedEdits*>(object)); break;
    default: break;
    }
}

void CBivaloView::onHintCompared()
{
    grid()->setRowCount(m_doc.rowCount());
    grid()->send(grid::TCM_SETROWHEIGHT, WParam(-1), settings::appSettings().RowHeight);
    m_inlineChanges.clear();
    m_longestLine = std::max(m_doc.source().longestTextLength(), m_doc.destination().longestTextLength());
    applyColumnWidth();
    AttachSide();
    updateCaption();
    m_easyJoinDialog = nullptr;
    // An editor placed while the rows were rebuilt shows what its row holds now.
    grid()->refreshEditor();
}

void CBivaloView::onHintSyncScroll(grid::TCell* sender)
{
    m_syncGuard = true;
    // EasyJoin copies what the current rows of both panes show: they move together.
    const bool follow = m_doc.syncScroll() || m_easyJoinDialog != nullptr;
    if (follow && sender != nullptr) {
        grid()->CopyState(*sender, grid::TCell::kCopyOriginX | grid::TCell::kCopyOriginY | grid::TCell::kCopyRow);
        grid()->updateNow();
    }
    m_syncGuard = false;
}

void CBivaloView::onHintActivatePane()
{
    frame().activateView(this);
    onActivateView(true);
}

void CBivaloView::onHintActivateSource()
{
    onHintActivatePane();
}

void CBivaloView::onHintSetFont(const framework::LogFont& font)
{
    setCellFont(font);
}

void CBivaloView::onHintOptionsChanged()
{
    grid()->invalidateAll();
    if (settings::appSettings().RowHeight > 0)
        grid()->send(grid::TCM_SETROWHEIGHT, WParam(-1), settings::appSettings().RowHeight);
}

void CBivaloView::onHintRowsChanged()
{
    // A new row count lays the grid out again; the same count keeps every row's place,
    // so a copy need not measure a million rows again.
    grid()->setRowCount(m_doc.rowCount());
    grid()->invalidateAll();
    grid()->refreshEditor();
    // The current row may show another line now, or the same line under a new number.
    updateCaption();
}

void CBivaloView::onHintDragHitTest(DragHit& hit)
{
    hit.hit = hit.hit || hasRowAt(hit.screen);
}

void CBivaloView::onHintEasyJoin(framework::CommandTarget* dialog)
{
    // The current row's colours change with the dialog, also those of an open in-cell editor.
    m_easyJoinDialog = dialog;
    grid()->setFocus(Qt::OtherFocusReason);
    if (dialog != nullptr) {
        if (const int row = firstDifference(); row >= 0)
            goToRowCentred(row);
    }
    grid()->invalidateAll();
    grid()->refreshEditor();
    m_skipList.clear();
}

void CBivaloView::onHintIdle()
{
    const auto* editor = qobject_cast<QLineEdit*>(grid()->activeEditor());
    if (editor != nullptr && editor->hasSelectedText() && anyRowSelected())
        grid()->send(grid::TCM_SELECTROW, WParam(-1), 0);
}

void CBivaloView::onHintClearSelection()
{
    grid()->send(grid::TCM_SELECTROW, WParam(-1), 0);
}

void CBivaloView::onHintFinishEditing()
{
    grid()->endEdit(true);
}

void CBivaloView::onHintModifiedChanged()
{
    updateCaption();
}

void CBivaloView::onHintRescanned()
{
    // The editor may still hold the text of the line before the reload: drop it.
    grid()->endEdit(false);
}

void CBivaloView::onHintResync()
{
    sendScrollState(false);
}

void CBivaloView::onHintChangedEdits(core::ChangedEdits& edits)
{
    edits.sides[side()] = edits.sides[side()] || hasChangedEdit();
}

} // namespace panes
