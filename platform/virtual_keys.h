#pragma once

#include <Qt>

// Virtual-key codes with their Windows values, and the Qt keys they stand for.
namespace platform {

constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_0 = 0x30;    // to VK_9 = 0x39
constexpr int VK_A = 0x41;    // to VK_Z = 0x5A
constexpr int VK_Y = 0x59;
constexpr int VK_APPS = 0x5D;
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70;   // to VK_F24 = 0x87
constexpr int VK_F2 = 0x71;
constexpr int VK_F3 = 0x72;
constexpr int VK_F10 = 0x79;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_SCROLL = 0x91;
constexpr int VK_OEM_COMMA = 0xBC;

// The virtual key of a Qt key, 0 when there is none.
int virtualKeyFromQt(int qtKey);
// The Qt key of a virtual key, Qt::Key_unknown when there is none.
Qt::Key qtKeyFromVirtualKey(int virtualKey);

// The keyboard's modifier state now.
bool isShiftDown();
bool isControlDown();
bool isAltDown();

} // namespace platform
