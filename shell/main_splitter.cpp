#include "shell/main_splitter.h"

#include <QMouseEvent>
#include <QSplitterHandle>

namespace {

class ResettingHandle : public QSplitterHandle {
public:
    ResettingHandle(Qt::Orientation orientation, CMainSplitter* splitter)
        : QSplitterHandle(orientation, splitter), m_splitter(splitter) {}

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_splitter->resetColumns(m_splitter->window()->width());
    }

private:
    CMainSplitter* m_splitter;
};

} // namespace

CMainSplitter::CMainSplitter(QWidget* parent) : QSplitter(Qt::Horizontal, parent)
{
    setChildrenCollapsible(false);
    setHandleWidth(4);
}

void CMainSplitter::resetColumns(int width)
{
    if (width < 1 || count() < 3)
        return;
    widget(0)->setMinimumWidth(kStripMinimum);
    widget(1)->setMinimumWidth(kPaneMinimum);
    widget(2)->setMinimumWidth(kPaneMinimum);
    // Whatever the split bars leave over goes to the two panes alike, never to the strip.
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    setStretchFactor(2, 1);
    const int pane = width / 2 - 25;
    setSizes({kStripWidth, pane, pane});
}

QSplitterHandle* CMainSplitter::createHandle()
{
    return new ResettingHandle(orientation(), this);
}
