#pragma once

#include <QComboBox>
#include <cstdint>

#include "framework/services.h"

// A drop-down list of colours, each entry drawn as a swatch: 21 fixed colours and, as asked
// at construction, entries for the default colour, a named custom colour, white, and, last,
// one that opens the colour dialog and keeps the colour chosen with it.
class CColorCombo : public QComboBox {
    Q_OBJECT

public:
    using Value = std::int32_t;    // a ColorRef, or one of the two marks below
    static constexpr Value kDefaultColor = -1;
    static constexpr Value kCustomColor = -3;
    static constexpr int kFixedColors = 21;

    struct Entries {
        bool defaultColor = false;
        const char* customName = nullptr;    // a named custom entry when set
        bool white = false;
        bool anyColor = false;
    };

    CColorCombo(framework::Services& services, const Entries& entries, QWidget* parent = nullptr);

    // The value of the selected entry.
    Value value() const;
    // Selects the entry with this value; the choose-any-colour entry takes it first, so a
    // colour outside the fixed set shows there.
    void setValue(Value value);
    // The entry that opens the colour dialog; -1 when there is none.
    int anyColorIndex() const { return m_anyColor; }
    Value valueAt(int index) const;

    void showPopup() override;

signals:
    // The user chose a colour (also one from the colour dialog).
    void colorChosen();

protected:
    void paintEvent(QPaintEvent* event) override;
    // The closed box moves its selection by keys and the wheel: that is no choice of the
    // entry that opens the colour dialog.
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void onActivated(int index);

    framework::Services& m_services;
    int m_anyColor = -1;
    int m_remembered = -1;    // the selection when the list was opened
    bool m_movingClosed = false;    // a key or the wheel is moving the closed box
};
