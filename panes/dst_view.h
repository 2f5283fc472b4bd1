#pragma once

#include "panes/bivalo_view.h"

namespace panes {

// The target (right) file pane. It alone shows a vertical scroll bar, which scrolls both
// panes through synchronisation; after a comparison it goes to the first difference or
// says that there is none.
class CDstView : public CBivaloView {
public:
    using CBivaloView::CBivaloView;

    void AttachSide() override;
    bool IsOtherSideEditable() override;
    bool IsEditable() override;

    void onUpdate(framework::View* sender, int hint, void* object) override;

protected:
    int side() const override { return core::kDestinationSide; }

private:
    void afterComparison();
    // After a line copy: one row down when that row still differs; moved is set to 1 then.
    void moveToNextDifferenceRow(int& moved);
};

} // namespace panes
