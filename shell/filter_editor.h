#pragma once

#include <QDialog>

#include "framework/messages.h"

class QPushButton;

namespace grid {
class TCellTableBox;
class TableBoxHost;
}

namespace settings {
class FilterList;
}

// Edits the file-name filters of the file dialogs in place, one row per filter with its
// name and masks: add, delete, rename, change the masks and reorder. There is no cancel;
// "Close" ends it.
class CFilterEditor : public QDialog {
public:
    static constexpr int kGridId = 1001;
    static constexpr const char* kWidthKey = "EditFilters";
    static constexpr const char* kCaption = "File Filters";

    explicit CFilterEditor(settings::FilterList& filters, QWidget* parent = nullptr);
    ~CFilterEditor() override;

    grid::TCellTableBox& grid() const { return *m_grid; }
    QPushButton& addButton() const { return *m_add; }
    QPushButton& deleteButton() const { return *m_delete; }
    QPushButton& upButton() const { return *m_up; }
    QPushButton& downButton() const { return *m_down; }
    QPushButton& closeButton() const { return *m_close; }

    void addFilter();
    void deleteFilter();
    void moveUp();
    void moveDown();
    // Moves the filter at source before the one at destination (at or beyond the count
    // means the top, negative the end) and makes its row current.
    void moveFilter(int destination, int source);

    void done(int result) override;

private:
    static constexpr int kNameWidth = 170;
    static constexpr int kMasksWidth = 210;
    framework::LResult onGridRequest(framework::MessageId message, framework::WParam wParam, framework::LParam lParam);
    framework::LResult cellValue(framework::LParam cell) const;
    framework::LResult storeValue(framework::LParam record);
    int currentRow() const;
    void setCurrentRow(int row);
    void updateButtons();
    QPushButton* iconButton(int iconId, const char* toolTip);

    settings::FilterList& m_filters;
    grid::TableBoxHost* m_host = nullptr;
    grid::TCellTableBox* m_grid = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_close = nullptr;
};
