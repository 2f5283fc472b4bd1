#include "panes/bivalo_view.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>

#include "core/clip_lines.h"
#include "core/path_parts.h"
#include "framework/command_ids.h"
#include "framework/text_format.h"
#include "framework/update_hints.h"
#include "grid/cell_edit.h"
#include "grid/cell_messages.h"
#include "panes/view_frame.h"
#include "platform/display_text.h"
#include "settings/app_settings.h"

// The clipboard side of a file pane (copy rows, copy the difference, cut rows, paste
// lines), its context menu, and saving its rows under another name.
namespace panes {

using framework::CommandUI;

namespace {

// A text box outside the panes that has the focus (the Find box): the clipboard commands
// are its own then. An in-cell editor of either pane is none: the pane's rules apply.
QLineEdit* focusedTextBoxOutsidePanes()
{
    QWidget* focus = QApplication::focusWidget();
    for (const QWidget* widget = focus; widget != nullptr; widget = widget->parentWidget()) {
        if (dynamic_cast<const CTableView*>(widget) != nullptr)
            return nullptr;
    }
    if (auto* combo = qobject_cast<QComboBox*>(focus))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(focus);
}

std::string clipboardText()
{
    return platform::storedText(QApplication::clipboard()->text());
}

void putOnClipboard(const std::string& text)
{
    QApplication::clipboard()->setText(platform::displayText(text));
}

} // namespace

void CBivaloView::addClipboardCommands()
{
    using namespace framework;
    onCommand(ID_EDIT_COPY, [this] { copyRows(); });
    onEnable(ID_EDIT_COPY, [this](CommandUI& ui) {
        ui.enable(focusedTextBoxOutsidePanes() != nullptr || !selectedRows().empty() || hostCanCopy());
    });
    onCommand(ID_COPY_DIFF, [this] { copyDifference(); });
    onEnable(ID_COPY_DIFF, [this](CommandUI& ui) { ui.enable(currentRowDiffers()); });
    onCommand(ID_EDIT_CUT, [this] { cutRows(); });
    onEnable(ID_EDIT_CUT, [this](CommandUI& ui) {
        if (focusedTextBoxOutsidePanes() != nullptr)
            ui.enable(true);
        else if (!m_doc.editMode())
            ui.enable(false);
        else
            ui.enable(selectedRows().empty() ? hostCanCut() : IsEditable());
    });
    onCommand(ID_EDIT_PASTE, [this] { paste(); });
    onEnable(ID_EDIT_PASTE, [this](CommandUI& ui) {
        if (focusedTextBoxOutsidePanes() != nullptr)
            ui.enable(!QApplication::clipboard()->text().isEmpty());
        else
            ui.enable(IsEditable() && grid()->rowCount() > 0 && editorOpen() && hostCanPaste());
    });
    onCommand(ID_SHOW_CONTEXT_MENU, [this] { frame().showContextMenu(QCursor::pos()); });
}

void CBivaloView::addSaveCommands()
{
    using namespace framework;
    // Enabled by the document's rules, which also store an open edit first.
    onCommand(ID_FILE_SAVE_AS, [this] { saveAs(); });
    onCommand(ID_SAVE_AS_RESULT, [this] { m_doc.saveAsResult(file()); });
    onCommand(ID_SAVE_AS_PAIR, [this] { m_doc.saveAsPair(file()); });
    onCommand(ID_REOPEN_WITH_ENCODING, [this] { m_doc.reopenWithEncoding(side()); });
    onEnable(ID_SAVE_AS_PAIR, [this](CommandUI& ui) {
        ui.enable(m_doc.rowCount() > 0);
        ui.setText(side() == core::kSourceSide ? kSaveAsTarget : kSaveAsSource);
    });
}

std::vector<int> CBivaloView::selectedRows() const
{
    std::vector<int> selected;
    const grid::TCell& table = *grid();
    for (int row = table.nextRowWithFlags(0, grid::kRowSelected); row < table.rowCount();
         row = table.nextRowWithFlags(row + 1, grid::kRowSelected))
        selected.push_back(row);
    return selected;
}

void CBivaloView::copyRows()
{
    if (QLineEdit* box = focusedTextBoxOutsidePanes()) {
        box->copy();
        return;
    }
    const std::vector<int> selected = selectedRows();
    if (selected.empty()) {
        hostCopy();
        return;
    }
    finishEditing();
    putOnClipboard(rowEditor().selectionText(selected));
}

void CBivaloView::copyDifference()
{
    const std::string text = rowEditor().differenceText(grid()->position().row);
    if (!text.empty())
        putOnClipboard(text);
}

void CBivaloView::cutRows()
{
    if (QLineEdit* box = focusedTextBoxOutsidePanes()) {
        box->cut();
        return;
    }
    if (!m_doc.editMode())
        return;
    const std::vector<int> selected = selectedRows();
    if (selected.empty()) {
        hostCut();
        return;
    }
    if (!IsEditable())
        return;
    finishEditing();
    putOnClipboard(rowEditor().selectionText(selected));
    showEdit(rowEditor().cutRows(selected));
}

void CBivaloView::paste()
{
    if (QLineEdit* box = focusedTextBoxOutsidePanes()) {
        box->paste();
        return;
    }
    if (!m_doc.editMode() || !IsEditable())
        return;
    const std::string text = clipboardText();
    if (text.find('\n') == std::string::npos)
        hostPaste();
    else
        pasteLines(text);
}

// A middle click in the in-cell editor pastes the primary selection as Ctrl+V pastes the
// clipboard: lines become rows, a part of a line goes in at the caret.
void CBivaloView::pasteSelection()
{
    auto* editor = qobject_cast<grid::CCellEdit*>(grid()->activeEditor());
    if (!m_doc.editMode() || !IsEditable() || editor == nullptr)
        return;
    const std::string text = m_services.selectionText();
    if (text.find('\n') == std::string::npos) {
        editor->deselect();
        editor->pasteText(platform::displayText(text));
    } else {
        pasteLines(text);
    }
}

void CBivaloView::pasteLines(const std::string& text)
{
    using namespace framework;
    finishEditing();
    const std::vector<std::string> lines = core::ClipLines::split(text);
    const int row = grid()->position().row;
    const auto* editor = qobject_cast<grid::CCellEdit*>(grid()->activeEditor());
    const bool overwrite = grid::CMaskEdit::overwriteMode() || (editor != nullptr && editor->hasEditMask());
    const core::RowEditResult pasted = rowEditor().pasteLines(row, lines, overwrite);
    if (!pasted.done)
        return;
    if (!overwrite) {
        core::RowChange inserted{row, int(lines.size()), false};
        m_doc.updateAllViews(nullptr, kHintInsertRow, &inserted);
    }
    refreshRows();
    m_doc.updateAllViews(nullptr, kHintClearSelection);
}

void CBivaloView::saveAs()
{
    framework::FileDialogRequest request;
    request.save = true;
    request.mustExist = false;
    const std::string name = core::fileNameOf(file().path());
    request.title = framework::formatText(kSaveAsTitle, {name});
    request.folder = core::folderOf(file().path());
    request.fileName = name;
    request.filter = settings::appSettings().GetFilterString();
    const auto chosen = frame().saveAsDialog(request);
    if (chosen)
        m_doc.saveRows(file(), rows(), chosen->path);
}

} // namespace panes
