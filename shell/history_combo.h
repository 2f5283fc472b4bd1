#pragma once

#include <string>

#include <QComboBox>

// A drop-down combo box that remembers the texts typed into it, most recent first, in the
// settings file: key K = "Combo_" + name holds the count, K0, K1, ... the texts, K! the
// selected index. The history is read once and written when the box goes away.
class CHistoryCombo : public QComboBox {
    Q_OBJECT

public:
    static constexpr int kMaxStored = 10;

    explicit CHistoryCombo(QWidget* parent = nullptr);
    ~CHistoryCombo() override;

    // With a section, it replaces the default "Combos".
    void loadHistory(const std::string& name, const std::string& section = {});
    // The edit field's text goes to the top of the list, or selects the entry that has it
    // already (letter case ignored). An empty text does nothing.
    void addCurrentText();
    void saveHistory();

    const std::string& section() const { return m_section; }

    // Keys the box handles itself before the main window's accelerators see them.
    static bool takesKey(int key, Qt::KeyboardModifiers modifiers);

signals:
    // Enter in the edit field: the main frame turns it into the OK command.
    void accepted();
    // Esc in the edit field: the main frame turns it into the Cancel command.
    void cancelled();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::string m_historyKey;
    std::string m_section = "Combos";
};
