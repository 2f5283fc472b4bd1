#pragma once

#include <QStyledItemDelegate>

class QComboBox;

namespace grid {

class TCellTableBox;

// The owner-drawn items of a table box's list editor: every item is measured and painted
// by the table box's draw-item and measure-item messages, so that the box (or, for cells
// the parent edits itself, the parent) decides how an item looks. The items share one
// height, measured when the list opens.
class TableListDelegate : public QStyledItemDelegate {
public:
    TableListDelegate(TCellTableBox& box, QComboBox& list);

    // Asks the height of the items anew.
    void measure();
    int itemHeight() const { return m_itemHeight; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TCellTableBox& m_box;
    QComboBox& m_list;
    int m_itemHeight = 0;
};

} // namespace grid
