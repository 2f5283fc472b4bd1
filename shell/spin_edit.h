#pragma once

#include <QAbstractSpinBox>
#include <optional>

// A number field with up and down arrows. The text is free (a text that is not an integer
// is reported when it is read); only the arrows keep to the range.
class CSpinEdit : public QAbstractSpinBox {
public:
    CSpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    void setValue(int value);
    void setText(const QString& text);
    // The integer the field holds; nothing when its text is not one.
    std::optional<int> value() const;

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& position) const override;

private:
    int m_minimum;
    int m_maximum;
};
