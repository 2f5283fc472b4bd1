#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The Go to line dialog: one integer field for a line number, "Go!" and "Cancel". "Go!"
// is available only while the field holds a whole number.
class CGotoLineDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kLineNumberId = 1020;

    explicit CGotoLineDlg(int lineNumber, QWidget* parent = nullptr);

    int lineNumber() const;
    QLineEdit& lineNumberField() const { return *m_field; }
    QPushButton& goButton() const { return *m_go; }

private:
    QLineEdit* m_field = nullptr;
    QPushButton* m_go = nullptr;
};
