#pragma once

#include <cstdint>
#include <string>

#include "framework/log_font.h"
#include "framework/messages.h"
#include "framework/services.h"
#include "grid/cell_records.h"
#include "grid/table_value.h"
#include "platform/window_messages.h"

class QComboBox;

// What a table box exchanges with its parent: message numbers, notification codes, the
// editor kinds, and the records passed by address.
namespace grid {

using framework::MessageId;

// Requests to the parent; where a cell is meant, lParam (or wParam for the colour) packs
// the field in the high 8 bits and the row in the low 24 bits.
constexpr MessageId TBM_GETVALUE = 0x860;     // answer: address of the stored value, 0 none
constexpr MessageId TBM_SETVALUE = 0x862;     // lParam: TableValue*; nonzero stored, -2 refused
constexpr MessageId TBM_EDITKIND = 0x863;     // answer: one of the editor kinds below
constexpr MessageId TBM_EDITEVENT = 0x864;    // lParam: TableValue* of a list edit, or 0
constexpr MessageId TBM_CELLCHANGED = 0x866;  // lParam: TableCellChange* after a stored edit
constexpr MessageId TBM_CANDRAG = 0x869;      // lParam: row << 16 | field; zero refuses
constexpr MessageId TBM_DRAGOVER = 0x86a;     // lParam: screen x << 16 | screen y
constexpr MessageId TBM_DROP = 0x86b;         // lParam: screen x << 16 | screen y
constexpr MessageId TBM_MOVEROW = 0x86c;      // wParam: destination (-1 the end), lParam: row
constexpr MessageId TBM_CELLCOLOR = 0x86d;    // wParam: field and row, lParam: TableColorRequest*
constexpr MessageId TBM_FIELDMASK = 0x86e;    // to itself; lParam: TableMaskRequest*
constexpr MessageId TBM_TOOLTIP = 0x86f;      // lParam: field and row (row 0xFFFFFF: header); answer: text
constexpr MessageId TBM_CELLMARKS = 0x870;    // wParam: field and row, lParam: TableCellMarks*
constexpr MessageId TBM_QUERYSELCHANGE = 0x881;  // lParam: clicked row; nonzero cancels
constexpr MessageId TBM_EDITORDBLCLK = 0x625;   // lParam: the editor; nonzero swallows the click

// Codes of the command notifications (WM_COMMAND, wParam = control id + code << 16).
constexpr int TBN_CURROWCHANGED = 1;
constexpr int TBN_SELCHANGE = 0x881;
constexpr int TBN_CELLEDITED = 0x882;

// The code of the key offer (WM_NOTIFY), the platform's key-down message number.
constexpr std::uint32_t TBN_KEYOFFER = 256;

// Editor kinds answered to TBM_EDITKIND.
constexpr framework::LResult kEditText = 1000;
constexpr framework::LResult kEditByOwner = 1001;
constexpr framework::LResult kEditByParent = 1002;
constexpr framework::LResult kEditNone = 1003;

// The command a table box sends its parent on Escape (the dialog's Cancel).
constexpr int kCancelCommand = 2;

// Packing of a cell into a request parameter.
constexpr framework::LParam packCell(int field, int row)
{
    return framework::LParam((std::uint32_t(field) << 24) | (std::uint32_t(row) & 0xFFFFFF));
}
// A record passed by address.
inline framework::LParam addressParam(const void* address) { return reinterpret_cast<framework::LParam>(address); }
constexpr int packedField(framework::LParam packed) { return int((std::uint32_t(packed) >> 24) & 0xFF); }
constexpr int packedRow(framework::LParam packed) { return int(std::uint32_t(packed) & 0xFFFFFF); }

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
