#include <QApplication>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>

#include "framework/command_ids.h"
#include "framework/update_hints.h"
#include "grid/cell_messages.h"
#include "grid/table_box_records.h"
#include "panes/bivalo_view.h"
#include "panes/find_pattern.h"
#include "panes/view_frame.h"
#include "platform/display_text.h"
#include "platform/virtual_keys.h"
#include "settings/app_settings.h"

// The file panes' ways of moving: differences, line numbers, find, bookmarks, the skip
// list of EasyJoin, and the pane's own keys.
namespace panes {

using framework::LParam;
using framework::LResult;
using framework::WParam;

namespace {

constexpr int kBookmarkToggle = 0;
constexpr int kBookmarkNext = 1;

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

bool isArrowKey(int virtualKey)
{
    return virtualKey == platform::VK_LEFT || virtualKey == platform::VK_UP || virtualKey == platform::VK_RIGHT
        || virtualKey == platform::VK_DOWN;
}

} // namespace

void CBivaloView::addNavigationCommands()
{
    using namespace framework;
    const auto whenRows = [this](CommandUI& ui) { ui.enable(m_doc.rowCount() > 0); };
    const auto whenCurrentRow = [this](CommandUI& ui) {
        const int row = grid() ? grid()->position().row : -1;
        ui.enable(row >= 0 && row < grid()->rowCount());
    };
    const auto whenSkips = [this](CommandUI& ui) { ui.enable(!m_skipList.empty()); };
    // Next Diff and Prev diff are enabled by the document, which knows whether there are rows.
    onCommand(ID_NEXT_DIFF, [this] { nextDifference(); });
    onCommand(ID_PREV_DIFF, [this] { previousDifference(); });
    onCommand(ID_GOTO_LINE, [this] { goToLineAsked(); });
    onEnable(ID_GOTO_LINE, whenCurrentRow);
    onCommand(ID_FIND_WORD, [this] { findWordAtCaret(); });
    onCommand(ID_FIND_NEXT, [this] { findNext(); });
    onEnable(ID_FIND_NEXT, whenRows);
    onCommand(ID_NEXT_BOOKMARK, [this] { nextBookmark(m_services.isShiftDown()); });
    onEnable(ID_NEXT_BOOKMARK, whenRows);
    onCommand(ID_SWITCH_BOOKMARK, [this] {
        int toggle = kBookmarkToggle;
        m_doc.updateAllViews(nullptr, kHintBookmark, &toggle);
    });
    onEnable(ID_SWITCH_BOOKMARK, whenCurrentRow);
    onCommand(ID_ADD_SKIP, [this] { m_skipList.add(unsigned(grid()->position().row)); });
    onEnable(ID_ADD_SKIP, whenCurrentRow);
    onCommand(ID_FIRST_SKIP, [this] { goToSkip(m_skipList.first()); });
    onEnable(ID_FIRST_SKIP, whenSkips);
    onCommand(ID_NEXT_SKIP, [this] { goToSkip(m_skipList.next(unsigned(grid()->position().row))); });
    onEnable(ID_NEXT_SKIP, whenSkips);
    onCommand(ID_UNSKIP, [this] { unskip(); });
    onEnable(ID_UNSKIP, whenSkips);
    onCommand(IDCANCEL, [this] { cancel(); });
}

RowFinder CBivaloView::finder() const
{
    return RowFinder(m_doc.editPair(), side());
}

// --- differences and line numbers ---------------------------------------------------------

void CBivaloView::nextDifference()
{
    const int row = rowQueries().findDifference(grid()->position().row, true);
    if (row >= 0)
        goToRowWithMargin(row, true);
    else if (m_easyJoinDialog != nullptr)
        endEasyJoinPass();
}

void CBivaloView::previousDifference()
{
    const int row = rowQueries().findDifference(grid()->position().row, false);
    if (row >= 0)
        goToRowWithMargin(row, false);
}

void CBivaloView::endEasyJoinPass()
{
    framework::CommandUI ui(framework::IDOK);
    if (m_easyJoinDialog->runEnable(ui) && !ui.enabled())
        return;
    m_easyJoinDialog->runCommand(framework::IDOK);
}

void CBivaloView::goToLineAsked()
{
    const int row = grid()->position().row;
    if (row < 0 || row >= grid()->rowCount())
        return;
    if (const std::optional<int> n = frame().askLineNumber(std::max(1, rowQueries().lineNumberNear(row))))
        goToLine(*n);
}

void CBivaloView::goToLine(int n)
{
    if (const int row = rowQueries().rowOfLine(n); row >= 0)
        goToRowWithMargin(row, true);
}

// --- find -----------------------------------------------------------------------------------

void CBivaloView::findNext()
{
    // The rows are searched as stored: the line being typed is stored first.
    finishEditing();
    std::string text;
    if (frame().sendToFrame(framework::WM_GET_FIND_TEXT, 0, LParam(&text)) == 0)
        return;
    const FindPattern pattern(text);
    const RowFinder rows = finder();
    const int current = grid()->position().row;
    const int count = grid()->rowCount();
    const bool backwards = m_services.isShiftDown();
    int found = backwards ? rows.searchRows(pattern, current, 0, false) : rows.searchRows(pattern, current, count, true);
    if (found < 0) {
        // The wrap covers the rows not searched yet; going backwards the current row is not
        // one of them, going forwards it is.
        found = backwards ? rows.searchRows(pattern, count, current + 1, false)
                          : rows.searchRows(pattern, -1, current + 1, true);
        showWrapMessage(backwards ? kPassedBeginning : kPassedEnd);
    }
    if (found < 0) {
        char message[600];
        std::snprintf(message, sizeof message, kNotFoundFormat, text.c_str());
        m_services.messageBox(message, framework::MessageButtons::Ok, framework::MessageIcon::Warning);
        return;
    }
    goToRowWithMargin(found, true);
    if (!hasFocusWithin())
        grid()->setFocus(Qt::OtherFocusReason);
    selectInEditor(pattern);
}

void CBivaloView::showWrapMessage(const char* text)
{
    frame().showColoredMessage(text, kWrapMessageBackground, kWrapMessageText, kWrapMessageTenths);
}

void CBivaloView::selectInEditor(const FindPattern& pattern)
{
    auto* editor = qobject_cast<QLineEdit*>(grid()->activeEditor());
    if (editor == nullptr)
        return;
    const qsizetype at = pattern.indexIn(editor->text());
    if (at < 0)
        return;
    editor->setSelection(int(at), int(pattern.length()));
}

void CBivaloView::findWordAtCaret()
{
    QWidget* editor = grid()->activeEditor();
    if (editor == nullptr || !selectWordAtCaret(editor)) {
        frame().frameWindow().post(framework::WM_COMMAND, framework::ID_FIND_BOX, 0);
        return;
    }
    settings::appSettings().FindText = platform::storedText(qobject_cast<QLineEdit*>(editor)->selectedText());
    frame().sendToFrame(framework::WM_COMMAND, framework::ID_TAKE_FIND_TEXT, 0);
    findNext();
}

bool CBivaloView::selectWordAtCaret(QWidget* editorWindow)
{
    auto* editor = qobject_cast<QLineEdit*>(editorWindow);
    if (editor == nullptr)
        return false;
    if (editor->hasSelectedText())
        return true;
    const QString text = editor->text();
    const int caret = editor->cursorPosition();
    if (caret >= text.size() || !isWordCharacter(text[caret]))
        return false;
    int start = caret;
    while (start > 0 && isWordCharacter(text[start - 1]))
        --start;
    int end = caret + 1;
    while (end < text.size() && isWordCharacter(text[end]))
        ++end;
    editor->setSelection(start, end - start);
    return true;
}

// --- bookmarks ------------------------------------------------------------------------------

void CBivaloView::onHintBookmark(int what)
{
    if (what == kBookmarkToggle)
        toggleBookmark();
    else
        nextBookmark(m_services.isShiftDown());
}

void CBivaloView::toggleBookmark()
{
    const int row = grid()->position().row;
    if (row < 0 || row >= grid()->rowCount())
        return;
    grid()->setRowFlags(row, kBookmarkFlag, (grid()->rowFlags(row) & kBookmarkFlag) == 0);
    grid()->send(grid::TCM_INVALIDATEROW, WParam(row), 0);
}

void CBivaloView::nextBookmark(bool backwards)
{
    const grid::TCell& table = *grid();
    const int count = table.rowCount();
    if (count == 0)
        return;
    // An empty grid's position may name a row it no longer has.
    const int current = std::clamp(table.position().row, -1, count - 1);
    const auto marked = [&table](int row) { return (table.rowFlags(row) & kBookmarkFlag) != 0; };
    const auto firstMarked = [&marked](int from, int to, int step) {
        for (int row = from; step > 0 ? row < to : row > to; row += step)
            if (marked(row))
                return row;
        return -1;
    };
    int found = -1;
    if (!backwards) {
        found = firstMarked(current + 1, count, 1);
        if (found < 0 && current >= 0)
            found = firstMarked(0, current, 1);
    } else {
        found = firstMarked(current - 1, -1, -1);
        if (found < 0)
            found = firstMarked(count - 1, current, -1);
    }
    if (found >= 0)
        goToRowCentred(found);
}

// --- skips ----------------------------------------------------------------------------------

void CBivaloView::goToSkip(std::optional<unsigned> row)
{
    if (row)
        goToRowWithMargin(int(*row), true);
}

void CBivaloView::unskip()
{
    const SkipList::Removal removal = m_skipList.remove(unsigned(grid()->position().row));
    if (!removal.removed)
        return;
    if (m_skipList.empty()) {
        if (m_easyJoinDialog != nullptr)
            endEasyJoinPass();
        return;
    }
    goToSkip(removal.next);
}

// --- keys -----------------------------------------------------------------------------------

bool CBivaloView::preTranslateKey(int virtualKey, Qt::KeyboardModifiers modifiers)
{
    // Alt with an arrow is an accelerator (differences, copies) only while UseAlt is on;
    // with Ctrl or Shift as well it copies a line and always is.
    const bool altAlone = (modifiers & Qt::AltModifier) && !(modifiers & (Qt::ControlModifier | Qt::ShiftModifier));
    return altAlone && isArrowKey(virtualKey) && settings::appSettings().UseAlt == 0;
}

// The pane's key table; other keys are left to the grid. Enter, Ctrl+Y, Ctrl+F10 and
// Ctrl+Tab in an editable pane belong to row editing.
bool CBivaloView::onKeyOffer(int virtualKey)
{
    const bool ctrl = m_services.isControlDown();
    switch (virtualKey) {
    case platform::VK_TAB:
        if (ctrl && IsEditable()) {
            insertTabBlanks();
            return true;
        }
        m_doc.updateAllViews(this, framework::kHintActivatePane);
        return true;
    case platform::VK_RETURN:
        // Only Ctrl+Enter comes here: the grid keeps plain Enter for moving down.
        if (!IsEditable())
            return false;
        insertLine();
        return true;
    // Ctrl+F10 alone never comes here: it is the alternate tool's accelerator.
    case platform::VK_Y:
    case platform::VK_F10:
        if (!ctrl)
            return false;
        deleteLine(m_services.isShiftDown());
        return true;
    case platform::VK_PRIOR:
    case platform::VK_NEXT:
    case platform::VK_HOME:
    case platform::VK_END:
        return ctrl && ctrlPageKey(virtualKey);
    case platform::VK_F2: {
        int what = ctrl ? kBookmarkToggle : kBookmarkNext;
        // The other pane moves to the bookmark and brings this one along.
        m_doc.updateAllViews(ctrl ? nullptr : this, framework::kHintBookmark, &what);
        return true;
    }
    case platform::VK_F3:
        ctrl ? findWordAtCaret() : findNext();
        return true;
    default:
        return false;
    }
}

bool CBivaloView::ctrlPageKey(int virtualKey)
{
    grid::TCell& table = *grid();
    const grid::TCellPosition& position = table.position();
    int row = 0;
    switch (virtualKey) {
    case platform::VK_PRIOR:
        row = position.firstRow;
        break;
    case platform::VK_NEXT:
        // When every row fits, the last visible row is the space below the last row.
        if (position.firstRow < 0 || position.lastRow < position.firstRow)
            return true;
        row = std::min(position.lastRow, table.rowCount() - 1);
        break;
    case platform::VK_END:
        row = table.rowCount() - 1;
        break;
    default:
        break;
    }
    table.send(grid::TCM_SETCURCELL, WParam(std::max(position.column, 0)), std::max(row, 0));
    return true;
}

void CBivaloView::cancel()
{
    if (!hasFocusWithin()) {
        grid()->setFocus(Qt::OtherFocusReason);
        return;
    }
    frame().frameWindow().post(framework::WM_CLOSE, 0, 0);
}

} // namespace panes
