#include "platform/virtual_keys.h"

#include <QGuiApplication>
#include <array>
#include <utility>

namespace platform {

namespace {

constexpr std::array<std::pair<int, int>, 22> kNamedKeys{{
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},  {Qt::Key_Enter, VK_RETURN},    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},       {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},   {Qt::Key_PageDown, VK_NEXT},   {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},      {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},    {Qt::Key_Down, VK_DOWN},       {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
}};

constexpr std::array<std::pair<int, int>, 9> kOtherKeys{{
    {Qt::Key_Menu, VK_APPS},        {Qt::Key_NumLock, VK_NUMLOCK},   {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},         {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Slash, VK_DIVIDE},     {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_OEM_COMMA},
}};

Qt::KeyboardModifiers modifiersNow()
{
    return QGuiApplication::keyboardModifiers();
}

} // namespace

int virtualKeyFromQt(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return VK_0 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return VK_A + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + (qtKey - Qt::Key_F1);
    for (const auto& [qt, vk] : kNamedKeys)
        if (qt == qtKey)
            return vk;
    for (const auto& [qt, vk] : kOtherKeys)
        if (qt == qtKey)
            return vk;
    return 0;
}

Qt::Key qtKeyFromVirtualKey(int virtualKey)
{
    if (virtualKey >= VK_0 && virtualKey <= VK_0 + 9)
        return static_cast<Qt::Key>(Qt::Key_0 + (virtualKey - VK_0));
    if (virtualKey >= VK_A && virtualKey <= VK_A + 25)
        return static_cast<Qt::Key>(Qt::Key_A + (virtualKey - VK_A));
    if (virtualKey >= VK_F1 && virtualKey <= VK_F1 + 23)
        return static_cast<Qt::Key>(Qt::Key_F1 + (virtualKey - VK_F1));
    for (const auto& [qt, vk] : kNamedKeys)
        if (vk == virtualKey)
            return static_cast<Qt::Key>(qt);
    for (const auto& [qt, vk] : kOtherKeys)
        if (vk == virtualKey)
            return static_cast<Qt::Key>(qt);
    return Qt::Key_unknown;
}

bool isShiftDown()
{
    return modifiersNow().testFlag(Qt::ShiftModifier);
}

bool isControlDown()
{
    return modifiersNow().testFlag(Qt::ControlModifier);
}

bool isAltDown()
{
    return modifiersNow().testFlag(Qt::AltModifier);
}

} // namespace platform
