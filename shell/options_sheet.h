#pragma once

#include "framework/services.h"
#include "shell/tab_sheet.h"

class CColorsPage;
class CExtendedPage;
class CGeneralPage;
class QPushButton;

// The options: the pages General, Colors and Extended. OK applies them in this order
// (General also saves the settings); Cancel applies nothing.
class COptionsSheet : public CTabSheet {
public:
    static constexpr const char* kCaption = "Options";

    explicit COptionsSheet(framework::Services& services, QWidget* parent = nullptr);

    CGeneralPage& generalPage() const { return *m_general; }
    CColorsPage& colorsPage() const { return *m_colors; }
    CExtendedPage& extendedPage() const { return *m_extended; }
    QTabBar& tabs() const { return *m_tabs; }
    QPushButton& okButton() const { return *m_ok; }
    QPushButton& cancelButton() const { return *m_cancel; }

    void accept() override;

private:
    QTabBar* m_tabs = nullptr;
    CGeneralPage* m_general = nullptr;
    CColorsPage* m_colors = nullptr;
    CExtendedPage* m_extended = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
