#pragma once

#include <cstdint>
#include <string>

#include "framework/log_font.h"
#include "framework/messages.h"
#include "framework/services.h"
#include "grid/cell_records.h"
#include "grid/table_box_messages.h"
#include "grid/table_value.h"
#include "platform/window_messages.h"

class QComboBox;

// The records a table box and its parent pass by address, and the flag word of a field.
namespace grid {

// Flag word of a field.
constexpr std::uint32_t kFieldFixed = 0x0002;          // shown as a fixed (row-header) column
constexpr std::uint32_t kFieldNoList = 0x0008;
constexpr std::uint32_t kFieldList = 0x0100;           // edited with the drop-down list
constexpr std::uint32_t kFieldMaskFromParent = 0x0200;
constexpr std::uint32_t kFieldReadOnly = 0x8000;       // set for a field added as not editable
constexpr std::uint32_t kFieldOwnerEditor = 0x600000;

// One typed value column of a table box.
struct TableField {
    std::string caption;
    ValueType type = ValueType::Text;
    std::uint32_t flags = 0;
    std::string mask;    // up to 40 characters each
    std::string fill;
    int font = 1;
};

// The arguments of adding a field.
struct TableFieldSpec {
    std::string caption;
    ValueType type = ValueType::Text;
    bool editable = true;
    int width = 0;                 // 0 or below: 10 characters
    bool widthInPixels = false;    // else in characters
    const framework::LogFont* font = nullptr;
    std::uint32_t flags = 0;
};

// lParam of TBM_CELLCOLOR: the parent fills the colour and answers nonzero.
struct TableColorRequest {
    framework::ColorRef color = 0;
    std::int32_t text = 0;    // nonzero: the text colour is asked, else the background
};

// A stretch of a cell's text bytes, [start, end), on a character boundary.
struct CellMark {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
};

// lParam of TBM_CELLMARKS, asked while a cell's text is painted: the parent points marks
// at the stretches to paint behind the text in color (alive until its next answer) and
// answers nonzero.
struct TableCellMarks {
    const CellMark* marks = nullptr;
    std::int32_t count = 0;
    framework::ColorRef color = 0;
};

// lParam of TBM_CELLCHANGED.
struct TableCellChange {
    std::int32_t column = 0;
    std::int32_t row = 0;
    std::int32_t field = 0;
};

// lParam of TBM_FIELDMASK.
struct TableMaskRequest {
    std::int32_t field = 0;
    std::int32_t row = 0;
    std::string mask;
    std::string fill;
};

// lParam of the key offer (WM_NOTIFY): the common header, then 0 and the key.
struct TableKeyOffer {
    void* window = nullptr;
    std::uintptr_t controlId = 0;
    std::uint32_t code = TBN_KEYOFFER;
    std::int32_t reserved = 0;
    std::int32_t key = 0;
};

// lParam of WM_MEASUREITEM from the list editor 1003; its items all have one height,
// measured once when the list opens (item 0).
struct TableListMeasureItem {
    std::uint32_t controlType = platform::ODT_COMBOBOX;
    std::int32_t controlId = 0;
    std::int32_t itemId = 0;
    std::uint32_t itemWidth = 0;
    std::uint32_t itemHeight = 0;
    framework::LParam itemData = 0;    // the item's data number
};

// lParam of WM_DRAWITEM from the list editor 1003: the item is painted in rect.
struct TableListDrawItem {
    std::uint32_t controlType = platform::ODT_COMBOBOX;
    std::int32_t controlId = 0;
    std::int32_t itemId = 0;
    std::uint32_t action = platform::ODA_DRAWENTIRE;
    std::uint32_t state = 0;           // ODS_SELECTED, ODS_FOCUS
    QComboBox* window = nullptr;
    platform::Painter* painter = nullptr;
    CellRect rect;
    framework::LParam itemData = 0;
};

} // namespace grid
