#pragma once

#include <array>
#include <string>

#include <QPointer>

#include "framework/messages.h"

class QWidget;

namespace grid {

class CCellEdit;
class TCell;

// The editing cycle of a grid: its three in-cell editors (left, centred, right), the
// choice of the editor for the current cell, placing it over the cell with the cell's
// font, colours, mask and text, and committing the text before the current cell moves.
class TCellEditors {
public:
    explicit TCellEditors(TCell& grid);

    // When the editor on an unchanged cell loads its text again.
    enum class Reload { Never, UnlessTyped, Always };

    bool create();
    // After every applied position and structure change, and whenever a cell's edit kind
    // may have changed: re-chooses the editor, and when the cell or the editor changed,
    // loads it; on the same cell the text is loaded again as asked. Then lays it over the cell.
    void place(Reload reload = Reload::Never);
    // Before the current cell moves to (column, row): stores a modified text. False when
    // the owner refuses it; the editor then keeps its text.
    bool commit(int column, int row);
    // Gives the focus to the active editor when the current cell is editable.
    bool focus();
    framework::LResult clipboard(framework::MessageId message);
    // Stores a modified text without moving; false when the owner refuses it.
    bool commitInPlace();
    // Loads the current cell's text again, dropping what was typed.
    void reload();

    QWidget* active() const { return m_active; }
    // The active editor when it is one of the three standard ones, else none.
    CCellEdit* activeStandard() const;
    CCellEdit* standard(int index) const { return m_editors[std::size_t(index)]; }

private:
    QWidget* choose(int column, int row) const;
    bool typedInto() const;
    CCellEdit* standardFor(int column) const;
    bool isStandard(const QWidget* editor) const;
    void switchTo(QWidget* editor, int column, int row);
    void load(CCellEdit& editor, int column, int row, int caret);
    void loadMask(CCellEdit& editor, int column, int row);
    void lay(QWidget& editor, int column, int row);
    void colour(QWidget& editor, int column, int row);
    framework::LResult tellOwnerEditor(QWidget* editor, framework::MessageId message, int column, int row) const;

    TCell& m_grid;
    std::array<CCellEdit*, 3> m_editors{};
    QPointer<QWidget> m_active;
    int m_column = -1;    // the cell the active editor was loaded for
    int m_row = -1;
};

} // namespace grid
