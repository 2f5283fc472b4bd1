#include "shell/link_static.h"

#include <QMouseEvent>

#include "platform/color_ref.h"

CLinkStatic::CLinkStatic(framework::Services& services, const QString& text, Qt::Alignment alignment,
                         std::string address, const QCursor& cursor, QWidget* parent)
    : QLabel(text, parent), m_services(services), m_address(std::move(address))
{
    setAlignment(alignment);
    setCursor(cursor);
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    applyLinkLook();
}

void CLinkStatic::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    const std::string target = m_address.empty() ? text().toStdString() : m_address;
    if (target.empty())
        return;
    if (!m_services.openAddress(target))
        return;
    m_color = kVisitedColor;
    applyLinkLook();
}

void CLinkStatic::applyLinkLook()
{
    if (!(alignment() & Qt::AlignHCenter))
        return;
    if (!font().underline()) {
        QFont underlined = font();
        underlined.setUnderline(true);
        setFont(underlined);
    }
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, platform::toQColor(m_color));
    setPalette(colors);
    setAutoFillBackground(false);
    update();
}
