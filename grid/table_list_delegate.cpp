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
    : QStyledItemDelegate(&list), box_(box), list_(list)
{
}

void TableListDelegate::measure()
{
    TableListMeasureItem item;
    item.controlId = list_.objectName().toInt();
    item.itemWidth = std::uint32_t(list_.width());
    item.itemData = list_.count() > 0 ? LParam(list_.itemData(0).toLongLong()) : 0;
    box_.send(platform::WM_MEASUREITEM, WParam(item.controlId), reinterpret_cast<LParam>(&item));
    itemHeight_ = int(item.itemHeight);
}

QSize TableListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (itemHeight_ > 0)
        size.setHeight(itemHeight_);
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
        item.controlId = list_.objectName().toInt();
        item.itemId = index.row();
        item.state = ((option.state & QStyle::State_Selected) ? platform::ODS_SELECTED : 0) |
                     ((option.state & QStyle::State_HasFocus) ? platform::ODS_FOCUS : 0);
        item.window = &list_;
        item.painter = &itemPainter;
        item.rect = {0, 0, option.rect.width(), option.rect.height()};
        item.itemData = itemDataOf(index);
        box_.send(platform::WM_DRAWITEM, WParam(item.controlId), reinterpret_cast<LParam>(&item));
    }
    painter->drawPixmap(option.rect.topLeft(), picture);
}

} // namespace grid
