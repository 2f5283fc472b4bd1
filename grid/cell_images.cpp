#include "grid/cell_images.h"

#include <QImageReader>
#include <QPainter>
#include <cmath>

#include "platform/color_ref.h"

// The resource file is linked into a static library: register it before the first use.
static void registerGridResources()
{
    Q_INIT_RESOURCE(grid);
}

static void initGridResources()
{
    static const bool registered = (registerGridResources(), true);
    (void)registered;
}

namespace grid {

namespace {

constexpr int kListCount = 3;
constexpr int kPatternSize = 8;
constexpr ColorRef kMarksMask = 0x800000;

QImage readPicture(const char* resource, QSize size)
{
    QImageReader reader(QString::fromLatin1(resource));
    if (size.isValid())
        reader.setScaledSize(size);
    return reader.read();
}

// Pixels of the mask colour become transparent.
void applyMask(QImage& image, ColorRef mask)
{
    const QRgb masked = platform::toQColor(mask).rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == masked && qAlpha(line[x]) == 0xFF)
                line[x] = 0;
    }
}

// Without a mask nothing shows through: the picture is laid on white.
QImage flatten(const QImage& image)
{
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

} // namespace

std::optional<CellImage> CellImage::fromNumber(long long number)
{
    if (number < 0)
        return std::nullopt;
    const int list = int(number >> 16);
    if (list >= kListCount)
        return std::nullopt;
    return CellImage{list, int(number & 0xFFFF)};
}

CellImageList::CellImageList(const char* resource, int imageWidth, std::optional<ColorRef> maskColor)
    : m_resource(resource), m_imageWidth(imageWidth), m_maskColor(maskColor)
{
    initGridResources();
    const QSize size = QImageReader(QString::fromLatin1(resource)).size();
    if (size.isValid() && imageWidth > 0) {
        m_imageHeight = size.height();
        m_count = size.width() / imageWidth;
    }
}

const QPixmap& CellImageList::stripFor(qreal ratio) const
{
    auto found = m_strips.find(ratio);
    if (found != m_strips.end())
        return found->second;
    const QSize size(int(std::lround(m_count * m_imageWidth * ratio)), int(std::lround(m_imageHeight * ratio)));
    QImage image = readPicture(m_resource, size).convertToFormat(QImage::Format_ARGB32);
    if (m_maskColor)
        applyMask(image, *m_maskColor);
    else
        image = flatten(image);
    QPixmap strip = QPixmap::fromImage(image);
    strip.setDevicePixelRatio(ratio);
    return m_strips.emplace(ratio, strip).first->second;
}

bool CellImageList::draw(QPainter& painter, int index, QPoint topLeft) const
{
    if (index < 0 || index >= m_count)
        return false;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap& strip = stripFor(ratio);
    const QRectF source(index * m_imageWidth * ratio, 0, m_imageWidth * ratio, m_imageHeight * ratio);
    painter.drawPixmap(QRectF(topLeft, QSizeF(m_imageWidth, m_imageHeight)), strip, source);
    return true;
}

CellImages::CellImages()
    : m_lists{CellImageList(":/grid/2000.svg", 11, kMarksMask), CellImageList(":/grid/2001.svg", 11, std::nullopt),
             CellImageList(":/grid/2002.svg", 16, std::nullopt)}
{
    m_pattern = readPicture(":/grid/2003.svg", QSize(kPatternSize, kPatternSize)).convertToFormat(QImage::Format_RGB32);
}

const CellImageList* CellImages::list(int list) const
{
    return list >= 0 && list < kListCount ? &m_lists[std::size_t(list)] : nullptr;
}

QBrush CellImages::patternBrush(ColorRef background, ColorRef line, qreal ratio) const
{
    const int scale = std::max(1, int(std::lround(ratio)));
    QImage tile(kPatternSize * scale, kPatternSize * scale, QImage::Format_RGB32);
    const QRgb back = platform::toQColor(background).rgb();
    const QRgb fore = platform::toQColor(line).rgb();
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) {
            const bool dark = m_pattern.isNull() ? false : qGray(m_pattern.pixel(x / scale, y / scale)) < 128;
            tile.setPixel(x, y, dark ? fore : back);
        }
    QPixmap pixmap = QPixmap::fromImage(tile);
    pixmap.setDevicePixelRatio(scale);
    return QBrush(pixmap);
}

} // namespace grid
