#pragma once

// Update hints passed from the document to its views (and between views through the document).
// The numbers are the protocol between the document, the panes and the overview strip.
namespace framework {

constexpr int kHintCompared = 1;            // a comparison finished: take rowCount and contents
constexpr int kHintSyncScroll = 3;          // object: the sender's grid
constexpr int kHintVisibleRows = 4;         // object: first and last visible rows
constexpr int kHintActivatePane = 5;
constexpr int kHintGoToRow = 8;             // object: int row
constexpr int kHintActivateSource = 9;      // right after kHintCompared
constexpr int kHintOverwriteState = 10;     // object: the overwrite flag
constexpr int kHintCopyLine = 11;           // object: CopyRequest
constexpr int kHintCopyDifference = 12;     // object: CopyRequest
constexpr int kHintFillFont = 13;           // object: LogFont to fill with the panes' font
constexpr int kHintSetFont = 14;            // object: the new LogFont
constexpr int kHintOptionsChanged = 15;
constexpr int kHintDragHitTest = 16;        // object: hit-test record
constexpr int kHintStoreRow = 18;           // object: int slot for the current row
constexpr int kHintRestoreRow = 19;         // object: the same slot
constexpr int kHintUndone = 20;             // object: UndoneRow; that side's pane makes the row current
constexpr int kHintRowsChanged = 21;        // reload the row count and redraw
constexpr int kHintEasyJoin = 22;           // object: the EasyJoin dialog, or null when it ends
constexpr int kHintInsertRow = 23;          // object: row insert record
constexpr int kHintRemoveRow = 24;          // object: row delete record
constexpr int kHintIdle = 25;
constexpr int kHintClearSelection = 26;     // after a paste
constexpr int kHintFinishEditing = 27;      // commit any in-cell edit
constexpr int kHintBookmark = 28;           // object: 0 toggle, 1 next
constexpr int kHintMoveToNextDiffRow = 29;  // object: int flag, set to 1 by the pane that moved
constexpr int kHintModifiedChanged = 30;    // refresh titles and file information
constexpr int kHintRescanned = 31;
constexpr int kHintResync = 32;             // syncScroll switched back on

} // namespace framework
