#pragma once

#include <cstdint>
#include <vector>

#include "platform/window/WindowTypes.h"

namespace pelmo::platform {
class WindowSystem;
}

namespace pelmo::ui {

class CControlUI;

// The timers of one manager's controls. Each record pairs a control's own
// timer id with a native timer of the window; a killed record is kept, so
// that setting the same timer again re-arms the native timer it had.
class UITimerTable {
public:
    struct Record {
        CControlUI* control = nullptr;
        unsigned id = 0;
        platform::WindowHandle window = platform::NoWindow;
        std::uintptr_t nativeId = 0;
        bool killed = false;
    };

    // False when the control already runs a timer of that id, or the
    // window refuses the native timer.
    bool Set(platform::WindowSystem& windows, platform::WindowHandle window, CControlUI* control, unsigned id,
             unsigned milliseconds);
    bool Kill(platform::WindowSystem& windows, CControlUI* control, unsigned id);
    // Stops and forgets every timer of the control.
    void KillControl(platform::WindowSystem& windows, CControlUI* control);
    void KillAll(platform::WindowSystem& windows);
    // The first live record of the window with that native id.
    const Record* Find(platform::WindowHandle window, std::uintptr_t nativeId) const;
    std::size_t Size() const { return records_.size(); }

    // Native ids start here, clear of the ids the program's windows give
    // their own timers (13, 14 ...).
    static constexpr std::uintptr_t firstNativeId = 4096;

private:
    std::uintptr_t DrawNativeId();

    std::vector<Record> records_;
    std::uintptr_t nextNativeId_ = firstNativeId;
};

} // namespace pelmo::ui
