#pragma once

#include "platform/window/WindowTypes.h"

namespace pelmo::platform {

class WindowSystem;

// The tooltip window class the layer draws itself ("tooltips_class32"): a
// small topmost window that shows the text of one tool near the pointer
// while tracking is active. It understands TTM_ADDTOOL, TTM_UPDATETIPTEXT,
// TTM_TRACKACTIVATE, TTM_TRACKPOSITION, TTM_SETMAXTIPWIDTH and
// TTM_GETDELAYTIME; the pointer passes through it.
class TooltipWindow {
public:
    static void registerClass(WindowSystem& system);
    // The initial delay TTM_GETDELAYTIME answers, in milliseconds.
    static constexpr unsigned initialDelayMs = 500;

private:
    static LResult procedure(WindowHandle window, unsigned message, WParam wParam, LParam lParam);
};

} // namespace pelmo::platform
