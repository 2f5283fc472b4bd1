#include "panes/bivalo_view.h"

#include <algorithm>
#include <utility>

#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>

#include "framework/command_ids.h"
#include "framework/update_hints.h"
#include "grid/cell_edit.h"
#include "grid/cell_messages.h"
#include "panes/drag_hit.h"
#include "panes/view_frame.h"
#include "platform/display_text.h"
#include "platform/window_messages.h"
#include "settings/app_settings.h"

// The editing side of a file pane: edit mode and the read-only switches, edits of the
// pane's rows through core's row editing, copies from the other pane by command or by
// dragging, undo, and the shared overwrite mode.
namespace panes {

using framework::CommandUI;
using framework::LParam;
using framework::LResult;
using framework::WParam;

namespace {

QPoint unpackScreenPoint(LParam packed)
{
    return QPoint(platform::highWord(packed), platform::lowWord(packed));
}

} // namespace

// --- commands -------------------------------------------------------------------------------

void CBivaloView::addEditingCommands()
{
    using namespace framework;
    onCommand(ID_EDIT_MODE, [this] { switchEditMode(); });
    onCommand(ID_EDIT_MODE_INDICATOR, [this] { switchEditMode(); });
    // On the status bar the EDIT pane lights up while edit mode is on.
    const auto editModeUi = [this](CommandUI& ui) {
        if (ui.fromStatusBar()) {
            ui.enable(m_doc.editMode());
            return;
        }
        ui.enable(grid()->rowCount() > 0);
        ui.setCheck(m_doc.editMode());
    };
    onEnable(ID_EDIT_MODE, editModeUi);
    onEnable(ID_EDIT_MODE_INDICATOR, editModeUi);

    onCommand(ID_SOURCE_READ_ONLY, [this] { switchReadOnly(core::kSourceSide); });
    onCommand(ID_TARGET_READ_ONLY, [this] { switchReadOnly(core::kTargetSide); });
    const auto editableUi = [this](int side) {
        return [this, side](CommandUI& ui) {
            ui.enable(m_doc.editMode());
            if (ui.fromStatusBar())
                ui.setIndicator(!m_doc.isReadOnly(side));
            else
                ui.setCheck(!m_doc.isReadOnly(side));
        };
    };
    onEnable(ID_SOURCE_READ_ONLY, editableUi(core::kSourceSide));
    onEnable(ID_TARGET_READ_ONLY, editableUi(core::kTargetSide));

    onCommand(ID_IGNORE_BLANKS, [this] { switchIgnoreBlanks(); });
    onEnable(ID_IGNORE_BLANKS, [](CommandUI& ui) { ui.setCheck(settings::appSettings().IgnoreBlanks != 0); });
    onEnable(ID_UNDO, [this](CommandUI& ui) {
        ui.enable(grid()->rowCount() > 0 || m_doc.undoStore().undoCount() > 0);
    });
    addCopyEnables();
}

// The document carries the copies out; whether they make sense is the panes' to say.
void CBivaloView::addCopyEnables()
{
    using namespace framework;
    const auto into = [this](int side) {
        return [this, side](CommandUI& ui) { ui.enable(m_doc.isEditable(side) && currentRowDiffers()); };
    };
    onEnable(ID_COPY_DIFF_TO_TARGET, into(core::kTargetSide));
    onEnable(ID_COPY_LINE_TO_TARGET, into(core::kTargetSide));
    onEnable(ID_COPY_DIFF_TO_SOURCE, into(core::kSourceSide));
    onEnable(ID_COPY_LINE_TO_SOURCE, into(core::kSourceSide));
}

bool CBivaloView::currentRowDiffers() const
{
    return isDifferenceRow(grid()->position().row);
}

void CBivaloView::switchEditMode()
{
    if (m_doc.editMode()) {
        if (!m_doc.saveModified())
            return;
        // Only changes the user chose not to save leave the rows apart from the files.
        if (m_doc.source().changes() != 0 || m_doc.destination().changes() != 0)
            offerRescan();
    } else if (grid()->rowCount() == 0) {
        return;
    }
    m_doc.setEditMode(!m_doc.editMode());
    refreshRows();
    grid()->setFocus(Qt::OtherFocusReason);
}

void CBivaloView::switchReadOnly(int side)
{
    finishEditing();
    m_doc.setReadOnly(side, !m_doc.isReadOnly(side));
    refreshRows();
}

void CBivaloView::switchIgnoreBlanks()
{
    if (!m_doc.saveModified())
        return;
    auto& ignoreBlanks = settings::appSettings().IgnoreBlanks;
    ignoreBlanks = ignoreBlanks != 0 ? 0 : 1;
    offerRescan();
}

void CBivaloView::offerRescan()
{
    if (m_services.messageBox(core::CBivaloDoc::kRescanNow, framework::MessageButtons::YesNo,
                              framework::MessageIcon::Question) != framework::MessageAnswer::Yes)
        return;
    m_doc.setSkipSavePrompt(true);
    frame().frameWindow().post(framework::WM_COMMAND, framework::ID_RESCAN, 0);
}

// --- edits ----------------------------------------------------------------------------------

void CBivaloView::finishEditing()
{
    m_doc.updateAllViews(nullptr, framework::kHintFinishEditing);
}

bool CBivaloView::hasChangedEdit() const
{
    const auto* editor = qobject_cast<QLineEdit*>(grid()->activeEditor());
    const int row = grid()->position().row;
    if (editor == nullptr || !editor->isModified() || m_rows == nullptr || row < 0
        || std::size_t(row) >= m_rows->size())
        return false;
    // The rule the stored edit follows: the text a line already shows changes nothing.
    const core::LineRecord* line = lineAtRow(row);
    return line == nullptr || line->text() != platform::storedText(editor->text());
}

const core::LineRecord* CBivaloView::lineAtRow(int row) const
{
    if (m_rows == nullptr || row < 0 || std::size_t(row) >= m_rows->size())
        return nullptr;
    return m_file->lineAt((*m_rows)[std::size_t(row)]);
}

void CBivaloView::refreshRows()
{
    m_doc.updateAllViews(nullptr, framework::kHintRowsChanged);
}

bool CBivaloView::SetCellText(grid::TableValue* value)
{
    if (value == nullptr)
        return false;
    const std::string_view text = value->value.text ? value->value.text : "";
    // A text the row already shows is stored: the editor holds nothing new after it.
    if (const core::LineRecord* line = lineAtRow(value->row); line != nullptr && line->text() == text)
        return true;
    const core::RowEditResult stored = rowEditor().setCellText(value->row, text);
    if (!stored.done)
        return false;
    refreshRows();
    return true;
}

void CBivaloView::insertLine()
{
    if (!IsEditable())
        return;
    finishEditing();
    showEdit(rowEditor().insertLine(grid()->position().row));
}

void CBivaloView::deleteLine(bool wholeRow)
{
    if (!IsEditable() || (wholeRow && !IsOtherSideEditable()))
        return;
    finishEditing();
    const int row = grid()->position().row;
    showEdit(wholeRow ? rowEditor().removeRow(row) : rowEditor().deleteLine(row));
}

void CBivaloView::insertTabBlanks()
{
    auto* editor = qobject_cast<grid::CCellEdit*>(grid()->activeEditor());
    if (!IsEditable() || editor == nullptr || editor->hasSelectedText())
        return;
    const QString blanks = QString::fromStdString(settings::appSettings().tabString);
    const int caret = editor->cursorPosition();
    editor->setText(editor->text().insert(caret, blanks));
    editor->setCursorPosition(caret + int(blanks.size()));
    editor->setModified(true);
}

// The row maps have changed already; the grids follow and the current row moves if asked.
void CBivaloView::showEdit(const core::RowEditResult& result)
{
    using namespace framework;
    if (!result.done)
        return;
    if (result.insertedGridRow >= 0) {
        core::RowChange inserted{result.insertedGridRow, result.gridRowCount, true};
        m_doc.updateAllViews(nullptr, kHintInsertRow, &inserted);
    }
    if (result.removedGridRow >= 0) {
        core::RowChange removed{result.removedGridRow, result.gridRowCount, true};
        m_doc.updateAllViews(nullptr, kHintRemoveRow, &removed);
    }
    refreshRows();
    if (result.currentRow >= 0 && result.currentRow != grid()->position().row)
        grid()->send(grid::TCM_SETCURCELL, WParam(std::max(grid()->position().column, 0)), result.currentRow);
}

void CBivaloView::onHintCopy(const core::CopyRequest& request)
{
    if (request.intoSide() != side())
        return;
    const int row = grid()->position().row;
    core::RowEditor editor = rowEditor();
    showEdit(request.hint == framework::kHintCopyLine ? editor.copyLine(row) : editor.copyDifference(row));
}

void CBivaloView::onHintUndone(const core::UndoneRow& undone)
{
    if (undone.side != side())
        return;
    grid()->send(grid::TCM_SETCURCELL, WParam(std::max(grid()->position().column, 0)), undone.row);
    grid()->setFocus(Qt::OtherFocusReason);
}

void CBivaloView::onHintRowChange(int hint, const core::RowChange& change)
{
    if (!change.gridRows)
        return;
    const framework::MessageId message = hint == framework::kHintInsertRow ? grid::TCM_INSERTROWS : grid::TCM_DELETEROWS;
    grid()->send(message, WParam(change.row), change.count);
}

void CBivaloView::onHintOverwriteState(bool on)
{
    grid::CMaskEdit::setOverwriteMode(on);
    if (QWidget* editor = grid()->activeEditor(); editor != nullptr && editor->hasFocus())
        editor->update();
}

// --- dragging a difference onto the other pane ------------------------------------------------

LResult CBivaloView::canDrag(LParam)
{
    restoreDragCursor();
    // The current row, which the click has just made: the packed row has only 16 bits.
    const int row = grid()->position().row;
    return IsOtherSideEditable() && row < m_doc.rowCount() && isDifferenceRow(row) ? 1 : 0;
}

void CBivaloView::dragOver(LParam packedScreenPoint)
{
    Qt::CursorShape shape = Qt::ForbiddenCursor;
    if (otherPaneHit(packedScreenPoint))
        shape = m_services.isControlDown() ? Qt::DragCopyCursor : Qt::DragMoveCursor;
    if (m_dragCursorSet) {
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(shape));
        m_dragCursorSet = true;
    }
}

void CBivaloView::drop(LParam packedScreenPoint)
{
    restoreDragCursor();
    if (!otherPaneHit(packedScreenPoint))
        return;
    finishEditing();
    core::CopyRequest request;
    request.from = m_file;
    request.rows = m_rows;
    request.direction = side() == core::kSourceSide ? core::CopyRequest::kIntoTarget
                                                    : core::CopyRequest::kIntoSource;
    request.hint = m_services.isControlDown() ? framework::kHintCopyLine : framework::kHintCopyDifference;
    m_doc.updateAllViews(this, request.hint, &request);
}

bool CBivaloView::otherPaneHit(LParam packedScreenPoint)
{
    DragHit hit{unpackScreenPoint(packedScreenPoint)};
    m_doc.updateAllViews(this, framework::kHintDragHitTest, &hit);
    return hit.hit;
}

bool CBivaloView::hasRowAt(const QPoint& screenPoint) const
{
    const grid::TCell& table = *grid();
    const QRect area = table.clientArea();
    const QPoint point = table.mapFromGlobal(screenPoint);
    if (!table.isVisible() || !area.contains(point))
        return false;
    const int row = table.geometry().rows.indexAt(point.y() - area.top() + table.position().originY);
    return row >= 0 && row < table.rowCount();
}

void CBivaloView::restoreDragCursor()
{
    if (std::exchange(m_dragCursorSet, false))
        QGuiApplication::restoreOverrideCursor();
}

// --- messages -------------------------------------------------------------------------------

LResult CBivaloView::windowProc(framework::MessageId message, WParam wParam, LParam lParam)
{
    switch (message) {
    case framework::WM_SET_INSERT_MODE: {
        bool overwrite = lParam != 0;
        m_doc.updateAllViews(nullptr, framework::kHintOverwriteState, &overwrite);
        return 0;
    }
    case grid::TBM_CANDRAG:
        return canDrag(lParam);
    case grid::TBM_DRAGOVER:
        dragOver(lParam);
        return 0;
    case grid::TBM_DROP:
        drop(lParam);
        return 0;
    case grid::TCM_EDITMOUSE:
        if (wParam == platform::WM_RBUTTONDOWN) {
            frame().showContextMenu(QCursor::pos());
            return grid::kVeto;
        }
        if (wParam == platform::WM_MBUTTONUP) {
            pasteSelection();
            return grid::kVeto;
        }
        break;
    case grid::TBM_EDITORDBLCLK:
        return selectWordAtCaret(grid()->activeEditor()) ? 1 : 0;
    default:
        break;
    }
    return CTableView::windowProc(message, wParam, lParam);
}

} // namespace panes
