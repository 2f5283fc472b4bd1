#pragma once

#include <cstdint>

#include "framework/messages.h"

// The grid's private messages, notification codes and style bits. The numbers are the
// protocol between a grid and its owner and keep their values.
namespace grid {

using framework::MessageId;

// A signed message parameter (WParam or LParam): a WParam carries a negative number as
// its two's complement.
template <typename Param>
constexpr int toInt(Param value)
{
    return static_cast<int>(static_cast<std::intptr_t>(value));
}

// Notification message to the notify window; lParam points at a TCellNotify.
constexpr MessageId TCN_NOTIFY = 0x600;

// The grid's own messages run on from 0x801.
enum : MessageId {
    // Position messages.
    TCM_GETPOSITION = 0x801,
    TCM_SETSCROLLX,
    TCM_SETSCROLLY,
    TCM_SETCURCELL,
    TCM_SETCURCELLNOSCROLL,
    TCM_ROWUP,
    TCM_ROWDOWN,
    TCM_COLLEFT,
    TCM_COLRIGHT,
    TCM_HSCROLL,
    TCM_VSCROLL,
    TCM_FIRSTROW,
    TCM_LASTROW,
    TCM_TOPROW,
    TCM_BOTTOMROW,
    TCM_FIRSTCOL,
    TCM_LASTCOL,
    TCM_LEFTCOL,
    TCM_RIGHTCOL,
    TCM_PAGEUP,
    TCM_PAGEDOWN,
    TCM_PAGELEFT,
    TCM_PAGERIGHT,
    TCM_SETFOCUSSTATE,

    // Repaint messages.
    TCM_UPDATECELL,
    TCM_INVALIDATECOL,
    TCM_INVALIDATEROW,
    TCM_REDRAWFIXEDCOL,
    TCM_REDRAWCELL,
    TCM_REDRAWFIXEDROW,

    // Geometry and state messages (each preceded by its notification).
    TCM_SETCOLWIDTH,
    TCM_SETFIXEDCOLWIDTH,
    TCM_SETROWHEIGHT,
    TCM_SELECTROW,
    TCM_MARKROW,

    // Requests to the notify window (TCM_DRAWCELL below too).
    TCM_QUERYPOSCHANGE,
    TCM_GETCELLDATA,
    TCM_SETCELLDATA,

    // Structure messages.
    TCM_INSERTCOLS,
    TCM_INSERTROWS,
    TCM_DELETECOLS,
    TCM_DELETEROWS,

    // Asks the notify window to paint a cell.
    TCM_DRAWCELL,
};
static_assert(TCM_SETFOCUSSTATE == 0x818 && TCM_DRAWCELL == 0x82b);

// From the in-cell editor to the grid.
enum : MessageId {
    TCM_EDITERRSPACE = 0x621,
    TCM_EDITCHANGE,
    TCM_EDITKILLFOCUS,
    TCM_EDITSETFOCUS,
    TCM_EDITDBLCLK,
    TCM_EDITKEYDOWN,
    TCM_EDITCHAR,
    TCM_EDITKEYUP,
    TCM_EDITMOUSE,
};
static_assert(TCM_EDITMOUSE == 0x629);

// From the grid to an editor of its own choice (the standard editors ignore them).
enum : MessageId {
    TCM_EDITORSTART = 0x62a,
    TCM_EDITORCOMMIT,
    TCM_EDITOREND,
};
static_assert(TCM_EDITOREND == 0x62c);

// Notification codes carried in TCellNotify::code.
enum : int {
    TCN_SETFOCUS = 0x602,
    TCN_KILLFOCUS,
    TCN_POSCHANGED,
    TCN_SIZE,
    TCN_CHAR,
    TCN_KEYDOWN,
    TCN_KEYUP,

    TCN_LBUTTONDBLCLK = 0x60a,
    TCN_LBUTTONDOWN,
    TCN_LBUTTONUP,
    TCN_RBUTTONDBLCLK,
    TCN_RBUTTONDOWN,
    TCN_RBUTTONUP,

    TCN_HSCROLL = 0x613,
    TCN_VSCROLL,
    TCN_NCLBUTTONDOWN,
    TCN_NCRBUTTONDOWN,
    TCN_EDITERRSPACE,
    TCN_EDITCHANGE,
    TCN_EDITKILLFOCUS,
    TCN_EDITSETFOCUS,
    TCN_EDITDBLCLK,
    TCN_EDITCHAR,
    TCN_SETCOLWIDTH,
    TCN_SETFIXEDCOLWIDTH,
    TCN_SETROWHEIGHT,
    TCN_SELECTROW,
    TCN_MARKROW,
};
static_assert(TCN_KEYUP == 0x608 && TCN_RBUTTONUP == 0x60f && TCN_MARKROW == 0x621);

// The answer of a notify window that vetoes or takes over the default action.
constexpr framework::LResult kVeto = -2;

// Kinds of TCM_GETCELLDATA (wParam).
enum : int {
    kCellDataEditor = 1,
    kCellDataText,
    kCellDataMask,
    kCellDataMaskFill,
    kCellDataNumber,
    kCellDataFixedText,
    kCellDataFixedNumber,
};
static_assert(kCellDataFixedNumber == 7);

// Answer types of a cell-data request record.
constexpr int kAnswerNone = -1;
constexpr int kAnswerText = 0;
constexpr int kAnswerNumber = 5;
constexpr int kAnswerEditor = 9;
constexpr int kAnswerTextObject = 11;

// Scroll-bar codes of TCM_HSCROLL / TCM_VSCROLL.
enum : int {
    SB_LINEUP = 0,
    SB_LINEDOWN,
    SB_PAGEUP,
    SB_PAGEDOWN,
    SB_THUMBPOSITION,
    SB_THUMBTRACK,
};
static_assert(SB_THUMBTRACK == 5);

// Grid style bits (low word of the window style).
constexpr std::uint32_t TCS_NOTIFY = 0x0001;
constexpr std::uint32_t TCS_HGRID = 0x0002;
constexpr std::uint32_t TCS_VGRID = 0x0004;
constexpr std::uint32_t TCS_EDITABLE = 0x0008;
constexpr std::uint32_t TCS_HEADER = 0x0010;
constexpr std::uint32_t TCS_FIXEDBAND = 0x0020;
constexpr std::uint32_t TCS_FLATFIXED = 0x0040;
constexpr std::uint32_t TCS_PLAINSELECT = 0x0100;
constexpr std::uint32_t TCS_COLSIZE = 0x0200;
constexpr std::uint32_t TCS_ROWSIZE = 0x0400;
constexpr std::uint32_t TCS_COLFONT = 0x0800;
constexpr std::uint32_t TCS_SHIFTSELECT = 0x1000;
constexpr std::uint32_t TCS_CTRLMARK = 0x2000;
constexpr std::uint32_t TCS_KEEPHEIGHTS = 0x4000;
constexpr std::uint32_t TCS_TALLROWS = 0x8000;

// Row flag bits.
constexpr std::uint8_t kRowSelected = 0x01;
constexpr std::uint8_t kRowMarked = 0x02;

// Non-client hit codes of the header bands.
enum : int {
    kHitHeaderRest = 100,
    kHitHeaderCell,
    kHitHeaderBorder,
    kHitFixedRest,
    kHitCornerCell,
    kHitCornerBorder,
    kHitRowHeader,
    kHitRowBorder,
};
static_assert(kHitRowBorder == 107);

} // namespace grid
