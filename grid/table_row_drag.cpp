#include "grid/table_row_drag.h"

#include <QApplication>
#include <algorithm>

#include "grid/cell_table_box.h"
#include "platform/window_messages.h"

namespace grid {

namespace {

LParam packedPoint(const QPoint& screen)
{
    return platform::makeLParam(screen.y(), screen.x());
}

} // namespace

void TableRowDrag::start()
{
    m_dragging = true;
    m_box.setCapture();
}

void TableRowDrag::arm(const QPoint& point)
{
    const int row = m_box.position().row;
    const int field = std::max(m_box.fieldOfColumn(m_box.position().column), 0);
    const LParam where = platform::makeLParam(field, row);
    m_armed = m_box.request(TBM_CANDRAG, WParam(m_box.controlId()), where) != 0;
    m_start = point;
}

bool TableRowDrag::moveTo(const QPoint& point)
{
    if (m_armed && (point - m_start).manhattanLength() >= QApplication::startDragDistance()) {
        m_armed = false;
        start();
    }
    if (!m_dragging)
        return false;
    tellParent(TBM_DRAGOVER, point);
    return true;
}

bool TableRowDrag::dropAt(const QPoint& point)
{
    if (!m_dragging) {
        m_armed = false;
        return false;
    }
    tellParent(TBM_DROP, point);
    end();
    return true;
}

void TableRowDrag::end()
{
    m_armed = false;
    if (m_dragging) {
        m_dragging = false;
        m_box.releaseCapture();
    }
}

void TableRowDrag::tellParent(framework::MessageId message, const QPoint& point)
{
    m_box.request(message, WParam(m_box.controlId()), packedPoint(m_box.mapToGlobal(m_box.clientToWidget(point))));
}

} // namespace grid
