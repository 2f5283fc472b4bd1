#include "shell/filter_editor.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "grid/cell_messages.h"
#include "grid/cell_table_box.h"
#include "grid/table_box_host.h"
#include "grid/table_box_messages.h"
#include "platform/window_messages.h"
#include "settings/filter_list.h"
#include "shell/app_resources.h"

using framework::LParam;
using framework::LResult;
using framework::MessageId;
using framework::WParam;

namespace {

constexpr int kNameField = 0;
constexpr int kMaskField = 1;

} // namespace

CFilterEditor::CFilterEditor(settings::FilterList& filters, QWidget* parent)
    : QDialog(parent)
    , m_filters(filters)
{
    setWindowTitle(QString::fromLatin1(kCaption));
    m_add = iconButton(shell::kAddFilterIcon, "Add");
    m_delete = iconButton(shell::kDeleteFilterIcon, "Delete");
    m_up = iconButton(shell::kFilterUpIcon, "Up");
    m_down = iconButton(shell::kFilterDownIcon, "Down");
    connect(m_add, &QPushButton::clicked, this, &CFilterEditor::addFilter);
    connect(m_delete, &QPushButton::clicked, this, &CFilterEditor::deleteFilter);
    connect(m_up, &QPushButton::clicked, this, &CFilterEditor::moveUp);
    connect(m_down, &QPushButton::clicked, this, &CFilterEditor::moveDown);

    m_host = new grid::TableBoxHost(*this, [this](MessageId message, WParam wParam, LParam lParam) {
        return onGridRequest(message, wParam, lParam);
    });
    m_grid = m_host->createBox(this, kGridId);
    // In pixels: a proportional font's widest character would make character widths huge.
    m_grid->addField({.caption = "Name", .width = kNameWidth, .widthInPixels = true});
    m_grid->addField({.caption = "Masks", .width = kMasksWidth, .widthInPixels = true});
    m_grid->setUp(m_filters.size(), 0, kWidthKey);
    m_grid->setEditEnabled(true);
    m_grid->setOption(grid::TCellTableBox::kOptionRowMoves, true);

    auto* buttons = new QDialogButtonBox(this);
    m_close = buttons->addButton(tr("Close"), QDialogButtonBox::AcceptRole);
    m_close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    auto* label = new QLabel(tr("&Filters:"), this);
    label->setBuddy(m_grid);
    top->addWidget(label);
    top->addStretch();
    top->setSpacing(2);
    for (QPushButton* button : {m_add, m_delete, m_up, m_down})
        top->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addWidget(buttons);
    resize(440, 300);

    setTabOrder(m_grid, m_add);
    setTabOrder(m_add, m_delete);
    setTabOrder(m_delete, m_up);
    setTabOrder(m_up, m_down);
    setTabOrder(m_down, m_close);
    m_grid->setFocus();
    updateButtons();
}

CFilterEditor::~CFilterEditor()
{
    // The grid keeps its widths as it goes and asks the editor until then.
    delete m_grid;
    delete m_host;
}

QPushButton* CFilterEditor::iconButton(int iconId, const char* toolTip)
{
    auto* button = new QPushButton(this);
    button->setIcon(shell::dialogIcon(iconId));
    button->setToolTip(tr(toolTip));
    button->setAccessibleName(tr(toolTip));
    button->setAutoDefault(false);
    button->setFixedSize(26, 24);
    return button;
}

void CFilterEditor::done(int result)
{
    // An edit still in its cell is kept at Close; Escape drops it.
    m_grid->endEdit(result == QDialog::Accepted);
    QDialog::done(result);
}

LResult CFilterEditor::onGridRequest(MessageId message, WParam wParam, LParam lParam)
{
    switch (message) {
    case grid::TBM_GETVALUE: return cellValue(lParam);
    case grid::TBM_SETVALUE: return storeValue(lParam);
    case grid::TBM_EDITKIND: return grid::kEditText;
    case grid::TBM_EDITEVENT: return 0;
    case grid::TBM_MOVEROW: moveFilter(int(LParam(wParam)), int(lParam)); return 0;
    case platform::WM_COMMAND: {
        const int code = grid::commandCode(wParam);
        if (code == grid::TBN_SELCHANGE || code == grid::TBN_CURROWCHANGED)
            updateButtons();
        return 0;
    }
    default: return 0;
    }
}

LResult CFilterEditor::cellValue(LParam cell) const
{
    const int row = grid::packedRow(cell);
    if (row >= m_filters.size())
        return 0;
    const settings::FileFilter& filter = m_filters.at(row);
    switch (grid::packedField(cell)) {
    case kNameField: return LResult(filter.name().c_str());
    case kMaskField: return LResult(filter.maskText().c_str());
    default: return 0;
    }
}

LResult CFilterEditor::storeValue(LParam record)
{
    const auto* value = reinterpret_cast<const grid::TableValue*>(record);
    if (value->row < 0 || value->row >= m_filters.size())
        return 0;
    settings::FileFilter& filter = m_filters.at(value->row);
    const std::string text = value->value.text ? value->value.text : "";
    if (value->field == kNameField)
        filter.setName(text);
    else if (value->field == kMaskField)
        filter.setMaskText(text);
    else
        return 0;
    return 1;
}

int CFilterEditor::currentRow() const
{
    const int row = m_grid->position().row;
    return row >= 0 && row < m_filters.size() ? row : -1;
}

void CFilterEditor::setCurrentRow(int row)
{
    m_grid->send(grid::TCM_SETCURCELL, WParam(std::max(m_grid->position().column, 0)), row);
    m_grid->invalidateAll();
}

void CFilterEditor::addFilter()
{
    m_filters.append(settings::FileFilter());
    m_grid->endEdit(true);
    m_grid->setRowCount(m_filters.size());
    setCurrentRow(m_filters.size() - 1);
    updateButtons();
}

void CFilterEditor::deleteFilter()
{
    const int row = currentRow();
    if (row < 0)
        return;
    m_grid->endEdit(false);
    m_filters.removeAt(row);
    m_grid->setRowCount(m_filters.size());
    m_grid->invalidateAll();
    updateButtons();
}

void CFilterEditor::moveFilter(int destination, int source)
{
    m_grid->endEdit(true);
    const int moved = m_filters.move(destination, source);
    if (moved >= 0)
        setCurrentRow(moved);
}

void CFilterEditor::moveUp()
{
    const int row = currentRow();
    if (m_filters.size() < 2 || row < 0)
        return;
    moveFilter(row - 1, row);
}

void CFilterEditor::moveDown()
{
    const int row = currentRow();
    const int count = m_filters.size();
    if (count < 2 || row < 0)
        return;
    moveFilter(row + 2 == count ? -1 : row + 2, row);
}

void CFilterEditor::updateButtons()
{
    const bool any = m_filters.size() > 0;
    m_delete->setEnabled(any);
    m_up->setEnabled(any);
    m_down->setEnabled(any);
}
