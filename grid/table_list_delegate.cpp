#include "grid/table_list_delegate.h"

#include <QComboBox>
#include <QPainter>
#include <QPixmap>
#include <cmath>

#include "grid/cell_table_box.h"
#include "platform/painter.h"

namespace grid {

namespace {

LParam itemDataOf(const QModelIndex& index)
{
    return LParam(index.data(Qt::UserRole).toLongLong());
}

} // namespace

TableListDelegate::TableListDelegate(TCellTableBox& box, QComboBox& list)
    : QStyledItemDelegate(&list), m_box(box), m_list(list)
{
}

void TableListDelegate::measure()
{
    TableListMeasureItem item;
    item.controlId = m_list.objectName().toInt();
    item.itemWidth = std::uint32_t(m_list.width());
    item.itemData = m_list.count() > 0 ? LParam(m_list.itemData(0).toLongLong()) : 0;
    m_box.send(platform::WM_MEASUREITEM, WParam(item.controlId), reinterpret_cast<LParam>(&item));
    m_itemHeight = int(item.itemHeight);
}

QSize TableListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (m_itemHeight > 0)
        size.setHeight(m_itemHeight);
    return size;
}

// The item is painted off screen with the program's painter, then put in place.
void TableListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap picture(QSize(int(std::ceil(option.rect.width() * ratio)), int(std::ceil(option.rect.height() * ratio))));
    picture.setDevicePixelRatio(ratio);
    picture.fill(option.palette.color(QPalette::Base));
    {
        platform::Painter itemPainter(&picture);
        TableListDrawItem item;
        item.controlId = m_list.objectName().toInt();
        item.itemId = index.row();
        item.state = ((option.state & QStyle::State_Selected) ? platform::ODS_SELECTED : 0) |
                     ((option.state & QStyle::State_HasFocus) ? platform::ODS_FOCUS : 0);
        item.window = &m_list;
        item.painter = &itemPainter;
        item.rect = {0, 0, option.rect.width(), option.rect.height()};
        item.itemData = itemDataOf(index);
        m_box.send(platform::WM_DRAWITEM, WParam(item.controlId), reinterpret_cast<LParam>(&item));
    }
    painter->drawPixmap(option.rect.topLeft(), picture);
}

} // namespace grid
