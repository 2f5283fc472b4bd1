#pragma once

#include <string>

#include <QLabel>

#include "framework/services.h"

// A static text (or picture) of a dialog that opens an address when clicked. A centred
// text is drawn underlined in the link colour, which turns purple once the address opened.
class CLinkStatic : public QLabel {
    Q_OBJECT

public:
    static constexpr framework::ColorRef kLinkColor = 0xFF0000;       // blue
    static constexpr framework::ColorRef kVisitedColor = 0x800080;    // purple

    // An empty address opens the label's own text.
    CLinkStatic(framework::Services& services, const QString& text, Qt::Alignment alignment, std::string address,
                const QCursor& cursor, QWidget* parent = nullptr);

    const std::string& address() const { return m_address; }
    framework::ColorRef linkColor() const { return m_color; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void applyLinkLook();

    framework::Services& m_services;
    std::string m_address;
    framework::ColorRef m_color = kLinkColor;
};
