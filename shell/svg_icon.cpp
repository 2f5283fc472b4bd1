#include "shell/svg_icon.h"

#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "shell/desktop_theme.h"

namespace {

// The line colour of the pictures, and what it becomes on a dark palette.
const QByteArray kDarkInk = "#37474f";
const QByteArray kLightInk = "#cfd8dc";

} // namespace

SvgIcon::SvgIcon(QByteArray picture) : m_picture(std::move(picture)) {}

QSize SvgIcon::actualSize(const QSize& size, QIcon::Mode, QIcon::State)
{
    return size;
}

QPixmap SvgIcon::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap SvgIcon::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale)
{
    QByteArray picture = m_picture;
    if (shell::themeOf(QApplication::palette()) == settings::ColorTheme::Dark)
        picture.replace(kDarkInk, kLightInk);
    QBuffer source(&picture);
    QImageReader reader(&source, "svg");
    reader.setScaledSize(size * scale);
    QPixmap drawn = QPixmap::fromImage(reader.read());
    if (mode == QIcon::Disabled && !drawn.isNull()) {
        QStyleOption option;
        option.palette = QApplication::palette();
        drawn = QApplication::style()->generatedIconPixmap(QIcon::Disabled, drawn, &option);
    }
    drawn.setDevicePixelRatio(scale);
    return drawn;
}

void SvgIcon::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal scale = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
}

QIconEngine* SvgIcon::clone() const
{
    return new SvgIcon(m_picture);
}
