#pragma once

#include <QToolBar>

class QStyle;

// The main window's toolbar, switchable between the classic look (raised buttons) and the
// flat look (buttons that rise under the pointer, etched separators and a gripper) at run time.
class CFlatToolBar : public QToolBar {
    Q_OBJECT

public:
    explicit CFlatToolBar(QWidget* parent = nullptr);
    ~CFlatToolBar() override;

    void setFlat(bool flat);
    bool isFlat() const { return m_flat; }

protected:
    void actionEvent(QActionEvent* event) override;

private:
    void applyLook();

    bool m_flat = false;
    QStyle* m_style = nullptr;    // draws the gripper and separators; owned by this bar
};
