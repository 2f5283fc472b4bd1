#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/bivalo_doc.h"
#include "core/changed_edits.h"
#include "core/copy_request.h"
#include "core/inline_change_cache.h"
#include "core/line_counts.h"
#include "core/line_file.h"
#include "core/row_change.h"
#include "core/row_editor.h"
#include "core/row_map.h"
#include "core/row_queries.h"
#include "core/undone_row.h"
#include "framework/command_target.h"
#include "framework/services.h"
#include "panes/row_finder.h"
#include "panes/skip_list.h"
#include "panes/table_view.h"

namespace panes {

struct DragHit;

// The source (left) file pane: one grid row per aligned row of the document, coloured by
// line state, a caption strip with the file name and line number above the grid, and
// scrolling kept in step with the other pane. CDstView, the target pane, derives from it.
class CBivaloView : public CTableView {
public:
    static constexpr const char* kFilesIdentical = "Files are identical!";
    static constexpr const char* kBlanksOnly = "Different in blanks only!";
    static constexpr const char* kVirtualRowText = "----";
    static constexpr const char* kCaptionFormat = "%s %s : %d";
    static constexpr const char* kCaptionWithoutLineFormat = "%s %s";
    static constexpr const char* kModifiedFormat = "Modified: %s, Size: %d";
    static constexpr const char* kPassedEnd = "Passed the end of the file";
    static constexpr const char* kPassedBeginning = "Passed the beginning of the file";
    static constexpr const char* kNotFoundFormat = "String '%s' not found!";
    static constexpr framework::ColorRef kWrapMessageBackground = 0x800000;
    static constexpr framework::ColorRef kWrapMessageText = 0xFFFFFF;
    static constexpr int kWrapMessageTenths = 20;
    // Rows kept between a row reached by a move and the page's edge it travels to.
    static constexpr int kMoveMargin = 5;
    static constexpr std::uint8_t kBookmarkFlag = 0x10;
    static constexpr int kColumnWidth = 2000;    // the narrowest the text column gets
    static constexpr const char* kSaveAsTitle = "Save %s as";
    static constexpr const char* kSaveAsTarget = "Save as Target";
    static constexpr const char* kSaveAsSource = "Save as Source";

    CBivaloView(core::CBivaloDoc& document, ViewFrame& frame, framework::Services& services);

    // Takes this side's file and rows, and the grid style of this side.
    void AttachSide();
    bool IsOtherSideEditable();
    bool IsEditable() override;

    void InitTable() override;
    void CreateTable() override;
    const char* GetCellText(int row, int column) override;
    bool OnCellChanged(grid::TableCellChange* change) override;
    framework::LResult GetCellEditKind(int row, int column) override;
    bool OnCellCommand(grid::TableValue* value) override;
    // The grid stores an edited cell: a new edited line for the row, undoable.
    bool SetCellText(grid::TableValue* value) override;

    // Edits that the pane's keys call.
    void insertLine();                  // an empty line above the current one
    void deleteLine(bool wholeRow);     // the current line; the whole row from both panes
    void insertTabBlanks();             // the tab's blanks at the caret of the in-cell editor

    void onUpdate(framework::View* sender, int hint, void* object) override;
    void onActivateView(bool activate) override;
    bool preTranslateKey(int virtualKey, Qt::KeyboardModifiers modifiers) override;

    core::CBivaloDoc& doc() const { return m_doc; }
    const std::string& captionText() const { return m_captionText; }
    // The encoding and line ends of the file, shown at the caption's right end; empty
    // before a load.
    std::string captionFormText() const;
    int captionHeight() const;
    QRect gridRect() const override;
    // The caption's tip: the file's time and size; empty when it can't be read.
    std::string fileInfoText() const;
    // A row where this side has no line or its line is not Same.
    bool isDifferenceRow(int row) const;
    // The first row of the first difference block; -1 when there is none.
    int firstDifference() const;
    // Makes the row current (a negative row is taken as 0) with half a page above it, then
    // brings the other pane and the strip along.
    void goToRowCentred(int row);
    // The text column's width: at least kColumnWidth and wide enough for the longest line
    // of either file, so both panes have the same width and every character can be
    // scrolled to.
    int columnWidth() const;

    // Makes the row current; when it lies closer than the margin to the page's edge in the
    // direction of travel, the page is centred on it. Then the other pane and the strip follow.
    void goToRowWithMargin(int row, bool forwards);

    // --- navigation, find, bookmarks, skips --------------------------------------------
    void nextDifference();
    void previousDifference();
    // Line number n as the Go to line dialog gives it.
    void goToLine(int n);
    void findNext();
    void findWordAtCaret();
    void toggleBookmark();
    void nextBookmark(bool backwards);
    const SkipList& skipList() const { return m_skipList; }

protected:
    virtual int side() const { return core::kSourceSide; }
    const core::LineFile& file() const { return *m_file; }
    const core::RowMap& rows() const { return *m_rows; }
    framework::Services& services() const { return m_services; }

    bool cellColor(int row, grid::TableColorRequest& request) override;
    bool cellMarks(int row, grid::TableCellMarks& marks) override;
    const char* cellTip(int row) override;
    void onCurrentRowChanged() override;
    framework::LResult onGridNotify(const grid::TCellNotify& notify) override;
    bool onKeyOffer(int virtualKey) override;
    framework::LResult windowProc(framework::MessageId message, framework::WParam wParam,
                                  framework::LParam lParam) override;
    void onSize(int width, int height) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

    void updateCaption();
    void sendScrollState(bool withVisibleRows);
    void scrollThenSynchronise(const grid::TCellNotify& notify);
    void applyColumnWidth();
    // A painted row whose line is longer than any seen so far widens the column soon after.
    void widenForLines(const core::LineRecord* source, const core::LineRecord* target);
    void setCellFont(const framework::LogFont& font);
    void selectAlongWithShift();
    bool anyRowSelected() const;
    void refreshRows();

    // Editing (bivalo_view_editing.cpp).
    void addEditingCommands();
    void addCopyEnables();
    core::RowEditor rowEditor() const { return core::RowEditor(m_doc.editPair(), side()); }
    core::RowQueries rowQueries() const;
    int lineNumberOf(int row);
    bool currentRowDiffers() const;
    void switchEditMode();
    void switchReadOnly(int side);
    void switchIgnoreBlanks();
    void offerRescan();
    // Every edit starts from what the user has typed, stored.
    void finishEditing();
    // The in-cell editor is open and its text differs from the row's: storing it is a change.
    bool hasChangedEdit() const;
    // The line row shows on this side; null for a filler or no row.
    const core::LineRecord* lineAtRow(int row) const;
    void showEdit(const core::RowEditResult& result);
    framework::LResult canDrag(framework::LParam where);
    void dragOver(framework::LParam packedScreenPoint);
    void drop(framework::LParam packedScreenPoint);
    bool otherPaneHit(framework::LParam packedScreenPoint);
    bool hasRowAt(const QPoint& screenPoint) const;
    void restoreDragCursor();

    // Clipboard and saving (bivalo_view_clipboard.cpp).
    void addClipboardCommands();
    void addSaveCommands();
    std::vector<int> selectedRows() const;
    void copyRows();
    void copyDifference();
    void cutRows();
    void paste();
    void pasteSelection();
    // Clipboard text of whole lines: rows above the current one, or over it in overwrite mode.
    void pasteLines(const std::string& text);
    void saveAs();

    // Navigation (pane_navigation.cpp).
    void addNavigationCommands();
    RowFinder finder() const;
    void goToLineAsked();
    bool ctrlPageKey(int virtualKey);
    void cancel();
    // Ends a pass of EasyJoin: its dialog gets the OK command.
    void endEasyJoinPass();
    void goToSkip(std::optional<unsigned> row);
    void unskip();
    void showWrapMessage(const char* text);
    void selectInEditor(const FindPattern& pattern);
    // Selects the word at the editor's caret when nothing is selected; whether the editor
    // holds a selection then.
    bool selectWordAtCaret(QWidget* editorWindow);

    // --- hints (bivalo_view_hints.cpp): onUpdate hands each hint to one of these; the table
    // of hints is in framework/update_hints.h.
    // The virtual ones are those CDstView replaces; the source pane ignores the empty ones.
    virtual void onHintCompared();                          // take the row count, contents, caption
    void onHintSyncScroll(grid::TCell* sender);             // copy the sender's scroll state
    void onHintActivatePane();                              // become the active view
    virtual void onHintGoToRow(int) {}
    virtual void onHintActivateSource();                    // as kHintActivatePane
    void onHintOverwriteState(bool on);
    void onHintCopy(const core::CopyRequest& request);      // both copy hints; only the side copied into acts
    virtual void onHintFillFont(framework::LogFont&) {}
    virtual void onHintSetFont(const framework::LogFont& font);
    void onHintOptionsChanged();                            // colours and row height
    void onHintDragHitTest(DragHit& hit);                   // hit when a row lies under the point
    virtual void onHintStoreRow(int&) {}
    virtual void onHintRestoreRow(int) {}
    void onHintUndone(const core::UndoneRow& undone);       // only the undone side acts
    void onHintRowsChanged();
    void onHintEasyJoin(framework::CommandTarget* dialog);  // to the first difference; skips cleared
    void onHintRowChange(int hint, const core::RowChange& change);    // insert and remove rows
    // A text selection in the in-cell editor wins over a row selection.
    void onHintIdle();
    void onHintClearSelection();
    void onHintFinishEditing();                             // store the in-cell edit
    void onHintBookmark(int what);                          // toggle, or go to the next bookmark
    virtual void onHintMoveToNextDiffRow(int&) {}
    void onHintModifiedChanged();                           // the caption
    void onHintRescanned();                                 // drop the in-cell edit
    void onHintResync();                                    // send this pane's scroll state
    void onHintChangedEdits(core::ChangedEdits& edits);     // mark this side for a changed edit

    enum class RowPlacement { Centred, MarginForwards, MarginBackwards };
    void goToRow(int row, RowPlacement placement);

    // Fields, in the order of the pane's record.
    int m_previousRow = -1;
    const core::LineFile* m_file = nullptr;
    const core::RowMap* m_rows = nullptr;
    bool m_syncGuard = false;
    framework::CommandTarget* m_easyJoinDialog = nullptr;
    const framework::LogFont* m_captionFont = nullptr;
    SkipList m_skipList;
    std::string m_captionText;

private:
    core::CBivaloDoc& m_doc;
    framework::Services& m_services;
    std::string m_cellText;    // keeps the answered text alive
    std::vector<grid::CellMark> m_cellMarks;    // likewise the answered marks
    core::InlineChangeCache m_inlineChanges;
    std::size_t m_longestLine = 0;    // in bytes, of both files
    core::LineCounts m_lineCounts;    // for the caption's line number
    std::string m_tipText;
    bool m_dragCursorSet = false;
};

} // namespace panes
