#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

#include <QWidget>

#include "framework/command_ids.h"
#include "framework/services.h"

// The main window's status bar. Besides plain text panes it draws chosen panes itself in
// chosen colours, shows coloured messages (optionally cleared after a delay), turns panes
// into check boxes, sends a pane's command when it is clicked, and gives panes tool tips.
class CColorStatusBar : public QWidget {
    Q_OBJECT

public:
    using ColorRef = framework::ColorRef;
    static constexpr ColorRef kDefaultColor = 0xFFFFFFFF;    // -1: the bar's text colour, greyed when disabled

    enum PaneFlags : unsigned {
        Checked = 0x01,
        CheckBox = 0x10,
        SingleClick = 0x20,
        DoubleClick = 0x40,
        ClickWhenDisabled = 0x80,
        HasBackground = 0x100,
        ShowsMessage = 0x200,
    };
    static constexpr std::size_t kMaxTipLength = 79;

    explicit CColorStatusBar(QWidget* parent = nullptr);

    // One pane per id, in order; id 0 is the stretching message pane. The texts come from
    // the string table and give the panes their widths.
    void setIndicators(std::span<const framework::CommandId> ids);
    int paneCount() const { return int(m_panes.size()); }
    int paneOfCommand(framework::CommandId id) const;    // -1 when no pane shows it
    framework::CommandId paneCommand(int pane) const { return m_panes.at(pane).id; }
    QRect paneRect(int pane) const;

    void setPaneText(int pane, const std::string& text);
    const std::string& paneText(int pane) const { return m_panes.at(pane).text; }
    int paneWidth(int pane) const { return m_panes.at(pane).width; }
    void setPaneEnabled(int pane, bool enabled);
    bool paneEnabled(int pane) const { return m_panes.at(pane).enabled; }

    void setPaneColor(int pane, ColorRef textColor, bool fit);
    // The pane is filled with the colour before its text is drawn.
    void setPaneBackground(int pane, ColorRef background);
    void setOwnerDrawnDefault(int pane);
    void makeCheckBox(int pane);
    void setClick(int pane, bool onlyWhenEnabled, bool doubleClick);
    void setTip(int pane, const std::string& tip);
    const std::string& tip(int pane) const { return m_panes.at(pane).tip; }
    void setCheck(framework::CommandId id, bool checked);

    void showMessage(int pane, const std::string& text, ColorRef background, ColorRef textColor);
    // A delay of 0 shows the idle text at once; else after delay tenths of a second.
    void clearMessage(int pane, int delayTenths);

    unsigned paneFlags(int pane) const { return m_panes.at(pane).flags; }
    bool isOwnerDrawn(int pane) const { return m_panes.at(pane).ownerDrawn; }
    ColorRef textColor(int pane) const { return m_panes.at(pane).textColor; }

    // Receives the command of a clicked pane (the main window routes it).
    void setCommandSink(std::function<void(framework::CommandId)> sink) { m_commandSink = std::move(sink); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Pane {
        framework::CommandId id = 0;
        std::string text;
        int width = 0;
        bool stretch = false;
        bool enabled = true;
        bool ownerDrawn = false;
        ColorRef background = 0;
        ColorRef textColor = kDefaultColor;
        unsigned flags = 0;
        std::string tip;
        std::string message;
    };

    int paneAt(QPoint point) const;
    int textWidth(const std::string& text) const;
    void clickPane(QPoint point, unsigned clickFlag);
    void drawPane(QPainter& painter, int pane);
    void drawOwnerPane(QPainter& painter, int pane, const QRect& inside);
    void drawCheckBox(QPainter& painter, const Pane& pane, const QRect& inside);
    void stopTimerOf(int pane);

    std::vector<Pane> m_panes;
    std::map<int, int> m_messageTimers;    // timer id -> pane
    std::function<void(framework::CommandId)> m_commandSink;
};
