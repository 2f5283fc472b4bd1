#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <functional>

#include "platform/color_ref.h"
#include "platform/painter.h"
#include "tests/grid/grid_owner.h"

namespace grid_test {
namespace {

using platform::toColorRef;

// A shown grid whose pictures are taken with grab().
struct PaintedGrid : GridFixture {
    PaintedGrid(std::uint32_t style, int columns, int rows) : GridFixture(style, columns, rows, 400, 300, 80)
    {
        owner->show();
    }

    QImage picture() const { return grid->grab().toImage(); }

    // The colour of a pixel given in client coordinates of the data area.
    ColorRef at(const QImage& image, QPoint client) const
    {
        return toColorRef(image.pixelColor(client + grid->clientArea().topLeft()));
    }
};

TEST(CellPaint, SelectedRowShowsTheHighlightColours)
{
    PaintedGrid f(0, 3, 20);
    f.grid->send(TCM_SETCURCELL, 0, 10);
    f.grid->send(TCM_SELECTROW, 4, 1);
    const QImage image = f.picture();
    const QRect selected = f.grid->cellRect(1, 4);
    EXPECT_EQ(f.at(image, selected.topLeft() + QPoint(60, 3)), f.grid->colors().selectedBackground);
    EXPECT_EQ(f.at(image, f.grid->cellRect(1, 5).topLeft() + QPoint(60, 3)), f.grid->colors().background);
    EXPECT_NE(f.grid->colors().selectedBackground, f.grid->colors().background);
}

TEST(CellPaint, CurrentCellOfAnActiveGridHasItsFrame)
{
    PaintedGrid f(TCS_HGRID | TCS_VGRID, 3, 20);
    f.grid->send(TCM_SETCURCELL, 1, 2);
    f.grid->send(TCM_SETFOCUSSTATE, 1, 1);
    const QImage image = f.picture();
    const QRect cell = f.grid->cellRect(1, 2);
    const ColorRef frame = f.grid->colors().frame;
    EXPECT_EQ(f.at(image, cell.topLeft() + QPoint(30, 0)), frame);                      // top edge
    EXPECT_EQ(f.at(image, QPoint(cell.left(), cell.top() + 8)), frame);                // left edge
    EXPECT_EQ(f.at(image, QPoint(cell.right() - 1, cell.top() + 8)), frame);           // inside the grid line
    // A read-only current cell has the grid-line colour as background: its lines turn shadow.
    EXPECT_EQ(f.at(image, QPoint(cell.right(), cell.top() + 8)), f.grid->colors().headerShadow);
    EXPECT_EQ(f.at(image, f.grid->cellRect(2, 4).topLeft() + QPoint(79, 8)), f.grid->colors().gridLine);
    // The rest of the current row is in the current-row colours, the cell in the editable-cell ones.
    EXPECT_EQ(f.at(image, f.grid->cellRect(0, 2).topLeft() + QPoint(60, 3)), f.grid->colors().currentRowBackground);
    EXPECT_EQ(f.at(image, cell.topLeft() + QPoint(60, 3)), f.grid->colors().readOnlyCellBackground);
}

TEST(CellPaint, NoFrameWithTallRowsOrWithoutEmphasis)
{
    PaintedGrid tall(TCS_TALLROWS, 3, 20);
    tall.grid->send(TCM_SETFOCUSSTATE, 1, 1);
    const QImage tallImage = tall.picture();
    EXPECT_NE(tall.at(tallImage, tall.grid->cellRect(0, 0).topLeft() + QPoint(30, 0)), tall.grid->colors().frame);

    PaintedGrid plain(0, 3, 20);
    plain.grid->setRowEmphasis(false);
    plain.grid->send(TCM_SETFOCUSSTATE, 1, 1);
    const QImage plainImage = plain.picture();
    EXPECT_EQ(plain.at(plainImage, plain.grid->cellRect(0, 0).topLeft() + QPoint(30, 0)),
              plain.grid->colors().background);
}

// An owner that colours every data row red through a grid subclass.
class RedRows : public TCell {
protected:
    ColorRef cellBackColor(int column, int row) override
    {
        return row >= 0 && row < rowCount() ? platform::rgb(255, 0, 0) : TCell::cellBackColor(column, row);
    }
};

TEST(CellPaint, AreaBelowTheLastRowHasTheBackgroundOfRowMinusOne)
{
    GridOwner owner;
    owner.resize(440, 340);
    RedRows grid;
    grid.create(&owner, QRect(0, 0, 400, 300), platform::WS_VISIBLE, 1);
    grid.send(TCM_INSERTCOLS, 0, 0);
    grid.send(TCM_INSERTROWS, 0, 3);
    owner.show();
    const QImage image = grid.grab().toImage();
    const QRect last = grid.cellRect(0, 2);
    const auto pixel = [&](QPoint p) { return toColorRef(image.pixelColor(p + grid.clientArea().topLeft())); };
    EXPECT_EQ(pixel(QPoint(last.left() + 40, last.top() + 2)), platform::rgb(255, 0, 0));
    EXPECT_EQ(pixel(QPoint(last.left() + 40, last.bottom() + 30)), grid.colors().background);
    EXPECT_EQ(pixel(QPoint(390, 5)), platform::rgb(255, 0, 0));     // the row band goes past the last column
}

// A grid that lets a test ask the colours it would paint a data cell in.
class ColourProbe : public TCell {
public:
    using TCell::cellBackColor;
    using TCell::cellTextColor;
};

using Role = ColorRef CellColors::*;

// Editable, three columns by six rows, the cell (1, 2) current in an active grid, row 3
// selected and marked, row 4 selected, row 5 marked, and every colour role a colour of its own.
struct ColourStates {
    GridOwner owner;
    ColourProbe* grid = new ColourProbe;

    ColourStates()
    {
        grid->create(&owner, QRect(0, 0, 400, 300), platform::WS_VISIBLE | TCS_EDITABLE, 1);
        for (int i = 0; i < 3; ++i)
            grid->send(TCM_INSERTCOLS, static_cast<WParam>(-1), 0);
        grid->send(TCM_INSERTROWS, 0, 6);
        grid->send(TCM_SETCURCELL, 1, 2);
        grid->send(TCM_SETFOCUSSTATE, 1, 1);
        grid->send(TCM_SELECTROW, 3, 1);
        grid->send(TCM_MARKROW, 3, 1);
        grid->send(TCM_SELECTROW, 4, 1);
        grid->send(TCM_MARKROW, 5, 1);
        ColorRef next = 0x101010;
        for (Role role : {&CellColors::background, &CellColors::text, &CellColors::selectedBackground,
                          &CellColors::selectedText, &CellColors::markedBackground, &CellColors::markedText,
                          &CellColors::currentRowBackground, &CellColors::currentRowText,
                          &CellColors::inactiveRowBackground, &CellColors::inactiveRowText,
                          &CellColors::editableCellBackground, &CellColors::editableCellText,
                          &CellColors::readOnlyCellBackground, &CellColors::readOnlyCellText})
            grid->colors().*role = next++;
    }
};

TEST(CellPaint, EachCellStateHasItsOwnPairOfColours)
{
    struct Case {
        const char* state;
        std::function<void(ColourProbe&)> arrange;
        int column;
        int row;
        Role back;
        Role text;
    };
    const auto asIs = [](ColourProbe&) {};
    const Case cases[] = {
        {"plain row", asIs, 0, 0, &CellColors::background, &CellColors::text},
        {"below the last row", asIs, 0, 6, &CellColors::background, &CellColors::text},
        {"above the first row", asIs, 0, -1, &CellColors::background, &CellColors::text},
        {"selected", asIs, 0, 4, &CellColors::selectedBackground, &CellColors::selectedText},
        {"marked", asIs, 0, 5, &CellColors::markedBackground, &CellColors::markedText},
        {"selected and marked", asIs, 0, 3, &CellColors::selectedBackground, &CellColors::selectedText},
        {"current row", asIs, 0, 2, &CellColors::currentRowBackground, &CellColors::currentRowText},
        {"current cell, editable", asIs, 1, 2, &CellColors::editableCellBackground, &CellColors::editableCellText},
        {"current cell, editing off", [](ColourProbe& g) { g.setEditEnabled(false); }, 1, 2,
         &CellColors::readOnlyCellBackground, &CellColors::readOnlyCellText},
        {"current cell of a marked row", [](ColourProbe& g) { g.send(TCM_MARKROW, 2, 1); }, 1, 2,
         &CellColors::readOnlyCellBackground, &CellColors::readOnlyCellText},
        {"current row outweighs its flags", [](ColourProbe& g) { g.send(TCM_SELECTROW, 2, 1); }, 0, 2,
         &CellColors::currentRowBackground, &CellColors::currentRowText},
        {"current cell, grid inactive", [](ColourProbe& g) { g.send(TCM_SETFOCUSSTATE, 0, 0); }, 1, 2,
         &CellColors::inactiveRowBackground, &CellColors::inactiveRowText},
        {"current row, grid inactive", [](ColourProbe& g) { g.send(TCM_SETFOCUSSTATE, 0, 0); }, 0, 2,
         &CellColors::inactiveRowBackground, &CellColors::inactiveRowText},
        {"current cell, no emphasis", [](ColourProbe& g) { g.setRowEmphasis(false); }, 1, 2,
         &CellColors::background, &CellColors::text},
        {"selected current row, no emphasis",
         [](ColourProbe& g) {
             g.setRowEmphasis(false);
             g.send(TCM_SELECTROW, 2, 1);
         },
         1, 2, &CellColors::selectedBackground, &CellColors::selectedText},
    };
    for (const Case& c : cases) {
        ColourStates f;
        c.arrange(*f.grid);
        const CellColors& colours = f.grid->colors();
        EXPECT_EQ(f.grid->cellBackColor(c.column, c.row), colours.*c.back) << c.state;
        EXPECT_EQ(f.grid->cellTextColor(c.column, c.row), colours.*c.text) << c.state;
    }
}

TEST(CellPaint, EmptyGridIsFilledWithTheBackground)
{
    PaintedGrid f(TCS_HGRID, 0, 0);
    const QImage image = f.picture();
    EXPECT_EQ(f.at(image, QPoint(100, 100)), f.grid->colors().background);
}

TEST(CellPaint, OnlyVisibleCellsAreAskedForTheirText)
{
    PaintedGrid f(0, 3, 100000);
    f.owner->clear();
    f.picture();
    const int visibleRows = f.pos().lastRow - f.pos().firstRow + 1;
    EXPECT_GT(f.owner->textRequests, 0);
    EXPECT_LE(f.owner->textRequests, 3 * visibleRows);
}

TEST(CellPaint, OwnerDrawnColumnGoesToTheOwner)
{
    struct Drawer : GridOwner {
        int drawn = 0;
        LResult windowProc(framework::MessageId message, WParam wParam, LParam lParam) override
        {
            if (message == TCM_DRAWCELL) {
                const auto* item = reinterpret_cast<const TCellDrawItem*>(lParam);
                item->painter->fillRect(QRect(item->rect.left, item->rect.top, item->rect.right - item->rect.left,
                                              item->rect.bottom - item->rect.top),
                                        platform::rgb(0, 0, 255));
                ++drawn;
                return 0;
            }
            return GridOwner::windowProc(message, wParam, lParam);
        }
    } owner;
    owner.resize(300, 200);
    TCell grid;
    grid.create(&owner, QRect(0, 0, 200, 100), platform::WS_VISIBLE, 5);
    TCellColumn drawn;
    drawn.ownerDrawn = 1;
    drawn.width = 50;
    TCellColumnList list{1, &drawn};
    grid.send(TCM_INSERTCOLS, 0, reinterpret_cast<LParam>(&list));
    grid.send(TCM_INSERTROWS, 0, 2);
    owner.show();
    const QImage image = grid.grab().toImage();
    EXPECT_EQ(owner.drawn, 2);
    EXPECT_EQ(owner.textRequests, 0);
    EXPECT_EQ(toColorRef(image.pixelColor(grid.clientArea().topLeft() + QPoint(20, 5))), platform::rgb(0, 0, 255));
}

TEST(CellPaint, ScreenshotOfATable)
{
    PaintedGrid f(TCS_HGRID | TCS_VGRID | TCS_HEADER | TCS_FIXEDBAND | TCS_COLSIZE, 0, 0);
    f.owner->text = [](int column, int row) {
        static const char* names[] = {"main.cpp", "cell.h", "window.cpp", "painter.h", "README"};
        if (column == 0)
            return std::string(names[row % 5]);
        return std::to_string((row * 37 + column * 11) % 1000);
    };
    const char* headers[] = {"Name", "Size", "Lines"};
    for (int i = 0; i < 3; ++i) {
        TCellColumn column;
        std::snprintf(column.headerText, sizeof column.headerText, "%s", headers[i]);
        column.width = i == 0 ? 140 : 80;
        column.format = i == 0 ? 0x820 : 0x822;
        TCellColumnList list{1, &column};
        f.grid->send(TCM_INSERTCOLS, static_cast<WParam>(-1), reinterpret_cast<LParam>(&list));
    }
    TCellColumn numbers;
    numbers.width = 36;
    numbers.format = 0x821;
    std::snprintf(numbers.headerText, sizeof numbers.headerText, "#");
    f.grid->insertFixedColumns(0, &numbers, 1);
    f.grid->send(TCM_INSERTROWS, 0, 40);
    f.grid->send(TCM_SETROWHEIGHT, static_cast<WParam>(-1), -1);
    f.grid->send(TCM_SELECTROW, 5, 1);
    f.grid->send(TCM_SETCURCELL, 1, 2);
    f.grid->send(TCM_SETFOCUSSTATE, 1, 1);
    const QImage image = f.picture();
    image.save(QDir::temp().filePath(QStringLiteral("bivalo_grid.png")));
    EXPECT_EQ(f.at(image, f.grid->cellRect(1, 5).topLeft() + QPoint(2, 2)), f.grid->colors().selectedBackground);
}

// Header and corner cells are one raised face; only a header's right shadow line stops short
// of the band's edges.
TEST(CellPaint, HeaderAndCornerCellsHaveShadowLinesOnTheirRightAndBottom)
{
    PaintedGrid f(TCS_HEADER | TCS_FIXEDBAND, 2, 3);
    TCellColumn fixed;
    fixed.width = 30;
    f.grid->insertFixedColumns(0, &fixed, 1);
    const QImage image = f.picture();
    const QRect data = f.grid->clientArea();
    const int top = data.top() - f.grid->headerBandHeight();
    const int bottom = data.top() - 1;
    const int cornerRight = data.left() - 1;
    const int headerRight = data.left() + 79;
    const CellColors& c = f.grid->colors();
    const auto pixel = [&image](int x, int y) { return toColorRef(image.pixelColor(x, y)); };
    EXPECT_EQ(pixel(cornerRight, top + 1), c.headerShadow);
    EXPECT_EQ(pixel(cornerRight - 10, bottom), c.headerShadow);
    EXPECT_EQ(pixel(cornerRight - 10, top + 1), c.headerFace);
    EXPECT_EQ(pixel(headerRight, top + 1), c.headerFace);
    EXPECT_EQ(pixel(headerRight, top + 5), c.headerShadow);
    EXPECT_EQ(pixel(headerRight - 10, bottom), c.headerShadow);
    EXPECT_EQ(pixel(headerRight - 10, top + 1), c.headerFace);
}

// --- images and the background pattern ------------------------------------------------------

// A grid with one image column (images 11 wide) in front of a text column.
struct ImageGrid : PaintedGrid {
    explicit ImageGrid(std::uint32_t style = 0, int format = 0) : PaintedGrid(style, 0, 0)
    {
        TCellColumn images;
        images.image = 1;
        images.imageWidth = 11;
        images.width = 60;
        images.format = std::uint32_t(format);
        TCellColumnList list{1, &images};
        grid->send(TCM_INSERTCOLS, static_cast<WParam>(-1), reinterpret_cast<LParam>(&list));
        grid->send(TCM_INSERTROWS, 0, 6);
        grid->send(TCM_SETROWHEIGHT, static_cast<WParam>(-1), 21);
        grid->send(TCM_SETCURCELL, 0, 5);
    }
    // A pixel of the image drawn in a cell, counted from the image's top left corner.
    ColorRef imagePixel(const QImage& image, int row, QPoint inImage, int left = 4) const
    {
        const QRect cell = grid->cellRect(0, row);
        return at(image, QPoint(cell.left() + left, cell.top() + (cell.height() - 11) / 2) + inImage);
    }
};

constexpr ColorRef kInk = 0x1F1F1F;

// Mostly covered by the images' dark ink (edges are smoothed).
bool isInked(ColorRef colour)
{
    return (colour & 0xFF) < 0x60 && ((colour >> 8) & 0xFF) < 0x60 && ((colour >> 16) & 0xFF) < 0x60;
}

TEST(CellImages, OwnersNumberPicksTheImageAndMarksAreTransparent)
{
    ImageGrid f;
    f.owner->number = [](int, int row) { return row == 1 ? 0 : row == 2 ? 3 : -1; };   // arrow, lock
    f.grid->send(TCM_SELECTROW, 1, 1);
    const QImage image = f.picture();
    const ColorRef selected = f.grid->colors().selectedBackground;
    EXPECT_EQ(f.imagePixel(image, 1, QPoint(4, 5)), kInk);          // inside the arrow
    EXPECT_EQ(f.imagePixel(image, 1, QPoint(1, 5)), selected);      // the row shows round it
    EXPECT_EQ(f.imagePixel(image, 1, QPoint(9, 1)), selected);
    EXPECT_EQ(f.imagePixel(image, 2, QPoint(5, 8)), kInk);          // the lock's body
    EXPECT_EQ(f.imagePixel(image, 2, QPoint(5, 4)), f.grid->colors().background);   // inside the shackle
    EXPECT_EQ(f.imagePixel(image, 0, QPoint(4, 5)), f.grid->colors().background);   // no number, no image
}

TEST(CellImages, HighWordPicksAnOpaqueList)
{
    ImageGrid f;
    f.owner->number = [](int, int row) { return row == 1 ? 0x10000 : row == 2 ? 0x10001 : 0x30000; };
    f.grid->send(TCM_SELECTROW, 1, 1);
    const QImage image = f.picture();
    EXPECT_EQ(f.imagePixel(image, 1, QPoint(5, 5)), platform::rgb(255, 255, 255));  // box inside, not the row
    EXPECT_EQ(f.imagePixel(image, 1, QPoint(0, 5)), platform::rgb(0x5A, 0x5A, 0x5A));
    EXPECT_TRUE(isInked(f.imagePixel(image, 2, QPoint(5, 7))));     // the tick of a checked box
    EXPECT_EQ(f.imagePixel(image, 1, QPoint(5, 7)), platform::rgb(255, 255, 255));
    EXPECT_EQ(f.imagePixel(image, 0, QPoint(5, 5)), f.grid->colors().background);   // list 3 does not exist
}

TEST(CellImages, StaticCentredColumnCentresItsImage)
{
    ImageGrid f(0, platform::DT_CENTER);
    TCellColumn column = f.grid->column(0);
    f.grid->send(TCM_DELETECOLS, 0, 1);
    column.isStatic = 1;
    TCellColumnList list{1, &column};
    f.grid->send(TCM_INSERTCOLS, 0, reinterpret_cast<LParam>(&list));
    f.owner->number = [](int, int) { return 0; };
    const QImage image = f.picture();
    const int left = (60 - 11) / 2;
    EXPECT_EQ(f.imagePixel(image, 1, QPoint(4, 5), left), kInk);
    EXPECT_EQ(f.imagePixel(image, 1, QPoint(4, 5)), f.grid->colors().background);
}

TEST(CellImages, FixedCellsShowTheirImageAndTheTextMovesRight)
{
    PaintedGrid f(TCS_FIXEDBAND | TCS_FLATFIXED, 1, 4);
    TCellColumn header;
    header.image = 1;
    header.imageWidth = 11;
    header.width = 60;
    f.grid->insertFixedColumns(0, &header, 1);
    f.owner->fixedNumber = [](int, int row) { return row == 2 ? 2 : -1; };
    f.owner->fixedText = [](int, int) { return std::string("W"); };
    const QImage image = f.picture();
    const auto fixedPixel = [&](int row, QPoint p) {
        const QRect line = f.grid->rowRect(row).translated(f.grid->clientArea().topLeft());
        return toColorRef(image.pixelColor(QPoint(0, line.top() + (line.height() - 11) / 2) + p));
    };
    EXPECT_EQ(fixedPixel(2, QPoint(4 + 5, 5)), kInk);                      // the star's centre
    EXPECT_EQ(fixedPixel(1, QPoint(4 + 5, 5)), f.grid->colors().headerFace);
    // The text starts right of the image area (11 + 4) and its inset.
    const QRect line = f.grid->rowRect(1).translated(f.grid->clientArea().topLeft());
    bool inkLeftOfText = false;
    for (int x = 0; x < 15 + 4; ++x)
        for (int y = line.top() + 2; y < line.bottom() - 2; ++y)
            inkLeftOfText |= toColorRef(image.pixelColor(x, y)) == f.grid->colors().headerText;
    EXPECT_FALSE(inkLeftOfText);
}

TEST(CellImages, ImagesStaySharpOnAHighDensityScreen)
{
    CellImages images;
    QImage picture(22, 22, QImage::Format_ARGB32);
    picture.setDevicePixelRatio(2.0);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    ASSERT_TRUE(images.list(0)->draw(painter, CellImages::kCurrentRow, QPoint(0, 0)));
    painter.end();
    // The arrow's tip is a single logical pixel: drawn at full density it has fully inked
    // device pixels next to fully clear ones instead of one scaled-up blur.
    EXPECT_EQ(picture.pixelColor(8, 11).alpha(), 255);
    EXPECT_EQ(picture.pixelColor(2, 11).alpha(), 0);
    EXPECT_FALSE(images.list(0)->draw(painter, 4, QPoint(0, 0)));
}

// Counts the pixels of one colour in a block of the data area.
int countColour(const PaintedGrid& f, const QImage& image, QRect block, ColorRef colour)
{
    int n = 0;
    for (int y = block.top(); y <= block.bottom(); ++y)
        for (int x = block.left(); x <= block.right(); ++x)
            n += f.at(image, QPoint(x, y)) == colour;
    return n;
}

TEST(CellPaint, PatternFillsTheAreaBelowTheLastRowWhenSwitchedOn)
{
    PaintedGrid f(TCS_HEADER, 2, 3);
    const QRect below(40, f.grid->cellRect(0, 2).bottom() + 20, 8, 8);
    const ColorRef line = f.grid->colors().gridLine;
    ASSERT_NE(line, f.grid->colors().background);
    EXPECT_EQ(countColour(f, f.picture(), below, line), 0);
    f.grid->setBackgroundPattern(true);
    const QImage image = f.picture();
    EXPECT_EQ(countColour(f, image, below, line), 8);       // one diagonal per 8x8 tile
    EXPECT_EQ(countColour(f, image, below, f.grid->colors().background), 56);
    EXPECT_EQ(countColour(f, image, QRect(40, 2, 8, 8), line), 0);   // the rows keep their colour
}

} // namespace
} // namespace grid_test
