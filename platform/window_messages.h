#pragma once

#include "framework/messages.h"

// The platform's window messages with their Windows numbers, as they travel between
// windows here.
namespace platform {

using framework::MessageId;
using framework::WM_COMMAND;    // the framework's, as commands travel below this layer too

constexpr MessageId WM_SETFOCUS = 0x0007;
constexpr MessageId WM_KILLFOCUS = 0x0008;
constexpr MessageId WM_SIZE = 0x0005;
constexpr MessageId WM_SETFONT = 0x0030;
constexpr MessageId WM_DRAWITEM = 0x002B;
constexpr MessageId WM_MEASUREITEM = 0x002C;
constexpr MessageId WM_NOTIFY = 0x004E;
constexpr MessageId WM_NCHITTEST = 0x0084;
constexpr MessageId WM_NCLBUTTONDOWN = 0x00A1;
constexpr MessageId WM_NCLBUTTONUP = 0x00A2;
constexpr MessageId WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr MessageId WM_NCRBUTTONDOWN = 0x00A4;
constexpr MessageId WM_NCMOUSEMOVE = 0x00A0;
constexpr MessageId WM_KEYDOWN = 0x0100;
constexpr MessageId WM_KEYUP = 0x0101;
constexpr MessageId WM_CHAR = 0x0102;
constexpr MessageId WM_MOUSEMOVE = 0x0200;
constexpr MessageId WM_LBUTTONDOWN = 0x0201;
constexpr MessageId WM_LBUTTONUP = 0x0202;
constexpr MessageId WM_LBUTTONDBLCLK = 0x0203;
constexpr MessageId WM_RBUTTONDOWN = 0x0204;
constexpr MessageId WM_RBUTTONUP = 0x0205;
constexpr MessageId WM_RBUTTONDBLCLK = 0x0206;
constexpr MessageId WM_MBUTTONDOWN = 0x0207;
constexpr MessageId WM_MBUTTONUP = 0x0208;
constexpr MessageId WM_MOUSEWHEEL = 0x020A;
constexpr MessageId WM_CUT = 0x0300;
constexpr MessageId WM_COPY = 0x0301;
constexpr MessageId WM_PASTE = 0x0302;
constexpr MessageId WM_CLEAR = 0x0303;
constexpr MessageId WM_GETDLGCODE = 0x0087;
constexpr MessageId WM_SYSCOLORCHANGE = 0x0015;

// Owner-drawn items: the control type of a combo box, the draw action and the item states.
constexpr unsigned ODT_COMBOBOX = 3;
constexpr unsigned ODA_DRAWENTIRE = 0x0001;
constexpr unsigned ODS_SELECTED = 0x0001;
constexpr unsigned ODS_FOCUS = 0x0010;

// Key flags in the wParam of mouse messages.
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_SHIFT = 0x0004;
constexpr unsigned MK_CONTROL = 0x0008;
constexpr unsigned MK_MBUTTON = 0x0010;

// Answers of the hit test.
constexpr int HTNOWHERE = 0;
constexpr int HTCLIENT = 1;

// The dialog-code answer of a window that wants every key.
constexpr int DLGC_WANTALLKEYS = 4;

// Window style bits.
constexpr std::uint32_t WS_CHILD = 0x40000000;
constexpr std::uint32_t WS_VISIBLE = 0x10000000;
constexpr std::uint32_t WS_BORDER = 0x00800000;
constexpr std::uint32_t WS_VSCROLL = 0x00200000;
constexpr std::uint32_t WS_HSCROLL = 0x00100000;

// Packs two 16-bit values into an LParam, as mouse messages carry a point.
constexpr framework::LParam makeLParam(int low, int high)
{
    return static_cast<framework::LParam>(
        static_cast<std::uint32_t>(static_cast<std::uint16_t>(low)) |
        (static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16));
}

constexpr int lowWord(framework::LParam value)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}

constexpr int highWord(framework::LParam value)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((value >> 16) & 0xFFFF));
}

} // namespace platform
