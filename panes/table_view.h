#pragma once

#include <memory>
#include <string>

#include "framework/command_target.h"
#include "framework/document.h"
#include "framework/view.h"
#include "grid/cell_table_box.h"
#include "grid/table_box_records.h"
#include "platform/window.h"

namespace panes {

class ViewFrame;

// A document view that hosts one table box filling it. It keeps the grid sized to the view,
// hands the focus to it, routes Copy, Paste and Cut to an open in-cell editor, and turns
// the grid's requests to its owner into virtual operations of the derived panes.
class CTableView : public platform::Window, public framework::View, public framework::CommandTarget {
public:
    static constexpr int kGridId = 12345;

    CTableView(framework::Document& document, ViewFrame& frame);
    ~CTableView() override;

    // Creates the view's window in parent, then its grid.
    bool createView(QWidget* parent);
    // The framework's initial update: InitTable.
    void initialUpdate();
    // The view became the frame's active view (or stopped being it).
    virtual void onActivateView(bool activate);
    // The focused view's look at a key before the main window's accelerators: true
    // swallows the key.
    virtual bool preTranslateKey(int virtualKey, Qt::KeyboardModifiers modifiers);

    grid::TCellTableBox* grid() const { return m_grid.get(); }
    framework::Document& document() const { return m_document; }
    ViewFrame& frame() const { return m_frame; }

    virtual void InitTable() {}
    virtual void CreateTable();
    // The cell's text, alive until the next call; null for none.
    virtual const char* GetCellText(int row, int column);
    virtual bool SetCellText(grid::TableValue* value);
    virtual bool OnCellChanged(grid::TableCellChange* change);
    virtual framework::LResult GetCellEditKind(int row, int column);
    virtual bool OnCellCommand(grid::TableValue* value);
    virtual bool IsEditable() = 0;

    // The grid's rectangle in the view: the client area grown by one pixel on every side,
    // so that the grid's own border lies outside.
    virtual QRect gridRect() const;
    void placeGrid();

protected:
    framework::LResult windowProc(framework::MessageId message, framework::WParam wParam,
                                  framework::LParam lParam) override;
    void onSize(int width, int height) override;
    void onSetFocus(QWidget* previous) override;

    // Hooks for the panes; the defaults do nothing.
    virtual bool cellColor(int row, grid::TableColorRequest& request);
    // The stretches of a painted row's text to mark; false for none.
    virtual bool cellMarks(int row, grid::TableCellMarks& marks);
    virtual const char* cellTip(int row);
    virtual void onCurrentRowChanged() {}
    virtual framework::LResult onGridNotify(const grid::TCellNotify& notify);
    virtual bool onKeyOffer(int virtualKey);

    bool editorOpen() const;
    // The host's Copy, Cut and Paste: the open in-cell editor's; nothing without one.
    bool hostCanCopy() const;
    bool hostCanCut() const;
    bool hostCanPaste() const;
    void hostCopy();
    void hostCut();
    void hostPaste();
    // Whether the keyboard focus lies on the view or one of its children (the grid, its editor).
    bool hasFocusWithin() const;
    // Keeps the grid and creates its window as this view's child with the grid's id.
    void adoptGrid(std::unique_ptr<grid::TCellTableBox> grid);

private:
    void addEditCommands();
    // A command sent to the view's window (the grid's Cancel), through its enable check.
    void carryOut(framework::CommandId id);
    void sendToEditor(framework::MessageId message);

    framework::Document& m_document;
    ViewFrame& m_frame;
    std::unique_ptr<grid::TCellTableBox> m_grid;
};

} // namespace panes
