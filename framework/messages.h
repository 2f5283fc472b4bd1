#pragma once

#include <cstdint>

// Window messages keep their numbers: they are the protocol between windows.
namespace framework {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;
using MessageId = std::uint32_t;

constexpr MessageId WM_CLOSE = 0x0010;               // close the window through its normal path
constexpr MessageId WM_COMMAND = 0x0111;             // wParam: the command id
constexpr MessageId WM_USER = 0x400;
constexpr MessageId WM_FILE_CHANGED = WM_USER;       // a watched file changed (to the main frame)
constexpr MessageId WM_GET_FIND_TEXT = 0x600;        // a pane asks the main frame for the Find box text
constexpr MessageId WM_SET_INSERT_MODE = 0x601;      // insert or overwrite mode, to the active pane

// Something that accepts posted messages: delivered later, in order, on the UI thread.
// Pointers never travel in a posted LParam.
class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    virtual void post(MessageId message, WParam wParam, LParam lParam) = 0;
};

} // namespace framework
