#include "panes/bivalo_view.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>

#include "core/file_form.h"
#include "core/row_editor.h"
#include "framework/update_hints.h"
#include "grid/cell_messages.h"
#include "grid/table_box_messages.h"
#include "panes/pane_table.h"
#include "panes/view_frame.h"
#include "panes/visible_rows.h"
#include "platform/color_ref.h"
#include "platform/font_conversion.h"
#include "platform/painter.h"
#include "platform/virtual_keys.h"
#include "platform/window_messages.h"
#include "settings/app_settings.h"
#include "settings/color_contrast.h"
#include "settings/color_table.h"

namespace panes {

using framework::LParam;
using framework::LResult;
using framework::WParam;

namespace {

// Room beside the text in a cell (the grid's insets) and the widest column a pane takes.
constexpr std::int64_t kTextMargin = 10;
constexpr std::int64_t kWidestColumn = 1 << 26;

// The widest character a byte of a line can show as: UTF-8 characters take at least as many
// bytes as this width covers, a byte that is not UTF-8 shows as a Latin-1 character.
// Fractional: a fixed-width face's advance is rarely a whole pixel, and rounding it down
// would leave the end of a long line out of reach.
qreal widestCharacter(const QFont& font)
{
    const QFontMetricsF metrics(font);
    qreal widest = 1;
    for (char16_t c = 0x20; c <= 0xFF; ++c) {
        if (c < 0x7F || c >= 0xA0)
            widest = std::max(widest, metrics.horizontalAdvance(QChar(c)));
    }
    return widest;
}

std::string localTimeText(const std::filesystem::file_time_type& time)
{
    const auto system = std::chrono::file_clock::to_sys(time);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(system);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%d/%m/%y %H:%M", &local);
    return text;
}

} // namespace

CBivaloView::CBivaloView(core::CBivaloDoc& document, ViewFrame& frame, framework::Services& services)
    : CTableView(document, frame), m_doc(document), m_services(services)
{
    setMouseTracking(true);
    addEditingCommands();
    addClipboardCommands();
    addSaveCommands();
    addNavigationCommands();
}

// --- the side -------------------------------------------------------------------------------

void CBivaloView::AttachSide()
{
    m_file = &m_doc.file(side());
    m_rows = &m_doc.rows(side());
    // The target pane alone shows a vertical scroll bar, which scrolls both panes.
    const bool source = side() == core::kSourceSide;
    const std::uint32_t removed = CPaneTable::kRemovedGridStyle | (source ? platform::WS_VSCROLL : 0);
    const std::uint32_t added = platform::WS_HSCROLL | grid::TCS_NOTIFY | (source ? 0 : platform::WS_VSCROLL);
    grid()->modifyStyle(removed, added);
    if (source)
        grid()->setFocus(Qt::OtherFocusReason);
}

bool CBivaloView::IsEditable()
{
    return m_doc.isEditable(side());
}

bool CBivaloView::IsOtherSideEditable()
{
    return m_doc.isEditable(core::otherSide(side()));
}

core::RowQueries CBivaloView::rowQueries() const
{
    return core::RowQueries(m_doc.editPair(), side());
}

bool CBivaloView::isDifferenceRow(int row) const
{
    return rowQueries().isDifferenceRow(row);
}

int CBivaloView::firstDifference() const
{
    return rowQueries().firstDifference();
}

// --- the grid -------------------------------------------------------------------------------

void CBivaloView::CreateTable()
{
    adoptGrid(std::make_unique<CPaneTable>());
}

void CBivaloView::InitTable()
{
    grid::TCellTableBox& table = *grid();
    table.setUpdatesEnabled(false);
    setUpTextColumn(table, m_doc.rowCount(), kColumnWidth);
    table.setOption(grid::TCellTableBox::kSwitchRowDrag, true);
    // Lines are expanded tabs and runs of blanks: only a fixed-width font keeps their
    // columns. A chosen font replaces it once a pair is open.
    if (!settings::appSettings().FontValid)
        setCellFont(platform::desktopFixedFont());
    AttachSide();
    table.setUpdatesEnabled(true);
    m_captionFont = &settings::appSettings().CaptionFont;
}

const char* CBivaloView::GetCellText(int row, int)
{
    if (row < 0 || row >= m_doc.rowCount() || m_rows == nullptr || std::size_t(row) >= m_rows->size())
        return nullptr;
    const std::int32_t entry = (*m_rows)[std::size_t(row)];
    if (core::isVirtualRow(entry))
        return settings::appSettings().Hidden != 0 ? kVirtualRowText : nullptr;
    const core::LineRecord* line = m_file->lineAt(entry);
    if (line == nullptr)
        return nullptr;
    m_cellText.assign(line->text());
    return m_cellText.c_str();
}

bool CBivaloView::OnCellChanged(grid::TableCellChange*)
{
    return true;
}

LResult CBivaloView::GetCellEditKind(int, int)
{
    return IsEditable() ? grid::kEditText : grid::kEditNone;
}

bool CBivaloView::OnCellCommand(grid::TableValue*)
{
    return true;
}

bool CBivaloView::cellColor(int row, grid::TableColorRequest& request)
{
    if (row >= m_doc.rowCount() || m_rows == nullptr || std::size_t(row) >= m_rows->size())
        return false;
    const std::uint8_t flags = grid()->rowFlags(row);
    if (flags & grid::kRowSelected)
        return false;
    const bool text = request.text != 0;
    const int variant = row == grid()->position().row && m_easyJoinDialog != nullptr ? 1 : 0;
    // The current row of EasyJoin keeps its band: its light text is unreadable on a bookmark.
    const settings::CColorTable& colors = settings::colorTable();
    if ((flags & kBookmarkFlag) && !text && variant == 0) {
        request.color = colors.bookmarkBackground();
        return true;
    }
    const core::LineRecord* line = m_file->lineAt((*m_rows)[std::size_t(row)]);
    if (line == nullptr && text)
        return false;
    const int state = line == nullptr ? int(core::LineState::SourceOnly) : int(line->state());
    const framework::ColorRef color = text ? colors.textFor(state, variant) : colors.backgroundFor(state, variant);
    if (color == settings::kNoColor)
        return false;
    request.color = color;
    return true;
}

bool CBivaloView::cellMarks(int row, grid::TableCellMarks& marks)
{
    if (row >= m_doc.rowCount() || std::size_t(row) >= m_doc.sourceRows().size() ||
        std::size_t(row) >= m_doc.destinationRows().size())
        return false;
    const core::LineRecord* source = m_doc.source().lineAt(m_doc.sourceRows()[std::size_t(row)]);
    const core::LineRecord* target = m_doc.destination().lineAt(m_doc.destinationRows()[std::size_t(row)]);
    widenForLines(source, target);
    const settings::AppSettings& options = settings::appSettings();
    if (options.InlineChanges == 0 || source == nullptr || target == nullptr ||
        source->text() == target->text())
        return false;
    grid::TableColorRequest background;
    if (!cellColor(row, background))
        return false;
    grid::TableColorRequest text;
    text.text = 1;
    if (!cellColor(row, text))
        text.color = settings::kNoColor;
    const core::InlineChanges& changes =
        m_inlineChanges.changesFor(row, source->text(), target->text(), options.IgnoreBlanks != 0);
    const std::vector<core::TextStretch>& stretches =
        side() == core::kSourceSide ? changes.source : changes.target;
    if (stretches.empty())
        return false;
    m_cellMarks.clear();
    for (const core::TextStretch& stretch : stretches)
        m_cellMarks.push_back({stretch.start, stretch.end});
    marks.marks = m_cellMarks.data();
    marks.count = std::int32_t(m_cellMarks.size());
    marks.color = settings::strongerShade(background.color, text.color);
    return true;
}

const char* CBivaloView::cellTip(int row)
{
    if (row != grid::kHeaderRow || m_file == nullptr || m_file->path().empty())
        return nullptr;
    m_tipText = fileInfoText();
    return m_tipText.empty() ? nullptr : m_tipText.c_str();
}

std::string CBivaloView::fileInfoText() const
{
    if (m_file == nullptr || m_file->path().empty())
        return {};
    std::error_code error;
    const std::filesystem::path path(m_file->path());
    const auto time = std::filesystem::last_write_time(path, error);
    if (error)
        return {};
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return {};
    char text[80];
    std::snprintf(text, sizeof text, kModifiedFormat, localTimeText(time).c_str(), int(size));
    return text;
}

// --- layout and caption ---------------------------------------------------------------------

int CBivaloView::captionHeight() const
{
    return style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
}

QRect CBivaloView::gridRect() const
{
    return CTableView::gridRect().adjusted(0, captionHeight(), 0, 0);
}

void CBivaloView::onSize(int width, int height)
{
    CTableView::onSize(width, height);
    if (grid() == nullptr || m_file == nullptr)
        return;
    if (grid()->clientArea().width() > 0)
        applyColumnWidth();
    AttachSide();
}

int CBivaloView::columnWidth() const
{
    const std::int64_t width =
        std::int64_t(std::ceil(m_longestLine * widestCharacter(grid()->font(1).font()))) + kTextMargin;
    return int(std::clamp<std::int64_t>(width, kColumnWidth, kWidestColumn));
}

void CBivaloView::applyColumnWidth()
{
    if (grid() != nullptr && grid()->columnCount() > 0)
        grid()->send(grid::TCM_SETCOLWIDTH, 0, columnWidth());
}

void CBivaloView::widenForLines(const core::LineRecord* source, const core::LineRecord* target)
{
    const std::size_t longest = std::max(source != nullptr ? source->text().size() : 0,
                                         target != nullptr ? target->text().size() : 0);
    if (longest <= m_longestLine)
        return;
    m_longestLine = longest;
    // Not while the grid paints: the new width relays it out.
    QMetaObject::invokeMethod(this, [this] { applyColumnWidth(); }, Qt::QueuedConnection);
}

// The caption asks on every move: counted from the row it last asked about while the rows
// stay as they were, which on millions of rows is a few rows instead of all above.
int CBivaloView::lineNumberOf(int row)
{
    const core::RowQueries queries = rowQueries();
    if (m_file->hasCutLines() || !queries.isRow(row))
        return queries.lineNumberAt(row);
    const int lines = m_lineCounts.linesThrough(queries, row, m_doc.rowsRevision());
    return m_file->lineAt((*m_rows)[std::size_t(row)]) != nullptr ? lines : 0;
}

void CBivaloView::updateCaption()
{
    if (grid() == nullptr || m_file == nullptr || m_rows == nullptr)
        return;
    const int row = grid()->position().row;
    // A filler row, or a row the grid no longer has, shows no number.
    const int lineNumber = row < grid()->rowCount() ? lineNumberOf(row) : 0;
    const char* changed = m_file->changes() != 0 || hasChangedEdit() ? "* " : "";
    char text[600];
    if (lineNumber > 0)
        std::snprintf(text, sizeof text, kCaptionFormat, changed, m_file->path().c_str(), lineNumber);
    else
        std::snprintf(text, sizeof text, kCaptionWithoutLineFormat, changed, m_file->path().c_str());
    m_captionText = text;
    update(QRect(0, 0, width(), captionHeight()));
}

void CBivaloView::paintEvent(QPaintEvent*)
{
    platform::Painter painter(this);
    const QRect caption(0, 0, width(), captionHeight() - 1);
    const bool active = frame().activeView() == this;
    const QPalette::ColorGroup group = active ? QPalette::Active : QPalette::Inactive;
    const framework::ColorRef background = platform::toColorRef(
        active ? palette().color(group, QPalette::Highlight) : palette().color(QPalette::Mid));
    painter.fillRect(caption, background);
    if (m_captionText.empty() && m_file != nullptr && !m_file->path().empty())
        m_captionText = m_file->path();
    // The 3-D frame: the background's colour at top and left, the light edge at bottom and right.
    const framework::ColorRef edge = platform::toColorRef(palette().color(QPalette::Light));
    painter.line(caption.left(), caption.top(), caption.right() + 1, caption.top(), background);
    painter.line(caption.left(), caption.top(), caption.left(), caption.bottom() + 1, background);
    painter.line(caption.left(), caption.bottom(), caption.right() + 1, caption.bottom(), edge);
    painter.line(caption.right(), caption.top(), caption.right(), caption.bottom() + 1, edge);
    if (m_captionFont != nullptr && m_captionFont->Height != 0)
        painter.setFont(platform::toQFont(*m_captionFont));
    // Some desktops pair a middling accent with white: black is then the readable one.
    const framework::ColorRef text = platform::toColorRef(
        active ? palette().color(group, QPalette::HighlightedText) : palette().color(QPalette::Light));
    painter.setTextColor(settings::readableText(background, text));
    painter.drawText(caption, m_captionText, platform::DT_CENTER | platform::DT_VCENTER | platform::DT_SINGLELINE);
    const int margin = captionHeight() / 2;
    painter.drawText(caption.adjusted(margin, 0, -margin, 0), captionFormText(),
                     platform::DT_RIGHT | platform::DT_VCENTER | platform::DT_SINGLELINE | platform::DT_NOPREFIX);
}

std::string CBivaloView::captionFormText() const
{
    return m_file != nullptr && m_file->loaded() ? core::fileFormLabel(*m_file) : std::string();
}

bool CBivaloView::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return CTableView::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QRect caption(0, 0, width(), captionHeight());
    const std::string tip = grid() && grid()->rowCount() > 0 ? fileInfoText() : std::string();
    if (!caption.contains(help->pos()) || tip.empty()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(help->globalPos(), QString::fromStdString(tip), this, caption);
    return true;
}

void CBivaloView::onActivateView(bool activate)
{
    if (activate)
        updateCaption();
    CTableView::onActivateView(activate);
    update(QRect(0, 0, width(), captionHeight()));
}

// --- moving and synchronising ---------------------------------------------------------------

bool CBivaloView::anyRowSelected() const
{
    const grid::TCell& table = *grid();
    return table.nextRowWithFlags(0, grid::kRowSelected) < table.rowCount();
}

void CBivaloView::selectAlongWithShift()
{
    if (!m_services.isShiftDown() || m_previousRow < 0 || !anyRowSelected())
        return;
    grid::TCell& table = *grid();
    const auto selected = [&table](int r) {
        return r >= 0 && r < table.rowCount() && (table.rowFlags(r) & grid::kRowSelected) != 0;
    };
    const int p = m_previousRow;
    const auto clearAll = [&table] { table.send(grid::TCM_SELECTROW, WParam(-1), 0); };
    if (selected(p)) {
        if (!selected(p - 1) && !selected(p + 1))
            clearAll();
        table.send(grid::TCM_SELECTROW, WParam(p), 1);
    } else if (selected(p - 1) == selected(p + 1)) {
        clearAll();
    }
}

void CBivaloView::onCurrentRowChanged()
{
    const int row = grid()->position().row;
    if (row < 0)
        return;
    selectAlongWithShift();
    m_previousRow = row;
    if (!m_syncGuard) {
        m_syncGuard = true;
        sendScrollState(true);
    }
    m_syncGuard = false;
    updateCaption();
}

void CBivaloView::sendScrollState(bool withVisibleRows)
{
    doc().updateAllViews(this, framework::kHintSyncScroll, grid());
    if (!withVisibleRows)
        return;
    VisibleRows visible{grid()->position().firstRow, grid()->position().lastRow};
    doc().updateAllViews(this, framework::kHintVisibleRows, &visible);
}

void CBivaloView::goToRowCentred(int row)
{
    goToRow(row, RowPlacement::Centred);
}

void CBivaloView::goToRowWithMargin(int row, bool forwards)
{
    goToRow(row, forwards ? RowPlacement::MarginForwards : RowPlacement::MarginBackwards);
}

void CBivaloView::goToRow(int row, RowPlacement placement)
{
    grid::TCell& table = *grid();
    m_syncGuard = true;
    table.send(grid::TCM_SETCURCELL, WParam(std::max(table.position().column, 0)), std::max(row, 0));
    const grid::TCellPosition& position = table.position();
    const bool roomy = (placement == RowPlacement::MarginForwards && position.lastRow - position.row >= kMoveMargin)
        || (placement == RowPlacement::MarginBackwards && position.row - position.firstRow >= kMoveMargin);
    if (!roomy) {
        const int top = std::max(position.row - (position.lastRow - position.firstRow) / 2, 0);
        table.send(grid::TCM_SETSCROLLY, WParam(table.geometry().rows.start(top)), 0);
    }
    // Every move ends in step with the other pane, also when the row was current already.
    m_syncGuard = false;
    onCurrentRowChanged();
}

// The grid reports a scroll before it scrolls; the other views must follow where it ends,
// so the pane scrolls the grid itself and then passes the state on, once.
void CBivaloView::scrollThenSynchronise(const grid::TCellNotify& notify)
{
    const bool vertical = notify.code == grid::TCN_VSCROLL;
    m_syncGuard = true;
    grid()->send(vertical ? grid::TCM_VSCROLL : grid::TCM_HSCROLL, WParam(notify.first), notify.second);
    m_syncGuard = false;
    sendScrollState(vertical);
}

LResult CBivaloView::onGridNotify(const grid::TCellNotify& notify)
{
    switch (notify.code) {
    case grid::TCN_HSCROLL:
    case grid::TCN_VSCROLL:
        scrollThenSynchronise(notify);
        return grid::kVeto;
    case grid::TCN_RBUTTONDOWN:
        frame().showContextMenu(QCursor::pos());
        return 1;
    case grid::TCN_EDITCHANGE:
        updateCaption();
        return 0;
    default:
        return 0;
    }
}

void CBivaloView::setCellFont(const framework::LogFont& font)
{
    const int firstRow = grid()->position().firstRow;
    grid()->replaceFont(1, font);
    grid()->send(grid::TCM_SETROWHEIGHT, WParam(-1), -1);
    applyColumnWidth();
    // The rows changed height: keep the same first row at the top, not the same pixel origin.
    grid()->send(grid::TCM_SETSCROLLY, WParam(grid()->geometry().rows.start(firstRow)), 0);
}

} // namespace panes
