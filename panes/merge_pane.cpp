#include "panes/merge_pane.h"

#include <QStyle>

#include "framework/merge_command_ids.h"
#include "framework/update_hints.h"
#include "grid/cell_messages.h"
#include "panes/diff_block_map.h"
#include "panes/pane_table.h"
#include "panes/view_frame.h"
#include "panes/visible_rows.h"
#include "platform/color_ref.h"
#include "platform/font_conversion.h"
#include "platform/painter.h"
#include "platform/window_messages.h"
#include "settings/app_settings.h"
#include "settings/color_contrast.h"
#include "settings/color_table.h"

namespace panes {

using framework::LResult;
using framework::WParam;
using core::MergeChoice;
using core::MergeRowKind;

namespace {

const char* columnName(core::MergePane column)
{
    switch (column) {
    case core::MergePane::Local:
        return "LOCAL";
    case core::MergePane::Result:
        return "RESULT";
    case core::MergePane::Remote:
        return "REMOTE";
    case core::MergePane::Base:
        break;
    }
    return "BASE";
}

// Halfway between two colours, channel by channel.
framework::ColorRef blend(framework::ColorRef a, framework::ColorRef b)
{
    framework::ColorRef mixed = 0;
    for (int shift = 0; shift < 24; shift += 8)
        mixed |= ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift;
    return mixed;
}

// A row kind's colour from the compare window's colour table: one side's change as that
// side's only lines, a change both made alike as a blend of the two, an open conflict as a
// changed line and a chunk the user resolved as an edited line.
framework::ColorRef kindColor(MergeRowKind kind, bool text)
{
    const settings::CColorTable& colors = settings::colorTable();
    const auto color = [&](core::LineState state) {
        return text ? colors.textFor(int(state), 0) : colors.backgroundFor(int(state), 0);
    };
    switch (kind) {
    case MergeRowKind::Unchanged:
        return color(core::LineState::Same);
    case MergeRowKind::LocalOnly:
        return color(core::LineState::SourceOnly);
    case MergeRowKind::RemoteOnly:
        return color(core::LineState::TargetOnly);
    case MergeRowKind::BothSame:
        return text ? color(core::LineState::SourceOnly)
                    : blend(color(core::LineState::SourceOnly), color(core::LineState::TargetOnly));
    case MergeRowKind::Conflict:
        return color(core::LineState::Changed);
    case MergeRowKind::Resolved:
        break;
    }
    return color(core::LineState::Edited);
}

} // namespace

CMergePane::CMergePane(core::CMergeDoc& document, ViewFrame& frame, core::MergePane column)
    : CTableView(document, frame), m_doc(document), m_column(column)
{
    addMergeCommands();
}

void CMergePane::CreateTable()
{
    adoptGrid(std::make_unique<CPaneTable>());
}

void CMergePane::InitTable()
{
    grid::TCellTableBox& table = *grid();
    table.setUpdatesEnabled(false);
    setUpTextColumn(table, m_doc.rowCount(), kColumnWidth);
    const settings::AppSettings& options = settings::appSettings();
    table.replaceFont(1, options.FontValid ? options.Font : platform::desktopFixedFont());
    table.send(grid::TCM_SETROWHEIGHT, WParam(-1), -1);
    // REMOTE, the right-hand column, alone shows a vertical scroll bar, which scrolls them all.
    const bool scrollBar = m_column == core::MergePane::Remote;
    table.modifyStyle(CPaneTable::kRemovedGridStyle | (scrollBar ? 0 : platform::WS_VSCROLL),
                      platform::WS_HSCROLL | grid::TCS_NOTIFY | (scrollBar ? platform::WS_VSCROLL : 0));
    table.setUpdatesEnabled(true);
    updateCaption();
}

const char* CMergePane::GetCellText(int row, int)
{
    if (!m_doc.loaded() || !m_doc.session().lineAt(m_column, row))
        return nullptr;
    m_cellText = m_doc.session().text(m_column, row);
    return m_cellText.c_str();
}

LResult CMergePane::GetCellEditKind(int, int)
{
    return IsEditable() && m_doc.rowCount() > 0 ? grid::kEditText : grid::kEditNone;
}

bool CMergePane::SetCellText(grid::TableValue* value)
{
    if (value == nullptr || !IsEditable())
        return false;
    return m_doc.editLine(value->row, value->value.text != nullptr ? value->value.text : "");
}

bool CMergePane::cellColor(int row, grid::TableColorRequest& request)
{
    if (row < 0 || row >= m_doc.rowCount() || (grid()->rowFlags(row) & grid::kRowSelected))
        return false;
    const framework::ColorRef color = kindColor(m_doc.session().rowKind(row), request.text != 0);
    if (color == settings::kNoColor)
        return false;
    request.color = color;
    return true;
}

// --- hints ----------------------------------------------------------------------------------

void CMergePane::onUpdate(framework::View*, int hint, void* object)
{
    if (grid() == nullptr)
        return;
    switch (hint) {
    case framework::kHintCompared:
        takeRows();
        break;
    case framework::kHintSyncScroll:
        if (auto* sender = static_cast<grid::TCell*>(object); sender != nullptr && sender != grid()) {
            m_syncGuard = true;
            grid()->CopyState(*sender, grid::TCell::kCopyOriginX | grid::TCell::kCopyOriginY | grid::TCell::kCopyRow);
            grid()->updateNow();
            m_syncGuard = false;
        }
        break;
    case framework::kHintGoToRow:
        if (frame().activeView() == this)
            goToRow(*static_cast<int*>(object));
        break;
    case framework::kHintActivateSource:
        if (m_column == core::MergePane::Local) {
            frame().activateView(this);
            onActivateView(true);
        }
        break;
    case framework::kHintModifiedChanged:
        updateCaption();
        break;
    case framework::kHintOptionsChanged:
        grid()->invalidateAll();
        break;
    case framework::kHintFinishEditing:
        if (IsEditable())
            grid()->endEdit(true);
        break;
    default:
        break;
    }
}

void CMergePane::takeRows()
{
    grid()->setRowCount(m_doc.rowCount());
    grid()->invalidateAll();
    grid()->refreshEditor();
    updateCaption();
}

void CMergePane::onActivateView(bool activate)
{
    CTableView::onActivateView(activate);
    update(QRect(0, 0, width(), captionHeight()));
}

// --- moving and keeping in step -------------------------------------------------------------

int CMergePane::currentRow() const
{
    return grid()->position().row;
}

void CMergePane::goToRow(int row)
{
    grid::TCell& table = *grid();
    m_syncGuard = true;
    table.send(grid::TCM_SETCURCELL, WParam(std::max(table.position().column, 0)), std::max(row, 0));
    const grid::TCellPosition& position = table.position();
    const int top = std::max(position.row - (position.lastRow - position.firstRow) / 2, 0);
    table.send(grid::TCM_SETSCROLLY, WParam(table.geometry().rows.start(top)), 0);
    m_syncGuard = false;
    onCurrentRowChanged();
}

void CMergePane::onCurrentRowChanged()
{
    if (!m_syncGuard) {
        m_syncGuard = true;
        sendScrollState(true);
        m_syncGuard = false;
    }
}

void CMergePane::sendScrollState(bool withVisibleRows)
{
    m_doc.updateAllViews(this, framework::kHintSyncScroll, grid());
    if (!withVisibleRows)
        return;
    VisibleRows visible{grid()->position().firstRow, grid()->position().lastRow};
    m_doc.updateAllViews(this, framework::kHintVisibleRows, &visible);
}

// The grid reports a scroll before it scrolls; the other columns follow where it ends.
LResult CMergePane::onGridNotify(const grid::TCellNotify& notify)
{
    if (notify.code != grid::TCN_HSCROLL && notify.code != grid::TCN_VSCROLL)
        return 0;
    const bool vertical = notify.code == grid::TCN_VSCROLL;
    m_syncGuard = true;
    grid()->send(vertical ? grid::TCM_VSCROLL : grid::TCM_HSCROLL, WParam(notify.first), notify.second);
    m_syncGuard = false;
    sendScrollState(vertical);
    return grid::kVeto;
}

// --- commands -------------------------------------------------------------------------------

void CMergePane::addMergeCommands()
{
    using namespace framework;
    addMove(ID_MERGE_NEXT_CHANGE, true, false);
    addMove(ID_MERGE_PREV_CHANGE, false, false);
    addMove(ID_MERGE_NEXT_CONFLICT, true, true);
    addMove(ID_MERGE_PREV_CONFLICT, false, true);
    addTake(ID_MERGE_TAKE_LOCAL, MergeChoice::Local);
    addTake(ID_MERGE_TAKE_REMOTE, MergeChoice::Remote);
    addTake(ID_MERGE_TAKE_LOCAL_REMOTE, MergeChoice::LocalThenRemote);
    addTake(ID_MERGE_TAKE_REMOTE_LOCAL, MergeChoice::RemoteThenLocal);
    addTake(ID_MERGE_TAKE_BASE, MergeChoice::Base);
    // Escape closes the window, as the compare window's panes do; closing asks what it must.
    onCommand(IDCANCEL, [this] { frame().frameWindow().post(WM_CLOSE, 0, 0); });
}

void CMergePane::addMove(framework::CommandId id, bool forwards, bool openOnly)
{
    const auto target = [this, forwards, openOnly] {
        return m_doc.loaded() ? m_doc.session().nextChange(currentRow(), forwards, openOnly) : std::nullopt;
    };
    onCommand(id, [this, target] {
        if (const std::optional<std::int32_t> row = target())
            goToRow(*row);
    });
    onEnable(id, [target](framework::CommandUI& ui) { ui.enable(target().has_value()); });
}

void CMergePane::addTake(framework::CommandId id, MergeChoice choice)
{
    onCommand(id, [this, choice] { m_doc.take(currentRow(), choice); });
    onEnable(id, [this](framework::CommandUI& ui) { ui.enable(currentRowIsChange()); });
}

bool CMergePane::currentRowIsChange() const
{
    const int row = currentRow();
    return m_doc.loaded() && row >= 0 && row < m_doc.rowCount() &&
           m_doc.session().canTake(m_doc.session().chunkAtRow(row));
}

// --- the caption ----------------------------------------------------------------------------

int CMergePane::captionHeight() const
{
    return style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
}

QRect CMergePane::gridRect() const
{
    return CTableView::gridRect().adjusted(0, captionHeight(), 0, 0);
}

void CMergePane::updateCaption()
{
    const core::MergeFiles& files = m_doc.files();
    const std::string* path = &files.output;
    if (m_column == core::MergePane::Local)
        path = &files.local;
    else if (m_column == core::MergePane::Remote)
        path = &files.remote;
    else if (m_column == core::MergePane::Base)
        path = &files.base;
    m_captionText = std::string(columnName(m_column)) + ": " + *path;
    if (m_column == core::MergePane::Result && m_doc.isModified())
        m_captionText += " *";
    update(QRect(0, 0, width(), captionHeight()));
}

void CMergePane::paintEvent(QPaintEvent*)
{
    platform::Painter painter(this);
    const QRect caption(0, 0, width(), captionHeight() - 1);
    const bool active = frame().activeView() == this;
    const framework::ColorRef background = platform::toColorRef(
        active ? palette().color(QPalette::Active, QPalette::Highlight) : palette().color(QPalette::Mid));
    painter.fillRect(caption, background);
    const framework::ColorRef text = platform::toColorRef(
        active ? palette().color(QPalette::Active, QPalette::HighlightedText) : palette().color(QPalette::Light));
    painter.setTextColor(settings::readableText(background, text));
    painter.drawText(caption, m_captionText, platform::DT_CENTER | platform::DT_VCENTER | platform::DT_SINGLELINE);
}

// --- the strip ------------------------------------------------------------------------------

void buildMergeStrip(const core::MergeSession& session, DiffBlockMap& map)
{
    std::vector<std::uint8_t> values(static_cast<std::size_t>(session.rowCount()), DiffBlockMap::kSame);
    for (std::int32_t chunk = 0; chunk < session.chunkCount(); ++chunk) {
        const std::int32_t first = session.firstRow(chunk);
        const std::int32_t end = chunk + 1 < session.chunkCount() ? session.firstRow(chunk + 1) : session.rowCount();
        if (first == end)
            continue;
        std::uint8_t value = DiffBlockMap::kSourceOnly;
        if (session.choice(chunk) == MergeChoice::Open)
            value = DiffBlockMap::kChanged;
        else if (session.rowKind(first) == MergeRowKind::RemoteOnly)
            value = DiffBlockMap::kTargetOnly;
        else if (session.rowKind(first) == MergeRowKind::Unchanged)
            value = DiffBlockMap::kSame;
        std::fill(values.begin() + first, values.begin() + end, value);
    }
    map.assign(std::move(values));
}

} // namespace panes
