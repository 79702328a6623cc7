#include "ui/core/UITooltip.h"

#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"

namespace pelmo::ui {

using namespace pelmo::platform;

namespace {
constexpr unsigned hoverBeforeTooltip = 1000;
// Long tips wrap at this width rather than crossing the screen.
constexpr int maxTipWidth = 400;
} // namespace

unsigned UITooltip::HoverTime(WindowSystem& windows) const
{
    if (window_ == NoWindow)
        return hoverBeforeTooltip;
    return static_cast<unsigned>(windows.sendMessage(window_, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
}

void UITooltip::Show(WindowSystem& windows, WindowHandle owner, const Rect& rect,
                     const std::string& text)
{
    if (window_ == NoWindow || !windows.isWindow(window_)) {
        CreateStruct params;
        params.className = TOOLTIPS_CLASS;
        params.parent = owner;
        params.style = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP;
        params.x = params.y = params.width = params.height = CW_USEDEFAULT;
        window_ = windows.createWindow(params);
        added_ = false;
        if (window_ == NoWindow)
            return;
        windows.sendMessage(window_, TTM_SETMAXTIPWIDTH, 0, maxTipWidth);
    }
    tool_.flags = TTF_TRACK;
    tool_.window = owner;
    tool_.id = 1;  // one tool serves every control of the window
    tool_.rect = rect;
    tool_.text = text;
    windows.sendMessage(window_, added_ ? TTM_UPDATETIPTEXT : TTM_ADDTOOL, 0, reinterpret_cast<LParam>(&tool_));
    added_ = true;
    windows.sendMessage(window_, TTM_TRACKACTIVATE, 1, reinterpret_cast<LParam>(&tool_));
    shown_ = true;
}

void UITooltip::Hide(WindowSystem& windows)
{
    if (window_ == NoWindow || !shown_)
        return;
    windows.sendMessage(window_, TTM_TRACKACTIVATE, 0, reinterpret_cast<LParam>(&tool_));
    shown_ = false;
}

void UITooltip::Destroy(WindowSystem& windows)
{
    if (window_ != NoWindow)
        windows.destroyWindow(window_);
    window_ = NoWindow;
    added_ = false;
    shown_ = false;
}

} // namespace pelmo::ui
