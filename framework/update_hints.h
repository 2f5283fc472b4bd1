#pragma once

// Update hints passed from the document to its views (and between views through the document).
// The numbers are the protocol between the document, the panes and the overview strip.
//
// Who sends each hint and who acts on it. "Panes" are both file panes (CBivaloView, whose
// onUpdate hands hint X to onHintX, and CDstView, which replaces some of those); "target" is
// CDstView alone; "strip" is CDiffPreview. A sender that is a view never receives its own hint.
//
// hint              object           sent by                            acted on by: what it does
// 1  Compared        -                doc: a comparison is loaded        panes: row count, caption;
//                                                                        target: first difference, or
//                                                                        "Files are identical!"; strip: map
// 3  SyncScroll      TCell* sender    pane: its grid moved or scrolled   other pane: copies the scroll state
// 4  VisibleRows     VisibleRows      pane, with SyncScroll              strip: marks the visible rows
// 5  ActivatePane    -                pane: Tab                          other pane: becomes active
// 8  GoToRow         int row          strip: a click                     target: makes the row current, centred
// 9  ActivateSource  -                doc after Compared; strip: click   source pane: becomes active
// 10 OverwriteState  bool             active pane: frame's INS toggle    panes: in-cell editor mode
// 11 CopyLine        CopyRequest      doc: copy command; pane: drop      the pane copied into: copies the line
// 12 CopyDifference  CopyRequest      doc: copy command; pane: drop      the pane copied into: the difference
// 13 FillFont        LogFont to fill  doc: before the font dialog        target: fills in the panes' font
// 14 SetFont         LogFont          doc: font chosen or saved font     panes: new font and row heights;
//                                                                        target: then sends VisibleRows
// 15 OptionsChanged  -                doc: after the options sheet       panes: colours, row height; strip
// 16 DragHitTest     DragHit          pane: while dragging               other pane: hit when a row is there
// 18 StoreRow        int slot         doc: before a rescan               target: stores its current row
// 19 RestoreRow      int slot         doc: after a rescan                target: back to that row
// 20 Undone          UndoneRow        doc: after an undo                 the undone side's pane: row, focus
// 21 RowsChanged     -                doc: undo, Hidden; pane: edits     panes: row count and redraw
// 22 EasyJoin        dialog or null   main frame: EasyJoin starts, ends  panes: first difference, colours
// 23 InsertRow       RowChange        doc: undo; pane: edit, paste       panes: insert grid rows
// 24 RemoveRow       RowChange        doc: undo; pane: edit              panes: remove grid rows
// 25 Idle            -                doc: idle time                     panes: editor selection wins
// 26 ClearSelection  -                pane: after a paste                panes: unselect rows
// 27 FinishEditing   -                doc, pane: before any edit, save   panes: store the in-cell edit
// 28 Bookmark        int 0 / 1        pane: F2, bookmark command         panes: 0 toggles, 1 goes to the next
// 29 MoveToNextDiffRow int moved      doc: after a line copy             target: one row down when it differs
// 30 ModifiedChanged -                doc: edit, undo, save              panes: caption
// 31 Rescanned       -                doc: after a rescan                panes: drop the in-cell edit
// 32 Resync          -                doc: synchronised scroll back on   panes: send their scroll state
// 33 ChangedEdits    ChangedEdits     doc: whether a side can be saved   panes: mark their side when the
//                                                                        open in-cell edit changed the row
namespace framework {

enum : int {
    kHintCompared = 1,
    kHintSyncScroll = 3,
    kHintVisibleRows,
    kHintActivatePane,
    kHintGoToRow = 8,
    kHintActivateSource,
    kHintOverwriteState,
    kHintCopyLine,
    kHintCopyDifference,
    kHintFillFont,
    kHintSetFont,
    kHintOptionsChanged,
    kHintDragHitTest,
    kHintStoreRow = 18,
    kHintRestoreRow,
    kHintUndone,
    kHintRowsChanged,
    kHintEasyJoin,
    kHintInsertRow,
    kHintRemoveRow,
    kHintIdle,
    kHintClearSelection,
    kHintFinishEditing,
    kHintBookmark,
    kHintMoveToNextDiffRow,
    kHintModifiedChanged,
    kHintRescanned,
    kHintResync,
    kHintChangedEdits,
};
static_assert(kHintActivatePane == 5 && kHintDragHitTest == 16 && kHintResync == 32 && kHintChangedEdits == 33);

} // namespace framework
