#include "platform/window/TooltipWindow.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/graphics/Font.h"
#include "platform/graphics/FontSystem.h"
#include "platform/graphics/Raster.h"
#include "platform/graphics/TextLayout.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"

namespace pelmo::platform {

namespace {

constexpr std::uint32_t background = 0xFFFFFFE1;
constexpr std::uint32_t border = 0xFF767676;
constexpr std::uint32_t textColour = 0xFF000000;
constexpr int paddingX = 5;
constexpr int paddingY = 3;
// Below the pointer, clear of the arrow cursor.
constexpr int cursorClearance = 20;

// What one tooltip window keeps; owned by the window through its user data.
struct TooltipState {
    std::vector<ToolInfo> tools;
    const ToolInfo* shown = nullptr;
    bool hasTrackPosition = false;
    Point trackPosition;
    int maxWidth = -1;
    std::shared_ptr<Font> font;
};

TooltipState* stateOf(WindowSystem& system, WindowHandle window)
{
    return reinterpret_cast<TooltipState*>(system.userData(window));
}

ToolInfo* findTool(TooltipState& state, const ToolInfo* key)
{
    if (!key)
        return nullptr;
    for (ToolInfo& tool : state.tools)
        if (tool.window == key->window && tool.id == key->id)
            return &tool;
    return nullptr;
}

void place(WindowSystem& system, WindowHandle window, TooltipState& state)
{
    if (!state.shown)
        return;
    const int wrap = state.maxWidth > 0 ? state.maxWidth : 10000;
    const unsigned style = TextStyle::NoPrefix | (state.maxWidth > 0 ? TextStyle::WordBreak : TextStyle::SingleLine);
    TextLayout layout(*state.font, state.shown->text, Rect{0, 0, wrap, 10000}, style);
    const Rect extent = layout.extent();
    const int width = extent.width() + 2 * paddingX;
    const int height = std::max(extent.height(), state.font->metrics().height) + 2 * paddingY;
    Point at = state.hasTrackPosition ? state.trackPosition : system.cursorPos();
    if (!state.hasTrackPosition)
        at.y += cursorClearance;
    const Rect area = system.workArea();
    at.x = std::clamp(at.x, area.left, std::max(area.left, area.right - width));
    at.y = std::clamp(at.y, area.top, std::max(area.top, area.bottom - height));
    system.setWindowPos(window, ZOrder::Topmost, at.x, at.y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    system.invalidateRect(window, nullptr, false);
}

void paint(WindowSystem& system, WindowHandle window, TooltipState& state)
{
    PaintStruct paintStruct = system.beginPaint(window);
    if (paintStruct.surface) {
        Surface& surface = *paintStruct.surface;
        const Rect clip = paintStruct.dirty;
        const Rect all = surface.bounds();
        raster::fill(surface, all, clip, premultiply(border));
        raster::fill(surface, Rect{1, 1, all.right - 1, all.bottom - 1}, clip, premultiply(background));
        if (state.shown) {
            const Rect text{paddingX, paddingY, all.right - paddingX, all.bottom - paddingY};
            const unsigned style =
                TextStyle::NoPrefix | (state.maxWidth > 0 ? TextStyle::WordBreak : TextStyle::SingleLine);
            TextLayout(*state.font, state.shown->text, text, style).draw(surface, clip, textColour);
        }
    }
    system.endPaint(window, paintStruct);
}

} // namespace

void TooltipWindow::registerClass(WindowSystem& system)
{
    system.registerClass(WindowClass{TOOLTIPS_CLASS, 0, &TooltipWindow::procedure, CursorShape::Arrow});
}

LResult TooltipWindow::procedure(WindowHandle window, unsigned message, WParam wParam, LParam lParam)
{
    WindowSystem* system = WindowSystem::current();
    if (!system)
        return 0;
    if (message == WM_NCCREATE) {
        auto* state = new TooltipState;
        state->font = FontSystem::instance().open(FontSystem::defaultGuiFontDescription());
        system->setUserData(window, reinterpret_cast<std::intptr_t>(state));
        system->setExStyle(window, system->exStyle(window) | WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE);
        return 1;
    }
    TooltipState* state = stateOf(*system, window);
    if (!state)
        return system->defWindowProc(window, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY:
        system->setUserData(window, 0);
        delete state;
        return 0;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_PAINT:
        paint(*system, window, *state);
        return 0;
    case TTM_ADDTOOL:
        if (const auto* tool = reinterpret_cast<const ToolInfo*>(lParam)) {
            if (ToolInfo* existing = findTool(*state, tool))
                *existing = *tool;
            else
                state->tools.push_back(*tool);
            state->shown = nullptr;  // the list may have moved
            return 1;
        }
        return 0;
    case TTM_UPDATETIPTEXT:
        if (ToolInfo* tool = findTool(*state, reinterpret_cast<const ToolInfo*>(lParam))) {
            tool->text = reinterpret_cast<const ToolInfo*>(lParam)->text;
            tool->rect = reinterpret_cast<const ToolInfo*>(lParam)->rect;
            if (state->shown == tool)
                place(*system, window, *state);
        }
        return 0;
    case TTM_SETMAXTIPWIDTH:
        return std::exchange(state->maxWidth, static_cast<int>(lParam));
    case TTM_GETDELAYTIME:
        return wParam == TTDT_INITIAL ? initialDelayMs : initialDelayMs * 10;
    case TTM_TRACKPOSITION:
        state->hasTrackPosition = true;
        state->trackPosition = Point{xFromLParam(lParam), yFromLParam(lParam)};
        place(*system, window, *state);
        return 0;
    case TTM_TRACKACTIVATE:
        if (wParam) {
            state->shown = findTool(*state, reinterpret_cast<const ToolInfo*>(lParam));
            place(*system, window, *state);
        } else {
            state->shown = nullptr;
            state->hasTrackPosition = false;
            system->showWindow(window, ShowCommand::Hide);
        }
        return 0;
    default:
        return system->defWindowProc(window, message, wParam, lParam);
    }
}

} // namespace pelmo::platform
