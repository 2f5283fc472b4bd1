#pragma once

#include <QWidget>
#include <array>

#include "framework/messages.h"
#include "framework/services.h"

class CColorCombo;
class QComboBox;
class QDialog;
class QPushButton;

namespace grid {
class TCellTableBox;
class TableBoxHost;
}

// The Colors page of the options: the text and background colours of the five line states,
// chosen item by item in a colour box, with an example of every state and a way back to the
// default colours.
class CColorsPage : public QWidget {
public:
    static constexpr int kStates = 5;
    static constexpr int kBackgroundItem = 10;    // item numbers: 0..4 texts, 10..14 backgrounds

    // The dialog that owns the page receives the example's Enter and Escape.
    CColorsPage(framework::Services& services, QDialog& dialog, QWidget* parent = nullptr);
    ~CColorsPage() override;

    // Writes the page's colours into the colour table.
    void apply();
    // Resets the colour table itself at once and takes its colours again.
    void restoreDefaults();

    // The item number (0..4, 10..14) that is selected.
    int currentItem() const;
    void selectItem(int item);
    framework::ColorRef colorOf(int item) const;

    QComboBox& itemList() const { return *m_items; }
    CColorCombo& colorBox() const { return *m_colorBox; }
    grid::TCellTableBox& example() const { return *m_example; }
    QPushButton& defaultsButton() const { return *m_defaults; }

private:
    void takeColorTable();
    void showItemColor();
    void onColorChosen();
    void onCellChosen(int column, int row);
    framework::LResult onExampleRequest(framework::MessageId message, framework::WParam wParam,
                                        framework::LParam lParam);
    void fitExample();

    std::array<framework::ColorRef, kStates> m_text{};
    std::array<framework::ColorRef, kStates> m_background{};
    QComboBox* m_items = nullptr;
    CColorCombo* m_colorBox = nullptr;
    grid::TableBoxHost* m_host = nullptr;
    grid::TCellTableBox* m_example = nullptr;
    QPushButton* m_defaults = nullptr;
};
