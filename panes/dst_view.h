#pragma once

#include "panes/bivalo_view.h"

namespace panes {

// The target (right) file pane. It alone shows a vertical scroll bar, which scrolls both
// panes through synchronisation; after a comparison it goes to the first difference or
// says that there is none.
class CDstView : public CBivaloView {
public:
    using CBivaloView::CBivaloView;

protected:
    int side() const override { return core::kTargetSide; }

    // Hints this pane handles otherwise than the source pane.
    void onHintCompared() override;                          // then to the first difference, or "identical"
    void onHintActivateSource() override {}                  // the source pane takes it
    void onHintSetFont(const framework::LogFont& font) override;    // then the strip's visible rows
    // Hints only this pane acts on, so each happens once.
    void onHintGoToRow(int row) override;                    // the strip's click, centred
    void onHintFillFont(framework::LogFont& font) override;  // the panes' font
    void onHintStoreRow(int& row) override;                  // the current row, before a rescan
    void onHintRestoreRow(int row) override;                 // back to it after the rescan
    // After a line copy: one row down when that row still differs; moved is set to 1 then.
    void onHintMoveToNextDiffRow(int& moved) override;
};

} // namespace panes
