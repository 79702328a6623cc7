#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/Rect.h"

namespace pelmo::platform {

class Surface;

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// A window of the window layer. Handles are never reused while the layer
// lives, so a stale handle names no window rather than a new one.
enum class WindowHandle : std::uint32_t {};
constexpr WindowHandle NoWindow{};

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

// The procedure a window's messages go to.
using WindowProc = LResult (*)(WindowHandle window, unsigned message, WParam wParam, LParam lParam);

// One message as the queue hands it out. `character` carries the text a
// key-down produced, for translateMessage; `point` and `time` are the pointer
// position (screen) and the tick count when the message was queued.
struct WindowMessage {
    WindowHandle window = NoWindow;
    unsigned message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    std::uint64_t time = 0;
    Point point;
    char32_t character = 0;
};

enum class CursorShape { Arrow, Hand, IBeam, Wait, Cross, SizeAll, SizeWE, SizeNS, SizeNWSE, SizeNESW, No };

// A class of windows: its procedure, class style bits and default cursor.
struct WindowClass {
    std::string name;
    unsigned style = 0;
    WindowProc procedure = nullptr;
    CursorShape cursor = CursorShape::Arrow;
};

// What createWindow takes; the same record reaches the procedure as the
// lParam of WM_NCCREATE and WM_CREATE. A top-level window's position is in
// screen coordinates, a child's in its parent's client coordinates.
// Top-level windows pass their owner as `parent`.
struct CreateStruct {
    void* createParam = nullptr;
    WindowHandle parent = NoWindow;
    unsigned style = 0;
    unsigned exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::uintptr_t menu = 0;
    std::string className;
    std::string title;
};

// The lParam of WM_GETMINMAXINFO: zero fields mean "no limit".
struct MinMaxInfo {
    Point maxSize;
    Point maxPosition;
    Point minTrackSize;
    Point maxTrackSize;
};

// The drawing target of one paint cycle: the window's offscreen surface
// (client coordinates), the part that needs painting as disjoint
// rectangles, and their bounds. Only those rectangles are presented.
struct PaintStruct {
    Surface* surface = nullptr;
    Rect dirty;
    std::vector<Rect> parts;
};

// A tool of the tooltip window (TTM_ADDTOOL and friends).
struct ToolInfo {
    unsigned flags = 0;
    WindowHandle window = NoWindow;
    std::uintptr_t id = 0;
    Rect rect;
    std::string text;
};

enum class ShowCommand { Hide, Show, ShowNoActivate };

// Where setWindowPos puts a window in the stacking order.
enum class ZOrder { Keep, Top, Bottom, Topmost, NoTopmost };

constexpr LParam makeLParam(int low, int high)
{
    return static_cast<LParam>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(low)) |
                               (static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16));
}
constexpr WParam makeWParam(unsigned low, unsigned high)
{
    return static_cast<WParam>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16));
}
// The signed coordinates packed by makeLParam.
constexpr int xFromLParam(LParam value) { return static_cast<std::int16_t>(value & 0xFFFF); }
constexpr int yFromLParam(LParam value) { return static_cast<std::int16_t>((value >> 16) & 0xFFFF); }
constexpr unsigned lowWord(std::uintptr_t value) { return static_cast<unsigned>(value & 0xFFFF); }
constexpr unsigned highWord(std::uintptr_t value) { return static_cast<unsigned>((value >> 16) & 0xFFFF); }

} // namespace pelmo::platform
