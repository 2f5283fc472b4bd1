#pragma once

#include <string>

#include "framework/messages.h"

class QComboBox;

namespace grid {

class TCellTableBox;
class TableListDelegate;

// The drop-down list (control 1003) a table box edits a list field with. It tells the
// parent when the edit begins and ends (TBM_EDITEVENT), shows the stored value chosen and
// stores the chosen item (TBM_SETVALUE) as its text or number. Its items are owner-drawn
// through the box's measure-item and draw-item messages: the parent draws those of a cell
// it edits itself (edit kind 1002), the list the rest.
class TableListEditor {
public:
    static constexpr int kControlId = 1003;

    // Makes the hidden list as a child of the box.
    explicit TableListEditor(TCellTableBox& box);

    QComboBox* widget() const { return m_list; }

    // Places the list on the current cell of the field and gives it the focus.
    void open(int field);
    void popUp();
    // Stores the chosen item when save and a row is chosen, tells the parent the edit
    // ended and hides the list.
    void close(bool save);

    // A measure-item or draw-item message for the list's items.
    framework::LResult item(framework::MessageId message, framework::WParam wParam, framework::LParam lParam);

private:
    framework::LResult drawItem(framework::LParam lParam);

    TCellTableBox& m_box;
    QComboBox* m_list = nullptr;
    TableListDelegate* m_items = nullptr;
    int m_field = 0;
    bool m_byParent = false;      // the cell is edited by the parent (1002)
    std::string m_text;           // keeps a stored text alive while it is sent
};

} // namespace grid
