#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/cell.h"
#include "grid/table_box_records.h"
#include "grid/table_list_editor.h"
#include "grid/table_row_drag.h"

class QComboBox;
class QHelpEvent;

namespace grid {

// The grid the application shows: typed value fields whose values live with the parent
// (asked and stored through the TBM_ requests), a map from columns to fields, a list
// editor, row selection with Shift and Ctrl clicks, Escape and Enter handling for
// dialogs, keys offered to the parent, row drags, and column widths kept in the settings
// file.
class TCellTableBox : public TCell {
public:
    // Option bits.
    static constexpr std::uint32_t kOptionWidthsRestored = 0x0001;
    static constexpr std::uint32_t kOptionDialog = 0x0004;      // Enter ends the edit and goes to the parent
    static constexpr std::uint32_t kOptionKeepEscape = 0x0008;  // Escape ends the edit instead of cancelling
    static constexpr std::uint32_t kOptionOfferKeys = 0x0020;
    static constexpr std::uint32_t kOptionKeepEnter = 0x0040;   // with kOptionDialog: Enter stays here
    static constexpr std::uint32_t kOptionRowMoves = 0x0080;    // Ctrl+Up/Down ask to move the row
    static constexpr std::uint32_t kOptionAltDrag = 0x0800;
    // Switches set through setOption by number.
    static constexpr std::uint32_t kSwitchNoHeader = 0x1002;    // hide the header row
    static constexpr std::uint32_t kSwitchRowDrag = 0x1003;     // a click may start a row drag

    enum class EditMode { None, Edit, List };

    explicit TCellTableBox(QWidget* parent = nullptr);
    ~TCellTableBox() override;

    // The window style a creation style stands for.
    static std::uint32_t windowStyleFor(std::uint32_t creationStyle);
    bool createBox(QWidget* parent, const QRect& rect, int controlId, std::uint32_t creationStyle);
    // A table box as a dialog control (the "TABLBOX" class): with kOptionDialog, deleted
    // with its parent.
    static TCellTableBox* createInDialog(QWidget* parent, const QRect& rect, int controlId,
                                         std::uint32_t creationStyle);

    // --- fields -------------------------------------------------------------------------
    // Appends a field and shows it as a data column (or a fixed one); its index.
    int addField(const TableFieldSpec& spec);
    int fieldCount() const { return int(m_fields.size()); }
    const TableField& field(int index) const { return m_fields[std::size_t(index)]; }
    bool setFieldMask(int field, const std::string& mask, const std::string& fill = {});
    // The field shown in a data (fixed) column; -1 for none.
    int fieldOfColumn(int column) const;
    int fieldOfFixedColumn(int fixedColumn) const;

    // --- set up ---------------------------------------------------------------------------
    // Row count, mode (2 and 4 select several rows; 2 adds a row-header column), and the
    // name the column widths are kept under (with its section and settings file).
    void setUp(int rows, int mode, const std::string& widthKey = {}, const std::string& section = {},
               const std::string& settingsFile = {});
    void setRowCount(int rows);

    std::uint32_t options() const { return m_options; }
    // An option bit (below 0x1000) or a numbered switch.
    void setOption(std::uint32_t option, bool on);

    // --- editing --------------------------------------------------------------------------
    EditMode editMode() const { return m_editMode; }
    // Ends the edit in progress (and a row drag): with save the typed text is stored, else dropped.
    void endEdit(bool save);
    // How the parent wants a cell of the field edited (TBM_EDITKIND).
    LResult editKind(int field, int row);
    QComboBox* listEditor(int id) const;

    // --- row drags --------------------------------------------------------------------------
    bool isDragging() const { return m_drag.isDragging(); }

    // --- stored widths ----------------------------------------------------------------------
    bool keepsWidths() const { return !m_widthKey.empty(); }
    const std::string& widthSection() const { return m_widthSection; }
    const std::string& widthKey() const { return m_widthKey; }
    void saveWidths();

protected:
    // --- what the box adds to the grid's cells ----------------------------------------------
    bool cellText(int column, int row, std::string& text) override;
    bool fixedCellText(int fixedColumn, int row, std::string& text) override;
    // The row-header column of mode 2 marks the current row (a pencil while it holds a
    // change not yet stored) and the marked rows.
    bool fixedCellImage(int fixedColumn, int row, CellImage& image) override;
    ColorRef cellBackColor(int column, int row) override;
    ColorRef cellTextColor(int column, int row) override;
    void paintTextMarks(platform::Painter& painter, int column, int row, const QRect& cell, const QRect& textArea,
                        const std::string& text, const CSFont& font) override;
    bool storeCellText(int column, int row, const std::string& text) override;
    bool acceptsEditor(int column, int row) override;
    bool cellMask(int column, int row, std::string& mask, std::string& fill) override;
    void onPositionApplied(const TCellPosition& previous) override;

    // --- event handlers ---------------------------------------------------------------------
    LResult windowProc(framework::MessageId message, WParam wParam, LParam lParam) override;
    bool event(QEvent* event) override;
    void onKeyDown(int virtualKey, LParam keyData) override;
    void onChar(unsigned character, LParam keyData) override;
    void onMouse(framework::MessageId message, unsigned keyFlags, const QPoint& point) override;
    LResult onEditDblClk(WParam wParam, LParam lParam) override;
    LResult onEditChange(WParam wParam, LParam lParam) override;
    LResult onEditSetFocus(WParam wParam, LParam lParam) override;
    LResult onEditKillFocus(WParam wParam, LParam lParam) override;

private:
    TCellColumn columnFor(const TableFieldSpec& spec, int font) const;
    LResult toParent(framework::MessageId message, WParam wParam, LParam lParam);
    void commandToParent(int code);
    bool ownerColor(int column, int row, bool text, ColorRef& color);
    // Shows the parent's tooltip text for the cell under the mouse (TBM_TOOLTIP).
    bool showToolTip(const QHelpEvent& help);

    // Editing.
    // Changes the edit mode and repaints the row header of the current row.
    void setEditMode(EditMode mode);
    bool holdsChange() const;
    bool openList(int field);
    void closeList(bool save);

    // Keys.
    LResult editorKeyDown(int virtualKey);
    bool offerKey(int virtualKey);
    // Enter stays with the table box rather than going to the owner (options 0x04 and 0x40).
    bool keepsEnter() const;
    // The key is one the owner is never offered.
    bool keepsFromOwner(int virtualKey) const;
    bool askRowMove(int virtualKey);
    bool startsEdit(int virtualKey) const;
    bool startEditByKey(int virtualKey);
    // Home and End in a cell that is not being edited open its editor with the caret at the
    // start or the end of the text, as they move it in an open editor.
    bool startEditAtEdge(int virtualKey);
    void cancel();

    // Mouse.
    void selectByClick(unsigned keyFlags, const QPoint& point);

    // Stored widths.
    void restoreWidths();
    std::string widthsFile() const;

    std::vector<TableField> m_fields;
    std::vector<int> m_columnFields;        // per data column
    std::vector<int> m_fixedColumnFields;   // per fixed column
    std::uint32_t m_options = 0;
    EditMode m_editMode = EditMode::None;
    std::unique_ptr<TableListEditor> m_listEditor;   // made by setUp
    int m_keyFromEditor = 0;       // a key already offered by the editor, passed on to the grid
    int m_charFromKey = 0;         // an edit was started by a key whose character follows
    std::string m_cellText;        // keeps a stored text alive while it is sent
    bool m_clickDrags = false;     // a click may arm a row drag (kSwitchRowDrag)
    TableRowDrag m_drag{*this};
    std::string m_widthSection;
    std::string m_widthKey;
    std::string m_widthFile;
    bool m_widthsSaved = false;
};

} // namespace grid
