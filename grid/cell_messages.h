#pragma once

#include "framework/messages.h"

// The grid's private messages, notification codes and style bits. The numbers are the
// protocol between a grid and its owner and keep their values.
namespace grid {

using framework::MessageId;

// Notification message to the notify window; lParam points at a TCellNotify.
constexpr MessageId TCN_NOTIFY = 0x600;

// Position messages.
constexpr MessageId TCM_GETPOSITION = 0x801;
constexpr MessageId TCM_SETSCROLLX = 0x802;
constexpr MessageId TCM_SETSCROLLY = 0x803;
constexpr MessageId TCM_SETCURCELL = 0x804;
constexpr MessageId TCM_SETCURCELLNOSCROLL = 0x805;
constexpr MessageId TCM_ROWUP = 0x806;
constexpr MessageId TCM_ROWDOWN = 0x807;
constexpr MessageId TCM_COLLEFT = 0x808;
constexpr MessageId TCM_COLRIGHT = 0x809;
constexpr MessageId TCM_HSCROLL = 0x80a;
constexpr MessageId TCM_VSCROLL = 0x80b;
constexpr MessageId TCM_FIRSTROW = 0x80c;
constexpr MessageId TCM_LASTROW = 0x80d;
constexpr MessageId TCM_TOPROW = 0x80e;
constexpr MessageId TCM_BOTTOMROW = 0x80f;
constexpr MessageId TCM_FIRSTCOL = 0x810;
constexpr MessageId TCM_LASTCOL = 0x811;
constexpr MessageId TCM_LEFTCOL = 0x812;
constexpr MessageId TCM_RIGHTCOL = 0x813;
constexpr MessageId TCM_PAGEUP = 0x814;
constexpr MessageId TCM_PAGEDOWN = 0x815;
constexpr MessageId TCM_PAGELEFT = 0x816;
constexpr MessageId TCM_PAGERIGHT = 0x817;
constexpr MessageId TCM_SETFOCUSSTATE = 0x818;

// Repaint messages.
constexpr MessageId TCM_UPDATECELL = 0x819;
constexpr MessageId TCM_INVALIDATECOL = 0x81a;
constexpr MessageId TCM_INVALIDATEROW = 0x81b;
constexpr MessageId TCM_REDRAWFIXEDCOL = 0x81c;
constexpr MessageId TCM_REDRAWCELL = 0x81d;
constexpr MessageId TCM_REDRAWFIXEDROW = 0x81e;

// Geometry and state messages (each preceded by its notification).
constexpr MessageId TCM_SETCOLWIDTH = 0x81f;
constexpr MessageId TCM_SETFIXEDCOLWIDTH = 0x820;
constexpr MessageId TCM_SETROWHEIGHT = 0x821;
constexpr MessageId TCM_SELECTROW = 0x822;
constexpr MessageId TCM_MARKROW = 0x823;

// Requests to the notify window.
constexpr MessageId TCM_QUERYPOSCHANGE = 0x824;
constexpr MessageId TCM_GETCELLDATA = 0x825;
constexpr MessageId TCM_SETCELLDATA = 0x826;
constexpr MessageId TCM_DRAWCELL = 0x82b;

// Structure messages.
constexpr MessageId TCM_INSERTCOLS = 0x827;
constexpr MessageId TCM_INSERTROWS = 0x828;
constexpr MessageId TCM_DELETECOLS = 0x829;
constexpr MessageId TCM_DELETEROWS = 0x82a;

// From the in-cell editor to the grid.
constexpr MessageId TCM_EDITERRSPACE = 0x621;
constexpr MessageId TCM_EDITCHANGE = 0x622;
constexpr MessageId TCM_EDITKILLFOCUS = 0x623;
constexpr MessageId TCM_EDITSETFOCUS = 0x624;
constexpr MessageId TCM_EDITDBLCLK = 0x625;
constexpr MessageId TCM_EDITKEYDOWN = 0x626;
constexpr MessageId TCM_EDITCHAR = 0x627;
constexpr MessageId TCM_EDITKEYUP = 0x628;
constexpr MessageId TCM_EDITMOUSE = 0x629;

// From the grid to an editor of its own choice (the standard editors ignore them).
constexpr MessageId TCM_EDITORSTART = 0x62a;
constexpr MessageId TCM_EDITORCOMMIT = 0x62b;
constexpr MessageId TCM_EDITOREND = 0x62c;

// Notification codes carried in TCellNotify::code.
constexpr int TCN_SETFOCUS = 0x602;
constexpr int TCN_KILLFOCUS = 0x603;
constexpr int TCN_POSCHANGED = 0x604;
constexpr int TCN_SIZE = 0x605;
constexpr int TCN_CHAR = 0x606;
constexpr int TCN_KEYDOWN = 0x607;
constexpr int TCN_KEYUP = 0x608;
constexpr int TCN_LBUTTONDBLCLK = 0x60a;
constexpr int TCN_LBUTTONDOWN = 0x60b;
constexpr int TCN_LBUTTONUP = 0x60c;
constexpr int TCN_RBUTTONDBLCLK = 0x60d;
constexpr int TCN_RBUTTONDOWN = 0x60e;
constexpr int TCN_RBUTTONUP = 0x60f;
constexpr int TCN_HSCROLL = 0x613;
constexpr int TCN_VSCROLL = 0x614;
constexpr int TCN_NCLBUTTONDOWN = 0x615;
constexpr int TCN_NCRBUTTONDOWN = 0x616;
constexpr int TCN_EDITERRSPACE = 0x617;
constexpr int TCN_EDITCHANGE = 0x618;
constexpr int TCN_EDITKILLFOCUS = 0x619;
constexpr int TCN_EDITSETFOCUS = 0x61a;
constexpr int TCN_EDITDBLCLK = 0x61b;
constexpr int TCN_EDITCHAR = 0x61c;
constexpr int TCN_SETCOLWIDTH = 0x61d;
constexpr int TCN_SETFIXEDCOLWIDTH = 0x61e;
constexpr int TCN_SETROWHEIGHT = 0x61f;
constexpr int TCN_SELECTROW = 0x620;
constexpr int TCN_MARKROW = 0x621;

// The answer of a notify window that vetoes or takes over the default action.
constexpr framework::LResult kVeto = -2;

// Kinds of TCM_GETCELLDATA (wParam).
constexpr int kCellDataEditor = 1;
constexpr int kCellDataText = 2;
constexpr int kCellDataMask = 3;
constexpr int kCellDataMaskFill = 4;
constexpr int kCellDataNumber = 5;
constexpr int kCellDataFixedText = 6;
constexpr int kCellDataFixedNumber = 7;

// Answer types of a cell-data request record.
constexpr int kAnswerNone = -1;
constexpr int kAnswerText = 0;
constexpr int kAnswerNumber = 5;
constexpr int kAnswerEditor = 9;
constexpr int kAnswerTextObject = 11;

// Scroll-bar codes of TCM_HSCROLL / TCM_VSCROLL.
constexpr int SB_LINEUP = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;

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
constexpr int kHitHeaderRest = 100;
constexpr int kHitHeaderCell = 101;
constexpr int kHitHeaderBorder = 102;
constexpr int kHitFixedRest = 103;
constexpr int kHitCornerCell = 104;
constexpr int kHitCornerBorder = 105;
constexpr int kHitRowHeader = 106;
constexpr int kHitRowBorder = 107;

} // namespace grid
