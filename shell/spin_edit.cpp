#include "shell/spin_edit.h"

#include <QLineEdit>
#include <algorithm>

CSpinEdit::CSpinEdit(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
{
    setAccelerated(true);
}

void CSpinEdit::setValue(int value)
{
    setText(QString::number(value));
}

void CSpinEdit::setText(const QString& text)
{
    lineEdit()->setText(text);
}

std::optional<int> CSpinEdit::value() const
{
    bool ok = false;
    const int number = text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

void CSpinEdit::stepBy(int steps)
{
    const int current = value().value_or(m_minimum);
    setValue(std::clamp(current + steps, m_minimum, m_maximum));
    selectAll();
}

QAbstractSpinBox::StepEnabled CSpinEdit::stepEnabled() const
{
    const std::optional<int> current = value();
    if (!current)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (*current < m_maximum)
        enabled |= StepUpEnabled;
    if (*current > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State CSpinEdit::validate(QString&, int&) const
{
    return QValidator::Acceptable;
}
