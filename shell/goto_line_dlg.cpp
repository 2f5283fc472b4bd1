#include "shell/goto_line_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

CGotoLineDlg::CGotoLineDlg(int lineNumber, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Go to line");
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_field = new QLineEdit(QString::number(lineNumber), this);
    m_field->setObjectName(QString::number(kLineNumberId));
    m_field->setValidator(
        new QIntValidator(std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), m_field));
    m_field->selectAll();
    auto* label = new QLabel("Line number:", this);
    label->setBuddy(m_field);
    row->addWidget(label);
    row->addWidget(m_field);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(this);
    m_go = buttons->addButton("Go!", QDialogButtonBox::AcceptRole);
    m_go->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_field, &QLineEdit::textChanged, this, [this] { m_go->setEnabled(m_field->hasAcceptableInput()); });
    layout->addWidget(buttons);
}

int CGotoLineDlg::lineNumber() const
{
    return m_field->text().toInt();
}
