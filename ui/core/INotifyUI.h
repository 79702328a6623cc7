#pragma once

#include "ui/core/UINotification.h"

namespace pelmo::ui {

// A listener for every notification of one window.
class INotifyUI {
public:
    virtual void OnNotification(UINotification& notification) = 0;

protected:
    ~INotifyUI() = default;
};

} // namespace pelmo::ui
