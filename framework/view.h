#pragma once

namespace framework {

// One view of a document. The document tells its views about changes only through
// onUpdate; a view reads the document to draw.
class View {
public:
    virtual ~View() = default;
    // sender is the view that asked for the update (never this view), or null.
    virtual void onUpdate(View* sender, int hint, void* object) = 0;
};

} // namespace framework
