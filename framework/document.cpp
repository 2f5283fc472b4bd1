#include "framework/document.h"

#include <algorithm>
#include <cassert>

namespace framework {

void Document::addView(View* view)
{
    assert(view != nullptr);
    assert(std::find(m_views.begin(), m_views.end(), view) == m_views.end());
    m_views.push_back(view);
}

void Document::removeView(View* view)
{
    std::erase(m_views, view);
}

void Document::updateAllViews(View* sender, int hint, void* object)
{
    // A copy: a view may add or remove views while it handles the hint.
    const std::vector<View*> views = m_views;
    for (View* view : views) {
        if (view != sender && std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->onUpdate(sender, hint, object);
    }
}

} // namespace framework
