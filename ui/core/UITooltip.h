#pragma once

#include <string>

#include "platform/graphics/Rect.h"
#include "platform/window/WindowTypes.h"

namespace pelmo::platform {
class WindowSystem;
}

namespace pelmo::ui {

// A manager's tooltip: the layer's tooltip window, created on first use and
// shown in tracking mode for one control at a time.
class UITooltip {
public:
    platform::WindowHandle Window() const { return window_; }
    // The hover delay mouse tracking uses: the tooltip's initial delay, or
    // a second before there is a tooltip window.
    unsigned HoverTime(platform::WindowSystem& windows) const;
    void Show(platform::WindowSystem& windows, platform::WindowHandle owner, const platform::Rect& rect,
              const std::string& text);
    void Hide(platform::WindowSystem& windows);
    void Destroy(platform::WindowSystem& windows);
    bool IsShown() const { return shown_; }

private:
    platform::WindowHandle window_ = platform::NoWindow;
    platform::ToolInfo tool_;
    bool added_ = false;
    bool shown_ = false;
};

} // namespace pelmo::ui
