#pragma once

#include <cstdint>
#include <string>

#include "platform/window/WindowTypes.h"

namespace pelmo::ui {

class CControlUI;

// A named notification: its type ("click", "windowinit" ...), the control
// that sent it (none once that control is destroyed before a queued
// notification arrives), the tick count at sending, the manager's last mouse
// position (client coordinates) and two parameters.
struct UINotification {
    std::string type;
    CControlUI* sender = nullptr;
    std::uint64_t timestamp = 0;
    platform::Point mouse;
    platform::WParam wParam = 0;
    platform::LParam lParam = 0;
};

} // namespace pelmo::ui
