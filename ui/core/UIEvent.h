#pragma once

#include <cstdint>

#include "platform/window/WindowTypes.h"

namespace pelmo::ui {

class CControlUI;

// The controls' input events. Handlers compare ranges, so the numbering is
// part of the contract: key events lie strictly between KeyBegin and KeyEnd,
// mouse events strictly between MouseBegin and MouseEnd.
enum class UIEventType : int {
    First = 1,
    KeyBegin,
    KeyDown,
    KeyUp,
    Char,
    SysKey,
    KeyEnd,
    MouseBegin,
    MouseMove,
    MouseLeave,
    MouseEnter,
    MouseHover,
    ButtonDown,
    ButtonUp,
    RButtonDown,
    DblClick,
    ContextMenu,
    ScrollWheel,
    MouseEnd,
    KillFocus,
    SetFocus,
    WindowSize,
    SetCursor,
    Timer,
    Notification,
    Command,
};

constexpr bool IsMouseEvent(UIEventType type)
{
    return type > UIEventType::MouseBegin && type < UIEventType::MouseEnd;
}
constexpr bool IsKeyEvent(UIEventType type) { return type > UIEventType::KeyBegin && type < UIEventType::KeyEnd; }

// Bits of UIEvent::keyState.
constexpr std::uint16_t UIKeyStateRButton = 0x01;
constexpr std::uint16_t UIKeyStateLButton = 0x02;
constexpr std::uint16_t UIKeyStateShift = 0x04;
constexpr std::uint16_t UIKeyStateControl = 0x08;
constexpr std::uint16_t UIKeyStateAlt = 0x20;

// One event as HandleEvent receives it. The mouse point is in client
// coordinates; the key state is taken when the event is made.
struct UIEvent {
    UIEventType type = UIEventType::First;
    CControlUI* sender = nullptr;
    std::uint64_t timestamp = 0;
    platform::Point mouse;
    char16_t key = 0;
    std::uint16_t keyState = 0;
    platform::WParam wParam = 0;
    platform::LParam lParam = 0;
};

} // namespace pelmo::ui
