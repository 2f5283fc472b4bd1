#include "shell/colors_page.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <initializer_list>

#include "grid/cell_messages.h"
#include "grid/cell_records.h"
#include "grid/cell_table_box.h"
#include "grid/table_box_host.h"
#include "grid/table_box_records.h"
#include "platform/window_messages.h"
#include "settings/color_table.h"
#include "shell/color_combo.h"

using framework::LParam;
using framework::LResult;
using framework::MessageId;
using framework::WParam;

namespace {

constexpr int kExampleId = 1001;
constexpr int kSourceColumn = 0;
constexpr int kBackgroundColumn = 1;
constexpr int kTargetColumn = 2;

struct ColorItem {
    const char* name;
    int item;
};
constexpr ColorItem kItemTable[] = {
    {"Same Text", 0},         {"Same Background", 10},     {"Source Only Text", 1},
    {"Source Only Background", 11}, {"Target Only Text", 2}, {"Target Only Background", 12},
    {"Changed Text", 3},      {"Changed Background", 13},  {"Edited Text", 4},
    {"Edited Background", 14},
};

// The example's texts by column and state; null where a cell stays empty.
constexpr const char* kSourceTexts[CColorsPage::kStates] = {"same", "source", nullptr, "changed", "dirty"};
constexpr const char* kTargetTexts[CColorsPage::kStates] = {"same", nullptr, "target", "changed", "dirty"};

const char* exampleText(int column, int row)
{
    if (row < 0 || row >= CColorsPage::kStates)
        return nullptr;
    if (column == kSourceColumn)
        return kSourceTexts[row];
    if (column == kTargetColumn)
        return kTargetTexts[row];
    return nullptr;
}

} // namespace

CColorsPage::CColorsPage(framework::Services& services, QDialog& dialog, QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(tr("Colors"));
    takeColorTable();

    m_items = new QComboBox(this);
    for (const ColorItem& entry : kItemTable)
        m_items->addItem(tr(entry.name), entry.item);
    m_colorBox = new CColorCombo(services, {.white = true, .anyColor = true}, this);
    m_defaults = new QPushButton(tr("&Defaults"), this);
    m_defaults->setAutoDefault(false);

    m_host = new grid::TableBoxHost(dialog, [this](MessageId message, WParam wParam, LParam lParam) {
        return onExampleRequest(message, wParam, lParam);
    });
    m_example = m_host->createBox(this, kExampleId, grid::TCS_NOTIFY);
    for (const char* caption : std::initializer_list<const char*>{"Src", "Bk", "Dst"})
        m_example->addField({.caption = caption, .editable = false, .width = 8});
    m_example->setUp(kStates, 0);
    m_example->setEditEnabled(false);
    m_example->modifyStyle(platform::WS_HSCROLL | platform::WS_VSCROLL, 0);
    fitExample();

    auto* itemLabel = new QLabel(tr("&Item:"), this);
    itemLabel->setBuddy(m_items);
    auto* colorLabel = new QLabel(tr("&Color:"), this);
    colorLabel->setBuddy(m_colorBox);
    auto* exampleLabel = new QLabel(tr("Example:"), this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(itemLabel, 0, 0);
    layout->addWidget(m_items, 0, 1);
    layout->addWidget(colorLabel, 1, 0);
    layout->addWidget(m_colorBox, 1, 1);
    layout->addWidget(exampleLabel, 2, 0, Qt::AlignTop);
    layout->addWidget(m_example, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_defaults, 3, 1, Qt::AlignLeft);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(4, 1);

    connect(m_items, &QComboBox::currentIndexChanged, this, &CColorsPage::showItemColor);
    connect(m_colorBox, &CColorCombo::colorChosen, this, &CColorsPage::onColorChosen);
    connect(m_defaults, &QPushButton::clicked, this, &CColorsPage::restoreDefaults);
    m_items->setCurrentIndex(0);
    showItemColor();
}

CColorsPage::~CColorsPage()
{
    // The example asks the page until it is gone.
    delete m_example;
    delete m_host;
}

void CColorsPage::takeColorTable()
{
    const settings::CColorTable& table = settings::colorTable();
    for (int state = 0; state < kStates; ++state) {
        m_text[std::size_t(state)] = table.textFor(state, 0);
        m_background[std::size_t(state)] = table.backgroundFor(state, 0);
    }
}

void CColorsPage::apply()
{
    settings::CColorTable& table = settings::colorTable();
    for (int state = 0; state < kStates; ++state) {
        table.text[2 * state] = m_text[std::size_t(state)];
        table.background[2 * state] = m_background[std::size_t(state)];
    }
}

void CColorsPage::restoreDefaults()
{
    settings::colorTable().reset();
    takeColorTable();
    showItemColor();
    m_example->invalidateAll();
}

int CColorsPage::currentItem() const
{
    return m_items->currentData().toInt();
}

void CColorsPage::selectItem(int item)
{
    m_items->setCurrentIndex(m_items->findData(item));
}

framework::ColorRef CColorsPage::colorOf(int item) const
{
    return item >= kBackgroundItem ? m_background[std::size_t(item - kBackgroundItem)] : m_text[std::size_t(item)];
}

void CColorsPage::showItemColor()
{
    m_colorBox->setValue(CColorCombo::Value(colorOf(currentItem())));
}

void CColorsPage::onColorChosen()
{
    const int item = currentItem();
    const auto color = framework::ColorRef(m_colorBox->value());
    if (item >= kBackgroundItem)
        m_background[std::size_t(item - kBackgroundItem)] = color;
    else
        m_text[std::size_t(item)] = color;
    m_example->invalidateAll();
}

void CColorsPage::onCellChosen(int column, int row)
{
    if (row < 0 || row >= kStates)
        return;
    const bool textCell = (column == kSourceColumn || column == kTargetColumn) && exampleText(column, row);
    selectItem(textCell ? row : kBackgroundItem + row);
}

LResult CColorsPage::onExampleRequest(MessageId message, WParam wParam, LParam lParam)
{
    switch (message) {
    case grid::TBM_GETVALUE:
        return LResult(exampleText(grid::packedField(lParam), grid::packedRow(lParam)));
    case grid::TBM_EDITKIND: return grid::kEditNone;
    case grid::TBM_CELLCOLOR: {
        const int row = grid::packedRow(LParam(wParam));
        if (row >= kStates)
            return 0;
        auto* request = reinterpret_cast<grid::TableColorRequest*>(lParam);
        request->color = request->text ? m_text[std::size_t(row)] : m_background[std::size_t(row)];
        return 1;
    }
    case grid::TCN_NOTIFY: {
        const auto* record = reinterpret_cast<const grid::TCellNotify*>(lParam);
        if (record->code == grid::TCN_POSCHANGED)
            onCellChosen(record->position.column, record->position.row);
        return 0;
    }
    default: return 0;
    }
}

void CColorsPage::fitExample()
{
    int width = 0;
    for (int column = 0; column < m_example->columnCount(); ++column)
        width += m_example->columnWidth(column);
    int height = 0;
    for (int row = 0; row < m_example->rowCount(); ++row)
        height += m_example->rowHeight(row);
    const QRect client = m_example->clientArea();
    m_example->setFixedSize(client.left() + width + 2, client.top() + height + 2);
}
