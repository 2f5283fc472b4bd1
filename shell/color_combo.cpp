#include "shell/color_combo.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include "platform/color_ref.h"
#include "shell/app_resources.h"

namespace {

constexpr framework::ColorRef kFixed[CColorCombo::kFixedColors] = {
    0x000000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0x0080FF, 0xFF00FF, 0xF0C8A4,
    0xFF8080, 0xC0DCC0, 0x8080FF, 0xFF80FF, 0x000080, 0x008080, 0x808000, 0x008000, 0x800080, 0x800000,
};
constexpr int kValueRole = Qt::UserRole;
constexpr framework::ColorRef kWhite = 0xFFFFFF;

// One entry: a swatch of its colour, the picture of the choose-any-colour entry before it,
// or the text of an entry that stands for no colour of its own.
void paintEntry(QPainter& painter, const QRect& rect, const QModelIndex& index)
{
    const int value = index.data(kValueRole).toInt();
    QRect swatch = rect.adjusted(2, 2, -2, -2);
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    if (!icon.isNull()) {
        const int side = swatch.height();
        icon.paint(&painter, QRect(swatch.topLeft(), QSize(side, side)));
        swatch.setLeft(swatch.left() + side + 3);
    }
    if (value < 0) {
        painter.drawText(swatch, Qt::AlignVCenter | Qt::AlignLeft, index.data(Qt::DisplayRole).toString());
        return;
    }
    painter.fillRect(swatch, platform::toQColor(framework::ColorRef(value)));
    painter.setPen(Qt::darkGray);
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

class SwatchDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        if (option.state & QStyle::State_Selected) {
            painter->fillRect(option.rect, option.palette.highlight());
            painter->setPen(option.palette.highlightedText().color());
        }
        paintEntry(*painter, option.rect.adjusted(1, 1, -1, -1), index);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        // The font's character height less 2, and room for the swatch's frame and margin.
        size.setHeight(option.fontMetrics.height() - 2 + 6);
        return size;
    }
};

} // namespace

CColorCombo::CColorCombo(framework::Services& services, const Entries& entries, QWidget* parent)
    : QComboBox(parent)
    , m_services(services)
{
    setItemDelegate(new SwatchDelegate(this));
    for (framework::ColorRef color : kFixed)
        addItem({}, Value(color));
    if (entries.defaultColor)
        addItem(tr("Default"), kDefaultColor);
    if (entries.customName)
        addItem(tr(entries.customName), kCustomColor);
    if (entries.white)
        addItem({}, Value(kWhite));
    if (entries.anyColor) {
        m_anyColor = count();
        addItem({}, Value(kWhite));
        setItemIcon(m_anyColor, shell::dialogIcon(shell::kAnyColorBitmap));
        setItemData(m_anyColor, tr("Other colour..."), Qt::ToolTipRole);
    }
    setMinimumWidth(110);
    connect(this, &QComboBox::activated, this, &CColorCombo::onActivated);
}

CColorCombo::Value CColorCombo::valueAt(int index) const
{
    return itemData(index, kValueRole).toInt();
}

CColorCombo::Value CColorCombo::value() const
{
    return currentIndex() < 0 ? kDefaultColor : valueAt(currentIndex());
}

void CColorCombo::setValue(Value value)
{
    if (m_anyColor >= 0 && value >= 0)
        setItemData(m_anyColor, value, kValueRole);
    const int index = findData(value, kValueRole);
    setCurrentIndex(index);
    update();
}

void CColorCombo::showPopup()
{
    m_remembered = currentIndex();
    QComboBox::showPopup();
}

void CColorCombo::keyPressEvent(QKeyEvent* event)
{
    m_movingClosed = true;
    QComboBox::keyPressEvent(event);
    m_movingClosed = false;
}

void CColorCombo::wheelEvent(QWheelEvent* event)
{
    m_movingClosed = true;
    QComboBox::wheelEvent(event);
    m_movingClosed = false;
}

void CColorCombo::onActivated(int index)
{
    if (index != m_anyColor || m_movingClosed) {
        emit colorChosen();
        return;
    }
    const int previous = m_remembered >= 0 ? m_remembered : index;
    const Value start = valueAt(previous);
    framework::ColorRef color = start >= 0 ? framework::ColorRef(start) : kWhite;
    if (!m_services.chooseColor(color)) {
        setCurrentIndex(previous);
        return;
    }
    setItemData(m_anyColor, Value(color & 0xFFFFFF), kValueRole);
    update();
    emit colorChosen();
}

void CColorCombo::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0)
        return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.setPen(palette().color(QPalette::Text));
    paintEntry(painter, field, model()->index(currentIndex(), modelColumn(), rootModelIndex()));
}
