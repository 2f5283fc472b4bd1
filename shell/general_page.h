#pragma once

#include <QWidget>

#include "framework/services.h"

class CSpinEdit;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The General page of the options: tab size, saving blanks, edit mode by default, the flat
// toolbar, the alternate compare tool, and the way to the filters editor.
class CGeneralPage : public QWidget {
public:
    static constexpr const char* kNotAnInteger = "Please enter an integer.";
    static constexpr const char* kSelectCompareFile = "Select compare file";
    // A program here has no ".exe": the first filter lists the files that can be run.
    static constexpr const char* kToolFilter = "Executables|*|All Files (*.*)|*.*||";

    explicit CGeneralPage(framework::Services& services, QWidget* parent = nullptr);

    // Reads the fields in their order into the settings and saves them. A number field that
    // holds no integer is reported; it and the fields after it keep their values.
    void apply();

    CSpinEdit& tabSize() const { return *m_tabSize; }
    QCheckBox& saveSpaces() const { return *m_saveSpaces; }
    CSpinEdit& rowHeight() const { return *m_rowHeight; }
    QCheckBox& editDefault() const { return *m_editDefault; }
    QCheckBox& flatToolbar() const { return *m_flatToolbar; }
    QLineEdit& tool() const { return *m_tool; }
    QPushButton& browseButton() const { return *m_browse; }
    QPushButton& filtersButton() const { return *m_filters; }

    void browseForTool();
    void editFilters();

private:
    void load();
    bool readInteger(const CSpinEdit& field, int& value);

    framework::Services& m_services;
    CSpinEdit* m_tabSize = nullptr;
    QCheckBox* m_saveSpaces = nullptr;
    CSpinEdit* m_rowHeight = nullptr;
    QCheckBox* m_editDefault = nullptr;
    QCheckBox* m_flatToolbar = nullptr;
    QLineEdit* m_tool = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_filters = nullptr;
};
