#pragma once

#include <QByteArray>
#include <QIconEngine>

// An icon drawn from an SVG picture at whatever size and scale it is asked for, so it is
// sharp on any screen. On a dark desktop palette the pictures' dark line colour becomes a
// light one, so the lines stay visible on a dark toolbar.
class SvgIcon : public QIconEngine {
public:
    explicit SvgIcon(QByteArray picture);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    bool isNull() override { return m_picture.isEmpty(); }

private:
    QByteArray m_picture;
};
