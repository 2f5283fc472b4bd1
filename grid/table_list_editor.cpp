#include "grid/table_list_editor.h"

#include <QComboBox>
#include <QFontMetrics>

#include "grid/cell_table_box.h"
#include "grid/table_list_delegate.h"
#include "platform/color_ref.h"
#include "platform/display_text.h"
#include "platform/painter.h"
#include "platform/window_messages.h"

namespace grid {

namespace {

constexpr int kItemPadding = 4;
constexpr int kTextInset = 4;

} // namespace

TableListEditor::TableListEditor(TCellTableBox& box)
    : m_box(box), m_list(new QComboBox(&box))
{
    m_list->setObjectName(QString::number(kControlId));
    m_items = new TableListDelegate(box, *m_list);
    m_list->setItemDelegate(m_items);
    m_list->hide();
}

void TableListEditor::open(int field)
{
    const int row = m_box.position().row;
    const WParam id = WParam(m_box.controlId());
    TableValue begin;
    begin.field = field;
    begin.row = row;
    begin.editor = m_list;
    begin.state = TableValue::ListEditBegins;
    m_box.request(TBM_EDITEVENT, id, addressParam(&begin));
    const ValueType type = m_box.field(field).type;
    LResult stored = m_box.request(TBM_GETVALUE, id, packCell(field, row));
    if (stored && isIntegerType(type))
        m_list->setCurrentIndex(readInteger(type, reinterpret_cast<const void*>(stored)));
    m_byParent = m_box.editKind(field, row) == kEditByParent;
    const QRect cell = m_box.cellRect(m_box.position().column, row);
    m_list->setGeometry(QRect(m_box.clientToWidget(cell.topLeft()), cell.size()));
    m_items->measure();
    m_field = field;
    m_list->show();
    m_list->setFocus(Qt::OtherFocusReason);
}

void TableListEditor::popUp()
{
    m_list->showPopup();
}

void TableListEditor::close(bool save)
{
    TableValue value;
    value.field = m_field;
    value.row = m_box.position().row;
    value.editor = m_list;
    if (save && m_list->currentIndex() >= 0) {
        m_text = platform::storedText(m_list->currentText());
        if (m_box.field(m_field).type == ValueType::Text)
            value.value.text = m_text.c_str();
        else
            value.value.int32 = m_list->currentIndex();
        if (m_box.request(TBM_SETVALUE, WParam(m_box.controlId()), addressParam(&value)) != 0)
            m_box.invalidateAll();
    }
    value.state = TableValue::ListEditEnds;
    m_box.request(TBM_EDITEVENT, WParam(m_box.controlId()), addressParam(&value));
    m_list->hide();
}

LResult TableListEditor::item(framework::MessageId message, WParam wParam, LParam lParam)
{
    if (m_byParent && m_box.request(message, wParam, lParam) != 0)
        return 1;
    if (message != platform::WM_MEASUREITEM)
        return drawItem(lParam);
    auto* item = reinterpret_cast<TableListMeasureItem*>(lParam);
    item->itemHeight = std::uint32_t(QFontMetrics(m_list->font()).height() + kItemPadding);
    return 1;
}

LResult TableListEditor::drawItem(LParam lParam)
{
    auto* item = reinterpret_cast<TableListDrawItem*>(lParam);
    const bool selected = item->state & platform::ODS_SELECTED;
    const QPalette& palette = m_list->palette();
    const QRect rect(item->rect.left, item->rect.top, item->rect.right - item->rect.left,
                     item->rect.bottom - item->rect.top);
    item->painter->fillRect(rect, platform::toColorRef(palette.color(selected ? QPalette::Highlight : QPalette::Base)));
    item->painter->setFont(m_list->font());
    item->painter->setTextColor(
        platform::toColorRef(palette.color(selected ? QPalette::HighlightedText : QPalette::Text)));
    item->painter->drawText(rect.adjusted(kTextInset, 0, -kTextInset, 0), m_list->itemText(item->itemId),
                            platform::DT_SINGLELINE | platform::DT_VCENTER | platform::DT_NOPREFIX);
    return 1;
}

} // namespace grid
