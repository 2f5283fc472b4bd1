#pragma once

#include <QPointer>
#include <QScrollBar>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/services.h"
#include "grid/cell_colors.h"
#include "grid/cell_geometry.h"
#include "grid/cell_images.h"
#include "grid/cell_messages.h"
#include "grid/cell_records.h"
#include "grid/s_font.h"
#include "platform/window.h"

namespace grid {

class CMaskEdit;
class TCellEditors;

using framework::LParam;
using framework::LResult;
using framework::WParam;

// A table of cells driven by window messages (the TCM_ numbers): rows, data columns and
// fixed row-header columns, a header row band, fonts, a current cell, row selection and
// marking, scrolling and in-place editing. The grid owns geometry, state and presentation;
// the text of a cell is asked of the notify window per painted cell and never kept.
class TCell : public platform::Window {
public:
    explicit TCell(QWidget* parent = nullptr);
    ~TCell() override;

    // --- structure and geometry (read) ------------------------------------------------
    int columnCount() const { return m_geometry.columns.count(); }
    int fixedColumnCount() const { return m_geometry.fixedColumns.count(); }
    int rowCount() const { return m_geometry.rows.count(); }
    const TCellColumn& column(int index) const { return m_columns[static_cast<std::size_t>(index)]; }
    const TCellColumn& fixedColumn(int index) const { return m_fixedColumns[static_cast<std::size_t>(index)]; }
    int columnWidth(int index) const { return m_geometry.columns.size(index); }
    int fixedColumnWidth(int index) const { return m_geometry.fixedColumns.size(index); }
    int rowHeight(int index) const { return m_geometry.rows.size(index); }
    int defaultRowHeight() const { return m_defaultRowHeight; }
    const CellGeometry& geometry() const { return m_geometry; }

    std::uint8_t rowFlags(int row) const { return m_rowFlags[static_cast<std::size_t>(row)]; }
    // The first row from `from` on whose flags hold any of bits; rowCount() when none.
    int nextRowWithFlags(int from, std::uint8_t bits) const;
    // Sets or clears flag bits of a row (bits above the selected and marked bits are the
    // owner's, e.g. bookmarks) without repainting.
    void setRowFlags(int row, std::uint8_t bits, bool on);

    const TCellPosition& position() const { return m_position; }
    std::uint32_t gridStyle() const { return windowStyle() & 0xFFFF; }
    // Changes style bits (grid bits and the scroll-bar bits), then lays out and repaints.
    void modifyStyle(std::uint32_t remove, std::uint32_t add);

    // Rectangles in client coordinates of the data area.
    QRect cellRect(int column, int row) const;
    QRect rowRect(int row) const;
    // The widget rectangle of the data area (the client area).
    QRect clientArea() const override;
    int headerBandHeight() const;
    int fixedBandWidth() const;

    // --- fonts ---------------------------------------------------------------------------
    int fontCount() const { return static_cast<int>(m_fonts.size()); }
    const CSFont& font(int index) const;      // an index outside the list gives font 0
    int addFont(const framework::LogFont& logFont);
    void replaceFont(int index, const framework::LogFont& logFont);
    // The index of a font with this description, -1 when there is none.
    int findFont(const framework::LogFont& logFont) const;

    // --- colours and switches -------------------------------------------------------------
    CellColors& colors() { return m_colors; }
    const CellColors& colors() const { return m_colors; }
    void resetColors();

    void setEditEnabled(bool on) { m_editEnabled = on; }
    bool isCellEditable(int column, int row) const;
    bool rowEmphasis() const { return m_rowEmphasis; }
    // Repaints the current row; 0 when the switch already had this state.
    int setRowEmphasis(bool on);
    // The area below the last row in the pattern
    // brush of bitmap 2003 instead of the solid background colour.
    void setBackgroundPattern(bool on);

    // The in-cell editor in use now, none while no cell is edited.
    QWidget* activeEditor() const;
    // The owner changed what a cell shows or whether it may be edited: the editor is
    // chosen again and shows the cell's text, unless the user has typed into it.
    void refreshEditor();

    // Points the scroll-bar updates of one direction at a separate scroll-bar control
    // instead of the grid's own bar, which then stays hidden; the control's moves scroll
    // the grid as the own bar's do. None gives the direction back to the own bar.
    void setScrollBarControl(Qt::Orientation orientation, QScrollBar* control);
    QScrollBar* scrollBarControl(Qt::Orientation orientation) const;

    // The image lists and the background pattern, made on first use.
    const CellImages& images() const;

    // Where the font dialog comes from; the desktop's when none is set.
    void setServices(framework::Services* services) { m_services = services; }

    // --- direct operations -----------------------------------------------------------------
    // What CopyState takes from the other grid.
    static constexpr unsigned kCopyOriginX = 0x01;
    static constexpr unsigned kCopyOriginY = 0x02;
    static constexpr unsigned kCopyRow = 0x04;
    static constexpr unsigned kCopyColumn = 0x08;
    static constexpr unsigned kCopyWidths = 0x10;
    static constexpr unsigned kCopyRowHeights = 0x20;
    static constexpr unsigned kCopySelection = 0x40;
    static constexpr unsigned kCopyMarks = 0x80;
    static constexpr unsigned kCopyDefaultHeights = 0x100;
    // Takes the masked state of another grid without asking the notify window.
    void CopyState(const TCell& other, unsigned mask);
    // A column width without notification; below 1 automatic. False for a bad index.
    bool setColumnWidthQuietly(int column, int width);
    // Inserts fixed (row-header) columns before the index; a negative index appends.
    bool insertFixedColumns(int index, const TCellColumn* records, int count);
    // The automatic width of a column record (as inserted when withHeader).
    int automaticWidth(const TCellColumn& column, int requested, bool withHeader) const;
    // Recomputes edges, clamps and ranges, tells the subclass and updates the scroll bars.
    void relayout();

    // Sends TCN_NOTIFY when style bit 0x0001 is set; 0 otherwise.
    LResult notify(int code, LParam first, LParam second);
    // Sends a request to the notify window (whatever the style); 0 without one.
    LResult request(framework::MessageId message, WParam wParam, LParam lParam);
    // A cell-data request record for this grid.
    TCellDataRequest dataRequest(int column, int row, int answerType, LParam value);

protected:
    // --- what a subclass may change ------------------------------------------------------
    // Called first when a new position is applied (before repainting).
    virtual void onPositionApplied(const TCellPosition& previous) { (void)previous; }
    // Whether the current cell may move to (column, row); by default commits the edit.
    virtual bool canMoveTo(int column, int row) { return commitEdit(column, row); }
    virtual int computeDefaultRowHeight() const;

    virtual ColorRef cellBackColor(int column, int row);
    virtual ColorRef cellTextColor(int column, int row);
    virtual ColorRef fixedBackColor(int fixedColumn, int row);
    virtual ColorRef fixedTextColor(int fixedColumn, int row);
    virtual int cellFont(int column, int row) const;
    // The text of a data (fixed) cell; false for none. Defaults ask the notify window.
    virtual bool cellText(int column, int row, std::string& text);
    virtual bool fixedCellText(int fixedColumn, int row, std::string& text);
    // The image of a data (fixed) cell of a column with the image flag; false for none.
    // Defaults ask the notify window for the cell's number (kinds 5 and 7).
    virtual bool cellImage(int column, int row, CellImage& image);
    virtual bool fixedCellImage(int fixedColumn, int row, CellImage& image);

    // Painting of one cell; rect in the painter's (client) coordinates. flags: 0 all, else
    // bit 0 fill, bit 1 grid lines, bit 2 image, bit 3 text.
    virtual void paintCell(platform::Painter& painter, int column, int row, const QRect& rect,
                           ColorRef rowBack, unsigned flags);
    virtual void paintFixedCell(platform::Painter& painter, int fixedColumn, int row, const QRect& rect);
    virtual void paintHeaderCell(platform::Painter& painter, int column, const QRect& rect);
    virtual void paintCornerCell(platform::Painter& painter, int fixedColumn, const QRect& rect);
    // Paints marks behind parts of a data cell's text just before the text is drawn; cell
    // is the cell's rectangle, textArea where the text starts. The default marks nothing.
    virtual void paintTextMarks(platform::Painter& painter, int column, int row, const QRect& cell,
                                const QRect& textArea, const std::string& text, const CSFont& font);

    // Stores an edited text with TCM_SETCELLDATA; false when the owner refuses it (-2).
    virtual bool storeCellText(int column, int row, const std::string& text);
    // Whether the cell takes an in-cell editor (beyond being editable).
    virtual bool acceptsEditor(int column, int row) { (void)column; (void)row; return true; }
    // The input mask and fill text of the cell's editor (TCM_GETCELLDATA kinds 3 and 4);
    // false without a mask.
    virtual bool cellMask(int column, int row, std::string& mask, std::string& fill);

    // The grid's own key handling after TCN_KEYDOWN (the key table).
    virtual void handleKey(int virtualKey);

    // --- operations for subclasses ---------------------------------------------------------
    // Applies a position (scrolling, repainting, scroll bars, editor placement).
    void applyPosition(const TCellPosition& position);
    // A proposed move through the query, the commit check and the application; 1 when moved.
    LResult moveTo(const TCellPosition& proposed, framework::MessageId cause);
    void notifyPositionChanged(framework::MessageId cause);
    // Takes the focus unless it already lies on the grid or one of its children.
    void takeFocus();
    bool hasFocusWithin() const;
    bool isOwnChild(const QWidget* widget) const;

    // --- editing cycle (bodies in cell_editing_hooks.cpp) -----------------------------------
    TCellEditors& editing() const;
    bool createEditors();
    void placeEditor();
    // Places the editor and loads the current cell's text again, dropping what was typed.
    void reloadEditor();
    bool commitEdit(int column, int row);
    bool focusEditor();
    LResult editorClipboard(framework::MessageId message);

    // --- event handlers ----------------------------------------------------------------------
    LResult windowProc(framework::MessageId message, WParam wParam, LParam lParam) override;
    bool onCreate() override;
    int dialogCode() override;
    void onPaint(platform::Painter& painter, const QRegion& update) override;
    void onKeyDown(int virtualKey, LParam keyData) override;
    void onKeyUp(int virtualKey, LParam keyData) override;
    void onChar(unsigned character, LParam keyData) override;
    void onMouse(framework::MessageId message, unsigned keyFlags, const QPoint& point) override;
    void onNcMouse(framework::MessageId message, int hitCode, const QPoint& screenPoint) override;
    int onNcHitTest(const QPoint& widgetPoint) override;
    void onWheel(int delta, unsigned keyFlags, const QPoint& screenPoint) override;
    void onSize(int width, int height) override;
    void onSetFocus(QWidget* previous) override;
    void onKillFocus(QWidget* next) override;
    void changeEvent(QEvent* event) override;

    // The editor messages; defaults send the matching notification.
    virtual LResult onEditErrSpace(WParam wParam, LParam lParam);
    virtual LResult onEditChange(WParam wParam, LParam lParam);
    virtual LResult onEditKillFocus(WParam wParam, LParam lParam);
    virtual LResult onEditSetFocus(WParam wParam, LParam lParam);
    virtual LResult onEditDblClk(WParam wParam, LParam lParam);
    virtual LResult onEditChar(WParam wParam, LParam lParam);

private:
    // Messages.
    LResult positionMessage(framework::MessageId message, WParam wParam, LParam lParam);
    LResult setFocusState(WParam focused, LParam active);
    LResult repaintMessage(framework::MessageId message, WParam wParam, LParam lParam);
    LResult repaintCellNow(int column, int row);
    LResult repaintFixedCellNow(int fixedColumn, int row);
    // The area a column, row or fixed band message invalidates; empty when it names none.
    std::optional<QRegion> repaintRegion(framework::MessageId message, int index) const;
    LResult geometryMessage(framework::MessageId message, WParam wParam, LParam lParam);
    LResult structureMessage(framework::MessageId message, WParam wParam, LParam lParam);
    LResult editorMessage(framework::MessageId message, WParam wParam, LParam lParam);
    LResult setFontMessage(WParam wParam, LParam lParam);
    LResult clipboardMessage(framework::MessageId message);

    // Changes.
    bool setFixedColumnWidth(int column, int width);
    bool setRowHeight(int row, int height);
    bool changeRowFlag(int row, int action, std::uint8_t bit);
    bool insertColumns(int index, const TCellColumn* records, int count);
    bool insertRows(int index, int count);
    bool deleteColumns(int first, int count);
    bool deleteRows(int first, int count);
    void afterStructureChange(bool columns, int first);
    // CopyState's steps: the other's sizes, then its row flags; returns the mask left in force.
    unsigned copySizes(const TCell& other, unsigned mask);
    void copyRowFlags(const TCell& other, unsigned mask);
    void relayoutAndNotify();

    // Frame and scroll bars.
    void updateFrame();
    void updateScrollBars();
    void connectScrollBar(QScrollBar* bar, bool vertical);
    void takeScrollStyle();
    void handleScrollBar(bool vertical, int code, int thumb);
    void scrollPixels(int dx, int dy);
    void invalidateCurrentRow(const TCellPosition& position);
    void invalidateRowAll(int row);
    void invalidateFromColumn(int column);
    void invalidateFromRow(int row);
    int border() const;
    const TextMetrics& metricsOf(int fontIndex) const;

    // Painting.
    void paintDataArea(platform::Painter& painter, const QRegion& update);
    void paintHeaderBand(platform::Painter& painter);
    void paintFixedBand(platform::Painter& painter, const QRegion& update);
    void paintFrameAndCorner(platform::Painter& painter);
    void paintTrackingLine(platform::Painter& painter);
    void drawRaisedEdges(platform::Painter& painter, const QRect& rect, bool pressed);
    // A header or corner cell: its face, the shadow lines (the right one rightLineInset short at
    // both ends) and its caption.
    void paintHeaderFace(platform::Painter& painter, const QRect& rect, int rightLineInset, std::string_view caption,
                         std::uint32_t alignment);
    // Draws the image of a cell of an image column; returns the rectangle right of the image area.
    QRect drawCellImage(platform::Painter& painter, const TCellColumn& record, const QRect& rect,
                        const std::optional<CellImage>& image);
    void fillBackground(platform::Painter& painter, const QRect& rect);
    LResult numberRequest(int kind, int column, int row);
    // The owner writes a cell's text into a buffer of the grid's, which it may fill to the end.
    using TextBuffer = std::array<char, 4096>;
    bool textRequest(int kind, int column, int row, TextBuffer& buffer, std::string& text);
    void drawCellText(platform::Painter& painter, const QRect& textArea, const std::string& text,
                      const CSFont& cellFont, std::uint32_t format);
    QRect textArea(const QRect& cell, int fontHeight) const;
    // What chooses a data cell's colours; the current row (with emphasis) outweighs the row's flags.
    enum class CellState { Plain, Selected, Marked, CurrentRow, InactiveRow, EditableCell, ReadOnlyCell };
    struct ColorRoles {
        ColorRef CellColors::*back;
        ColorRef CellColors::*text;
    };
    CellState cellState(int column, int row) const;
    static ColorRoles colorRoles(CellState state);

    // Input.
    void clickCell(const QPoint& point);
    void startTracking(int hitCode, const QPoint& widgetPoint);
    void trackTo(const QPoint& widgetPoint);
    void endTracking(const QPoint& widgetPoint);
    void chooseColumnFont(int hitCode, const QPoint& widgetPoint);
    void updateCursor(int hitCode);
    framework::Services& services();

    // --- state --------------------------------------------------------------------------------
    CellGeometry m_geometry;
    std::vector<TCellColumn> m_columns;
    std::vector<TCellColumn> m_fixedColumns;
    std::vector<std::uint8_t> m_rowFlags;
    std::vector<CSFont> m_fonts;
    TCellPosition m_position;
    CellColors m_colors;
    int m_defaultRowHeight = 18;
    int m_headerRowHeight = 18;
    std::uint32_t m_extendedStyle = 0;
    bool m_editableStyle = false;
    bool m_editEnabled = false;
    bool m_rowEmphasis = true;
    bool m_backgroundPattern = false;
    mutable std::unique_ptr<CellImages> m_images;
    QScrollBar* m_vScrollBar = nullptr;
    QScrollBar* m_hScrollBar = nullptr;
    QPointer<QScrollBar> m_vControl;
    QPointer<QScrollBar> m_hControl;
    TextBuffer m_textBuffer{};
    TextBuffer m_fixedTextBuffer{};
    framework::Services* m_services = nullptr;
    std::unique_ptr<framework::Services> m_ownServices;

    // Column or row resizing with the mouse.
    enum class Tracking { None, Column, FixedColumn, Row };
    Tracking m_tracking = Tracking::None;
    int m_trackIndex = 0;
    int m_trackLine = -1;           // widget coordinate of the tracking line

    // --- editing state (owned by the editing cycle) ----------------------------------------
    friend class TCellEditors;
    struct EditorsDeleter {
        void operator()(TCellEditors* editors) const;
    };
    std::unique_ptr<TCellEditors, EditorsDeleter> m_editing;
};

} // namespace grid
