#pragma once

#include <cstdint>

#include "framework/messages.h"

// The records a grid exchanges with its owner by address.
namespace platform { class Painter; }

namespace grid {

class TCell;

// What navigation changes; also the layout passed by TCM_GETPOSITION and TCN_POSCHANGED.
struct TCellPosition {
    std::int32_t active = 0;        // the grid or its editor has the focus
    std::int32_t focused = 0;       // the grid window itself has the focus
    std::int32_t reserved = 0;
    std::int32_t originX = 0;       // pixels of the data columns scrolled out on the left
    std::int32_t originY = 0;       // pixels of the rows scrolled out on the top
    std::int32_t maxOriginX = 0;
    std::int32_t maxOriginY = 0;
    std::int32_t column = 0;        // current column
    std::int32_t row = 0;           // current row
    std::int32_t firstColumn = 0;   // visible ranges
    std::int32_t firstRow = 0;
    std::int32_t lastColumn = 0;
    std::int32_t lastRow = 0;
    std::int32_t totalWidth = 0;    // of the data columns, at least the data area width
    std::int32_t totalHeight = 0;   // of the rows, at least the data area height

    bool operator==(const TCellPosition&) const = default;
};

// One column, copied in and out by value.
struct TCellColumn {
    static constexpr int kHeaderTextSize = 128;
    static constexpr std::uint32_t kDefaultFormat = 0x0820;   // DT_SINGLELINE | DT_NOPREFIX

    std::int32_t ownerDrawn = 0;    // the notify window paints the cells (TCM_DRAWCELL)
    std::int32_t ownerEditor = 0;   // the notify window chooses the editor (cell-data kind 1)
    std::int32_t readOnly = 0;
    std::int32_t noEditor = 0;      // never edited in place
    std::int32_t image = 0;         // an image before the text
    std::int32_t isStatic = 0;      // takes no text from the owner
    std::int32_t flat = 0;          // fixed columns: no raised look
    std::uint32_t format = 0;       // DT_ text format; 0 means kDefaultFormat
    std::int32_t spare1 = 0;
    std::int32_t font = 0;          // index into the grid's font list
    std::int32_t maxEditLength = 0;
    std::int32_t widthChars = 10;   // below 1 means 10
    std::int32_t width = 0;         // pixels; 0 or below automatic, negative uses the average char width
    std::int32_t imageWidth = 16;
    std::int32_t imageHeight = 16;
    std::int32_t header[3] = {0, 0, 0};
    char headerText[kHeaderTextSize] = "NoName";
    std::int32_t spare2 = 0;

    std::uint32_t textFormat() const { return format == 0 ? kDefaultFormat : format; }
};

// lParam of TCM_INSERTCOLS: count records to insert.
struct TCellColumnList {
    std::int32_t count = 0;
    const TCellColumn* columns = nullptr;
};

// lParam of TCN_NOTIFY.
struct TCellNotify {
    TCell* grid = nullptr;
    std::int32_t controlId = 0;
    std::int32_t code = 0;
    framework::LParam first = 0;
    framework::LParam second = 0;
    TCellPosition position;
};

// lParam of TCM_GETCELLDATA and TCM_SETCELLDATA.
struct TCellDataRequest {
    TCell* grid = nullptr;
    std::int32_t controlId = 0;
    std::int32_t reserved1 = 0;
    std::int32_t column = 0;
    std::int32_t row = 0;
    std::int32_t reserved2 = 0;
    std::int32_t answerType = 0;
    std::int32_t reserved3 = 0;
    framework::LParam value = 0;    // a number, a char buffer, a std::string* or a QWidget*, by kind
};

struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// lParam of TCM_DRAWCELL.
struct TCellDrawItem {
    static constexpr std::uint32_t kControlType = 255;
    static constexpr std::uint32_t kStateSelected = 0x01;
    static constexpr std::uint32_t kStateMarked = 0x02;
    static constexpr std::uint32_t kStateCurrent = 0x10;

    std::uint32_t controlType = kControlType;
    std::int32_t controlId = 0;
    std::int32_t column = 0;
    std::uint32_t action = 1;       // 1, plus 0x10000 when painted at once
    std::uint32_t state = 0;
    TCell* grid = nullptr;
    platform::Painter* painter = nullptr;
    CellRect rect;                  // client coordinates of the data area
    std::int32_t row = 0;
};

} // namespace grid
