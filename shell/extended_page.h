#pragma once

#include <QWidget>
#include <vector>

class QCheckBox;

// The Extended page of the options: switches of the comparison and of the panes, each a
// check box bound to one field of the settings. They reach the settings file with its next
// save.
class CExtendedPage : public QWidget {
public:
    explicit CExtendedPage(QWidget* parent = nullptr);

    void apply();
    // The check box of the switch with this label; null for none.
    QCheckBox* checkBox(const char* label) const;

private:
    std::vector<QCheckBox*> m_checks;    // one per switch, in the order of the table
};
