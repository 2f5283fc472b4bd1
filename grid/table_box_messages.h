#pragma once

#include <cstdint>

#include "framework/messages.h"
#include "grid/cell_messages.h"
#include "platform/window_messages.h"

// What a table box exchanges with its parent: message numbers, notification codes, the
// editor kinds and the packing of a cell into a parameter. The records passed by address
// are in table_box_records.h.
namespace grid {

using framework::MessageId;

// Requests to the parent; where a cell is meant, lParam (or wParam for the colour) packs
// the field in the high 8 bits and the row in the low 24 bits.
enum : MessageId {
    TBM_GETVALUE = 0x860,      // answer: address of the stored value, 0 none
    TBM_SETVALUE = 0x862,      // lParam: TableValue*; nonzero stored, -2 refused
    TBM_EDITKIND,              // answer: one of the editor kinds below
    TBM_EDITEVENT,             // lParam: TableValue* of a list edit, or 0
    TBM_CELLCHANGED = 0x866,   // lParam: TableCellChange* after a stored edit
    TBM_CANDRAG = 0x869,       // lParam: row << 16 | field; zero refuses
    TBM_DRAGOVER,              // lParam: screen x << 16 | screen y
    TBM_DROP,                  // lParam: screen x << 16 | screen y
    TBM_MOVEROW,               // wParam: destination (-1 the end), lParam: row
    TBM_CELLCOLOR,             // wParam: field and row, lParam: TableColorRequest*
    TBM_FIELDMASK,             // to itself; lParam: TableMaskRequest*
    TBM_TOOLTIP,               // lParam: field and row (kHeaderRow: header); answer: text
    TBM_CELLMARKS,             // wParam: field and row, lParam: TableCellMarks*
};
static_assert(TBM_EDITEVENT == 0x864 && TBM_CELLMARKS == 0x870);

// Codes of the command notifications (WM_COMMAND, wParam = control id + code << 16).
constexpr int TBN_CURROWCHANGED = 1;
constexpr int TBN_SELCHANGE = 0x881;
constexpr int TBN_CELLEDITED = 0x882;

constexpr framework::WParam commandParam(int controlId, int code)
{
    return framework::WParam(std::uint32_t(controlId) | (std::uint32_t(code) << 16));
}
constexpr int commandCode(framework::WParam wParam) { return int((wParam >> 16) & 0xFFFF); }

// Asked before a click changes the selection, under the number of the notification that
// follows the change; lParam: clicked row; nonzero cancels.
constexpr MessageId TBM_QUERYSELCHANGE = TBN_SELCHANGE;
// The editor's double-click, passed on to the parent under the same number; lParam: the
// editor; nonzero swallows the click.
constexpr MessageId TBM_EDITORDBLCLK = TCM_EDITDBLCLK;

// The code of the key offer (WM_NOTIFY): the number of the key-down message it offers.
constexpr std::uint32_t TBN_KEYOFFER = platform::WM_KEYDOWN;

// Editor kinds answered to TBM_EDITKIND.
enum : framework::LResult {
    kEditText = 1000,
    kEditByOwner,
    kEditByParent,
    kEditNone,
};
static_assert(kEditNone == 1003);

// The command a table box sends its parent on Escape (the dialog's Cancel).
constexpr int kCancelCommand = 2;

// Packing of a cell into a request parameter: the field in the high 8 bits, the row in the
// low 24; a header cell packs the row with every bit set.
constexpr std::uint32_t kPackedRowBits = 0xFFFFFF;
constexpr int kHeaderRow = int(kPackedRowBits);

constexpr framework::LParam packCell(int field, int row)
{
    return framework::LParam((std::uint32_t(field) << 24) | (std::uint32_t(row) & kPackedRowBits));
}
// A record passed by address.
inline framework::LParam addressParam(const void* address) { return reinterpret_cast<framework::LParam>(address); }
constexpr int packedField(framework::LParam packed) { return int((std::uint32_t(packed) >> 24) & 0xFF); }
constexpr int packedRow(framework::LParam packed) { return int(std::uint32_t(packed) & kPackedRowBits); }

} // namespace grid
