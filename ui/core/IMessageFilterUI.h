#pragma once

#include "platform/window/WindowTypes.h"

namespace pelmo::ui {

// A window message filter: set `handled` to take the message, with the
// returned result.
class IMessageFilterUI {
public:
    virtual platform::LResult FilterMessage(unsigned message, platform::WParam wParam, platform::LParam lParam,
                                            bool& handled) = 0;

protected:
    ~IMessageFilterUI() = default;
};

} // namespace pelmo::ui
