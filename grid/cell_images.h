#pragma once

#include <QBrush>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <array>
#include <map>
#include <optional>

#include "framework/services.h"

class QPainter;

namespace grid {

using framework::ColorRef;

// Which image a cell shows: a list and an image in it.
struct CellImage {
    int list = 0;     // 0, 1, 2 for the lists of bitmaps 2000, 2001, 2002
    int index = 0;

    // A number answered by the owner (cell-data kinds 5 and 7): the high word picks the
    // list, the low word the image; a negative number or an unknown list is no image.
    static std::optional<CellImage> fromNumber(long long number);
};

// One strip of equally wide images drawn from a vector picture, so that it stays sharp at
// any device pixel ratio. With a mask colour the pixels of that colour (and whatever the
// picture leaves empty) are transparent; without one every image is opaque.
class CellImageList {
public:
    CellImageList(const char* resource, int imageWidth, std::optional<ColorRef> maskColor);

    int imageWidth() const { return m_imageWidth; }
    int imageHeight() const { return m_imageHeight; }
    int count() const { return m_count; }

    // Draws one image with its top left corner at the point; false for a bad index.
    bool draw(QPainter& painter, int index, QPoint topLeft) const;

private:
    const QPixmap& stripFor(qreal ratio) const;

    const char* m_resource;
    int m_imageWidth;
    int m_imageHeight = 0;
    int m_count = 0;
    std::optional<ColorRef> m_maskColor;
    mutable std::map<qreal, QPixmap> m_strips;   // per device pixel ratio
};

// The images of a grid: the three image lists of bitmaps 2000 (11 pixels wide, mask colour
// 0x800000: row marks), 2001 (11 wide, opaque: check boxes) and 2002 (16 wide, opaque: cell
// buttons), and the 8x8 bitmap 2003 of the background pattern.
class CellImages {
public:
    // Row marks of list 2000.
    static constexpr int kCurrentRow = 0;
    static constexpr int kEditedRow = 1;
    static constexpr int kNewRow = 2;
    static constexpr int kMarkedRow = 3;

    CellImages();

    const CellImageList* list(int list) const;
    // The pattern brush: the bitmap's white pixels in the background colour, its black
    // ones in the line colour, each bitmap pixel ratio × ratio device pixels.
    QBrush patternBrush(ColorRef background, ColorRef line, qreal ratio) const;

private:
    std::array<CellImageList, 3> m_lists;
    QImage m_pattern;
};

} // namespace grid
