#pragma once

#include "framework/messages.h"
#include "grid/mask_edit.h"

namespace platform {
class Window;
}

namespace grid {

// The in-cell variant of the masked edit: a child of a grid that lies over the current
// cell. Every key, character and mouse event is offered to the grid first (an answer of
// -2 swallows it); the keys that leave the text at its edges, Tab, Enter and the vertical
// moves are passed on to the grid so that it moves the current cell.
class CCellEdit : public CMaskEdit {
    Q_OBJECT
public:
    // The grid is the parent; the identifier is 1, 2 or 3 for left, centred and right text.
    CCellEdit(platform::Window* grid, int controlId, Qt::Alignment alignment);

    int controlId() const { return m_controlId; }
    platform::Window* grid() const { return m_grid; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    enum class Route { Edit, ToGrid, ToGridKeepCaret };
    Route routeOf(const QKeyEvent* event) const;
    void passToGrid(const QKeyEvent* event);
    bool offerCharacter(const QKeyEvent* event);
    bool offerMouse(unsigned message, const QMouseEvent* event);
    framework::LResult offer(unsigned message, framework::WParam wParam);

    platform::Window* m_grid;
    int m_controlId;
    bool m_rightClickTaken = false;
};

} // namespace grid
