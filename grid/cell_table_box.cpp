#include "grid/cell_table_box.h"

#include <QComboBox>
#include <QHelpEvent>
#include <QToolTip>
#include <algorithm>
#include <cstring>

#include "framework/profile.h"
#include "grid/cell_edit.h"
#include "grid/stored_widths.h"
#include "platform/display_positions.h"
#include "platform/display_text.h"
#include "platform/painter.h"
#include "platform/window_messages.h"

namespace grid {

namespace {

constexpr std::uint32_t kBoxStyle = platform::WS_VISIBLE | platform::WS_BORDER | platform::WS_VSCROLL |
                                    platform::WS_HSCROLL | TCS_SHIFTSELECT | TCS_COLSIZE | TCS_FIXEDBAND |
                                    TCS_HEADER | TCS_EDITABLE | TCS_VGRID | TCS_HGRID;
// Creation style bits; the notify bit is passed on as it is.
constexpr std::uint32_t kCreateNotify = TCS_NOTIFY;
constexpr std::uint32_t kCreatePlainSelect = 0x0008;
constexpr std::uint32_t kCreateHidden = 0x0010;
constexpr int kDataFont = 1;
constexpr int kFixedFont = 3;
constexpr int kRowHeaderWidth = 25;
constexpr std::size_t kWidthTextLimit = 3999;

} // namespace

TCellTableBox::TCellTableBox(QWidget* parent)
    : TCell(parent)
{
    const framework::LogFont first = font(0).logFont();
    for (int i = 0; i < 3; ++i)
        addFont(first);
}

TCellTableBox::~TCellTableBox()
{
    saveWidths();
}

std::uint32_t TCellTableBox::windowStyleFor(std::uint32_t creationStyle)
{
    std::uint32_t style = kBoxStyle | (creationStyle & kCreateNotify);
    if (creationStyle & kCreatePlainSelect)
        style |= TCS_PLAINSELECT;
    if (creationStyle & kCreateHidden)
        style &= ~platform::WS_VISIBLE;
    return style;
}

bool TCellTableBox::createBox(QWidget* parent, const QRect& rect, int controlId, std::uint32_t creationStyle)
{
    return create(parent, rect, windowStyleFor(creationStyle), controlId);
}

TCellTableBox* TCellTableBox::createInDialog(QWidget* parent, const QRect& rect, int controlId,
                                             std::uint32_t creationStyle)
{
    auto* box = new TCellTableBox(parent);
    box->m_options |= kOptionDialog;
    if (!box->createBox(parent, rect, controlId, creationStyle)) {
        delete box;
        return nullptr;
    }
    return box;
}

// --- fields -------------------------------------------------------------------------------

int TCellTableBox::addField(const TableFieldSpec& spec)
{
    TableField field;
    field.caption = spec.caption;
    field.type = spec.type;
    field.flags = spec.editable ? (spec.flags & ~kFieldReadOnly) : (spec.flags | kFieldReadOnly);
    bool fixed = (field.flags & kFieldFixed) != 0;
    field.font = spec.font ? addFont(*spec.font) : (fixed ? kFixedFont : kDataFont);
    const int index = fieldCount();
    m_fields.push_back(field);

    TCellColumn record = columnFor(spec, field.font);
    if (!fixed && toParent(TBM_EDITKIND, WParam(controlId()), packCell(index, 0)) == kEditByOwner)
        record.ownerEditor = 1;
    if (fixed) {
        if (insertFixedColumns(-1, &record, 1))
            m_fixedColumnFields.push_back(index);
    } else {
        TCellColumnList list{1, &record};
        const int before = columnCount();
        if (TCell::windowProc(TCM_INSERTCOLS, WParam(-1), addressParam(&list)))
            m_columnFields.insert(m_columnFields.begin() + std::min<int>(before, int(m_columnFields.size())), index);
    }
    return index;
}

TCellColumn TCellTableBox::columnFor(const TableFieldSpec& spec, int font) const
{
    TCellColumn record;
    std::strncpy(record.headerText, spec.caption.c_str(), TCellColumn::kHeaderTextSize - 1);
    record.headerText[TCellColumn::kHeaderTextSize - 1] = '\0';
    record.ownerDrawn = spec.type == ValueType::None || spec.type == ValueType::Int32d;
    record.readOnly = spec.editable ? 0 : 1;
    record.ownerEditor = (spec.flags & kFieldOwnerEditor) ? 1 : 0;
    record.font = font;
    if (spec.width <= 0) {
        record.widthChars = 10;
    } else if (spec.widthInPixels) {
        record.width = spec.width;
    } else {
        record.widthChars = spec.width;
    }
    return record;
}

bool TCellTableBox::setFieldMask(int field, const std::string& mask, const std::string& fill)
{
    if (field < 0 || field >= fieldCount())
        return false;
    m_fields[std::size_t(field)].mask = mask.substr(0, 40);
    m_fields[std::size_t(field)].fill = fill.substr(0, 40);
    return true;
}

int TCellTableBox::fieldOfColumn(int column) const
{
    return column >= 0 && column < int(m_columnFields.size()) ? m_columnFields[std::size_t(column)] : -1;
}

int TCellTableBox::fieldOfFixedColumn(int fixedColumn) const
{
    return fixedColumn >= 0 && fixedColumn < int(m_fixedColumnFields.size())
        ? m_fixedColumnFields[std::size_t(fixedColumn)] : -1;
}

// --- set up -------------------------------------------------------------------------------

void TCellTableBox::setUp(int rows, int mode, const std::string& widthKey, const std::string& section,
                          const std::string& settingsFile)
{
    setRowCount(rows);
    if (!widthKey.empty() && columnCount() >= 1) {
        m_widthKey = widthKey + "_Widths";
        m_widthSection = section.empty() ? "Desktop" : section;
        m_widthFile = settingsFile;
        restoreWidths();
    }
    if (!m_listEditor) {
        m_listEditor = std::make_unique<TableListEditor>(*this);
        connect(m_listEditor->widget(), &QComboBox::activated, this, [this] { closeList(true); });
    }
    if (mode == 2 || mode == 4)
        modifyStyle(0, TCS_PLAINSELECT);
    if (mode == 2 && fixedColumnCount() == 0) {
        TCellColumn header;
        header.isStatic = 1;
        header.image = 1;
        header.width = kRowHeaderWidth;
        header.headerText[0] = '\0';
        if (insertFixedColumns(-1, &header, 1))
            m_fixedColumnFields.push_back(-1);
    }
    if (rows > 0)
        commandToParent(TBN_CURROWCHANGED);
}

void TCellTableBox::setRowCount(int rows)
{
    const int current = rowCount();
    if (rows > current)
        send(TCM_INSERTROWS, WParam(current), rows - current);
    else if (rows < current)
        send(TCM_DELETEROWS, WParam(rows), current - rows);
}

void TCellTableBox::setOption(std::uint32_t option, bool on)
{
    switch (option) {
    case kSwitchNoHeader:
        modifyStyle(on ? TCS_HEADER : 0, on ? 0 : TCS_HEADER);
        return;
    case kSwitchRowDrag:
        m_clickDrags = on;
        return;
    default:
        m_options = on ? (m_options | option) : (m_options & ~option);
    }
}

// --- stored widths ------------------------------------------------------------------------

std::string TCellTableBox::widthsFile() const
{
    return m_widthFile.empty() ? framework::settingsFilePath() : m_widthFile;
}

void TCellTableBox::restoreWidths()
{
    std::string text = framework::readProfileString(widthsFile(), m_widthSection, m_widthKey, "");
    if (text.size() > kWidthTextLimit)
        text.resize(kWidthTextLimit);
    std::optional<std::vector<int>> widths = parseStoredWidths(text);
    if (!widths || int(widths->size()) < columnCount())
        return;
    for (int column = 0; column < columnCount(); ++column)
        setColumnWidthQuietly(column, (*widths)[std::size_t(column)]);
    m_options |= kOptionWidthsRestored;
}

void TCellTableBox::saveWidths()
{
    if (!keepsWidths() || columnCount() < 1 || m_widthsSaved)
        return;
    m_widthsSaved = true;
    std::vector<int> widths;
    for (int column = 0; column < columnCount(); ++column)
        widths.push_back(columnWidth(column));
    framework::writeProfileString(widthsFile(), m_widthSection, m_widthKey, formatStoredWidths(widths));
}

// --- the parent ---------------------------------------------------------------------------

LResult TCellTableBox::toParent(framework::MessageId message, WParam wParam, LParam lParam)
{
    return request(message, wParam, lParam);
}

void TCellTableBox::commandToParent(int code)
{
    toParent(platform::WM_COMMAND, commandParam(controlId(), code), addressParam(this));
}

LResult TCellTableBox::editKind(int field, int row)
{
    return toParent(TBM_EDITKIND, WParam(controlId()), packCell(field, row));
}

// --- cells --------------------------------------------------------------------------------

bool TCellTableBox::cellText(int column, int row, std::string& text)
{
    const int index = fieldOfColumn(column);
    if (index < 0)
        return TCell::cellText(column, row, text);
    const ValueType type = field(index).type;
    if (type == ValueType::None)
        return false;
    LResult stored = toParent(TBM_GETVALUE, WParam(controlId()), packCell(index, row));
    if (stored == 0)
        return false;
    text = formatValue(type, reinterpret_cast<const void*>(stored));
    return true;
}

bool TCellTableBox::fixedCellText(int fixedColumn, int row, std::string& text)
{
    const int index = fieldOfFixedColumn(fixedColumn);
    if (index < 0)
        return TCell::fixedCellText(fixedColumn, row, text);
    LResult stored = toParent(TBM_GETVALUE, WParam(controlId()), packCell(index, row));
    if (stored == 0)
        return false;
    text = formatValue(field(index).type, reinterpret_cast<const void*>(stored));
    return true;
}

bool TCellTableBox::ownerColor(int column, int row, bool text, ColorRef& color)
{
    if (row < 0 || row >= rowCount())
        return false;
    TableColorRequest colorRequest;
    colorRequest.text = text ? 1 : 0;
    const int index = std::max(fieldOfColumn(column), 0);
    if (toParent(TBM_CELLCOLOR, WParam(packCell(index, row)), addressParam(&colorRequest)) == 0)
        return false;
    color = colorRequest.color;
    return true;
}

ColorRef TCellTableBox::cellBackColor(int column, int row)
{
    ColorRef color = 0;
    return ownerColor(column, row, false, color) ? color : TCell::cellBackColor(column, row);
}

ColorRef TCellTableBox::cellTextColor(int column, int row)
{
    ColorRef color = 0;
    return ownerColor(column, row, true, color) ? color : TCell::cellTextColor(column, row);
}

void TCellTableBox::paintTextMarks(platform::Painter& painter, int column, int row, const QRect& cell,
                                   const QRect& textArea, const std::string& text, const CSFont& font)
{
    if (row < 0 || row >= rowCount())
        return;
    TableCellMarks marks;
    const int index = std::max(fieldOfColumn(column), 0);
    if (toParent(TBM_CELLMARKS, WParam(packCell(index, row)), addressParam(&marks)) == 0 || marks.count <= 0)
        return;
    const platform::DisplayPositions positions(text, font.font());
    for (int k = 0; k < marks.count; ++k) {
        const int left = textArea.left() + positions.x(marks.marks[k].start);
        const int right = textArea.left() + positions.x(marks.marks[k].end);
        painter.fillRect(QRect(left, cell.top(), right - left, cell.height()), marks.color);
    }
}

// A typed text becomes a value of the field's type and goes to the parent. A text that
// does not read as the type, or a -2 from the parent, keeps the editor on the cell.
bool TCellTableBox::storeCellText(int column, int row, const std::string& text)
{
    const int index = fieldOfColumn(column);
    if (index < 0)
        return TCell::storeCellText(column, row, text);
    m_cellText = text;
    TableValue value;
    value.field = index;
    value.row = row;
    value.editor = activeEditor();
    if (!parseValue(field(index).type, m_cellText, value))
        return false;
    LResult answer = toParent(TBM_SETVALUE, WParam(controlId()), addressParam(&value));
    if (answer == kVeto)
        return false;
    if (answer != 0) {
        send(TCM_UPDATECELL, WParam(column), row);
        TableCellChange change{column, row, index};
        toParent(TBM_CELLCHANGED, WParam(controlId()), addressParam(&change));
        commandToParent(TBN_CELLEDITED);
    }
    return true;
}

void TCellTableBox::setEditMode(EditMode mode)
{
    if (m_editMode == mode)
        return;
    m_editMode = mode;
    send(TCM_REDRAWFIXEDROW, WParam(position().row), 0);
}

// A list is open, or the editor holds a text not yet stored.
bool TCellTableBox::holdsChange() const
{
    if (m_editMode == EditMode::List)
        return true;
    const auto* editor = qobject_cast<const CCellEdit*>(activeEditor());
    return m_editMode == EditMode::Edit && editor && editor->isModified();
}

LResult TCellTableBox::onEditChange(WParam wParam, LParam lParam)
{
    send(TCM_REDRAWFIXEDROW, WParam(position().row), 0);
    return TCell::onEditChange(wParam, lParam);
}

bool TCellTableBox::fixedCellImage(int fixedColumn, int row, CellImage& image)
{
    if (fieldOfFixedColumn(fixedColumn) >= 0)
        return TCell::fixedCellImage(fixedColumn, row, image);
    if (row == position().row && rowEmphasis()) {
        image = {0, holdsChange() ? CellImages::kEditedRow : CellImages::kCurrentRow};
        return true;
    }
    if (rowFlags(row) & kRowMarked) {
        image = {0, CellImages::kMarkedRow};
        return true;
    }
    return false;
}

bool TCellTableBox::acceptsEditor(int column, int row)
{
    const int index = fieldOfColumn(column);
    if (index < 0)
        return true;
    const std::uint32_t flags = field(index).flags;
    if ((flags & kFieldList) && !(flags & kFieldNoList))
        return false;
    LResult kind = editKind(index, row);
    return kind == kEditText || kind == kEditByOwner;
}

bool TCellTableBox::cellMask(int column, int row, std::string& mask, std::string& fill)
{
    const int index = fieldOfColumn(column);
    if (index < 0)
        return TCell::cellMask(column, row, mask, fill);
    if (field(index).flags & kFieldMaskFromParent) {
        TableMaskRequest maskRequest{index, row, {}, {}};
        send(TBM_FIELDMASK, WParam(controlId()), addressParam(&maskRequest));
        mask = maskRequest.mask;
        fill = maskRequest.fill;
    } else {
        mask = field(index).mask;
        fill = field(index).fill;
    }
    return !mask.empty();
}

void TCellTableBox::onPositionApplied(const TCellPosition& previous)
{
    TCell::onPositionApplied(previous);
    if (m_editMode == EditMode::List)
        closeList(true);
    if (previous.row != position().row)
        commandToParent(TBN_CURROWCHANGED);
}

// --- messages -----------------------------------------------------------------------------

LResult TCellTableBox::windowProc(framework::MessageId message, WParam wParam, LParam lParam)
{
    switch (message) {
    case TCM_EDITKEYDOWN:
        return editorKeyDown(int(wParam));
    case TCM_EDITKEYUP:
        m_keyFromEditor = 0;
        return 0;
    case platform::WM_MEASUREITEM:
    case platform::WM_DRAWITEM:
        if (!m_listEditor || wParam != WParam(TableListEditor::kControlId))
            return TCell::windowProc(message, wParam, lParam);
        return m_listEditor->item(message, wParam, lParam);
    case TCM_EDITMOUSE:
    case TBM_FIELDMASK:
        return toParent(message, wParam, lParam);
    case TCM_INSERTCOLS: {
        const int before = columnCount();
        LResult result = TCell::windowProc(message, wParam, lParam);
        const int index = int(framework::LParam(wParam)) < 0 ? before : std::min(int(wParam), before);
        m_columnFields.insert(m_columnFields.begin() + std::min<int>(index, int(m_columnFields.size())),
                              std::size_t(columnCount() - before), -1);
        return result;
    }
    case TCM_DELETECOLS: {
        const int before = columnCount();
        LResult result = TCell::windowProc(message, wParam, lParam);
        const int first = std::clamp(int(wParam), 0, int(m_columnFields.size()));
        const int removed = std::min<int>(before - columnCount(), int(m_columnFields.size()) - first);
        m_columnFields.erase(m_columnFields.begin() + first, m_columnFields.begin() + first + removed);
        return result;
    }
    default:
        return TCell::windowProc(message, wParam, lParam);
    }
}

LResult TCellTableBox::onEditDblClk(WParam wParam, LParam lParam)
{
    if (toParent(TBM_EDITORDBLCLK, 0, lParam) != 0)
        return kVeto;
    return TCell::onEditDblClk(wParam, lParam);
}

LResult TCellTableBox::onEditSetFocus(WParam wParam, LParam lParam)
{
    if (m_editMode == EditMode::None)
        setEditMode(EditMode::Edit);
    return TCell::onEditSetFocus(wParam, lParam);
}

LResult TCellTableBox::onEditKillFocus(WParam wParam, LParam lParam)
{
    if (m_editMode == EditMode::Edit)
        setEditMode(EditMode::None);
    return TCell::onEditKillFocus(wParam, lParam);
}

bool TCellTableBox::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return TCell::event(event);
    return showToolTip(*static_cast<QHelpEvent*>(event));
}

bool TCellTableBox::showToolTip(const QHelpEvent& help)
{
    const QRect data = clientArea();
    const QPoint point = help.pos();
    int row = -1;
    int column = -1;
    if (data.contains(point)) {
        row = geometry().rows.indexAt(point.y() - data.top() + position().originY);
        column = geometry().columns.indexAt(point.x() - data.left() + position().originX);
    } else if (point.y() < data.top() && point.x() >= data.left()) {
        column = geometry().columns.indexAt(point.x() - data.left() + position().originX);
    } else {
        return true;
    }
    const int index = std::max(fieldOfColumn(column), 0);
    const LParam cell = packCell(index, row < 0 ? kHeaderRow : row);
    LResult text = toParent(TBM_TOOLTIP, WParam(controlId()), cell);
    if (text)
        QToolTip::showText(help.globalPos(), platform::displayText(reinterpret_cast<const char*>(text)), this);
    else
        QToolTip::hideText();
    return true;
}

// --- list editor --------------------------------------------------------------------------

QComboBox* TCellTableBox::listEditor(int id) const
{
    return m_listEditor && id == TableListEditor::kControlId ? m_listEditor->widget() : nullptr;
}

bool TCellTableBox::openList(int field)
{
    if (!m_listEditor)
        return false;
    m_listEditor->open(field);
    setEditMode(EditMode::List);
    m_listEditor->popUp();
    return true;
}

void TCellTableBox::closeList(bool save)
{
    if (m_editMode != EditMode::List)
        return;
    setEditMode(EditMode::None);
    m_listEditor->close(save);
    setFocus(Qt::OtherFocusReason);
}

} // namespace grid
