#pragma once

#include <vector>

#include "framework/view.h"

namespace framework {

// A document with its views and the modified flag of the framework's document.
class Document {
public:
    virtual ~Document() = default;

    void addView(View* view);
    void removeView(View* view);
    const std::vector<View*>& views() const { return m_views; }

    // Every view except the sender receives the hint, in the order the views were added.
    void updateAllViews(View* sender, int hint = 0, void* object = nullptr);

    virtual bool isModified() const { return m_modified; }
    virtual void setModifiedFlag(bool modified) { m_modified = modified; }
    // Asks the user about unsaved changes; false when the user cancels.
    virtual bool saveModified() { return true; }
    virtual bool canCloseFrame() { return saveModified(); }
    virtual void onIdle() {}

private:
    std::vector<View*> m_views;
    bool m_modified = false;
};

} // namespace framework
