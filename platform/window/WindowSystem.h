#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Region.h"
#include "platform/graphics/Surface.h"
#include "platform/window/DisplayBackend.h"
#include "platform/window/InputRouter.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/TimerTable.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowRecord.h"
#include "platform/window/WindowTypes.h"

namespace pelmo::platform {

// The window layer: windows with classes, procedures, styles, a parent or
// owner, a stacking order, activation, keyboard focus, capture and outline;
// the message queue of the thread that owns them with its timers, mouse
// tracking and paint cycle; and the translation of input into messages. One
// object per UI thread; it shows its windows through a DisplayBackend (X11,
// or the headless display of the tests). All calls come from that thread,
// except postMessage, postQuitMessage and wakeUp, which any thread may use.
class WindowSystem {
public:
    enum class Choice { FromEnvironment, Headless, X11 };
    enum class RegisterResult { Registered, AlreadyExists, Invalid };

    explicit WindowSystem(std::unique_ptr<DisplayBackend> backend);
    ~WindowSystem();
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    // Opens a display: headless, X11 ($DISPLAY, or `x11Display` when given),
    // or from the environment (PELMO_DISPLAY=headless selects the headless
    // display, anything else X11). None with `error` set when X11 cannot be
    // reached.
    static std::unique_ptr<WindowSystem> open(Choice choice, const std::string& x11Display = {},
                                              std::string* error = nullptr);
    // The window system the UI framework uses: the most recently constructed
    // one that still lives, unless another was made current.
    static WindowSystem* current();
    static void setCurrent(WindowSystem* system);

    DisplayBackend& backend() { return *backend_; }
    InputRouter& input() { return input_; }

    // Classes. Names compare without regard to case.
    RegisterResult registerClass(const WindowClass& windowClass);
    std::optional<WindowClass> findClass(std::string_view name) const;

    // Windows.
    WindowHandle createWindow(const CreateStruct& params);
    bool destroyWindow(WindowHandle window);
    bool isWindow(WindowHandle window) const { return record(window) != nullptr; }
    // The window and all its parents are shown.
    bool isVisible(WindowHandle window) const;
    bool isEnabled(WindowHandle window) const;
    bool enableWindow(WindowHandle window, bool enable);
    bool showWindow(WindowHandle window, ShowCommand command);
    // x, y, width, height as the window's own coordinates (screen for
    // top-level windows, parent client for children); SWP_ flags.
    bool setWindowPos(WindowHandle window, ZOrder order, int x, int y, int width, int height, unsigned flags);
    bool moveWindow(WindowHandle window, const Rect& rect);
    Rect windowRect(WindowHandle window) const;  // screen coordinates
    Rect clientRect(WindowHandle window) const;  // (0, 0, width, height)
    Point clientToScreen(WindowHandle window, Point point) const;
    Point screenToClient(WindowHandle window, Point point) const;
    WindowHandle parent(WindowHandle window) const;
    WindowHandle owner(WindowHandle window) const;
    // The top-level window a window belongs to (itself when top-level).
    WindowHandle topLevel(WindowHandle window) const;
    std::vector<WindowHandle> children(WindowHandle window) const;
    // The top-level windows, the top of the stack first, shown or not.
    std::vector<WindowHandle> topLevelWindows() const { return zOrder_; }

    unsigned style(WindowHandle window) const;
    void setStyle(WindowHandle window, unsigned style);
    unsigned exStyle(WindowHandle window) const;
    void setExStyle(WindowHandle window, unsigned exStyle);
    std::string className(WindowHandle window) const;
    std::string title(WindowHandle window) const;
    void setTitle(WindowHandle window, const std::string& title);
    std::intptr_t userData(WindowHandle window) const;
    void setUserData(WindowHandle window, std::intptr_t value);
    std::intptr_t property(WindowHandle window, const std::string& name) const;
    void setProperty(WindowHandle window, const std::string& name, std::intptr_t value);
    void removeProperty(WindowHandle window, const std::string& name);
    WindowProc windowProc(WindowHandle window) const;
    // Returns the previous procedure.
    WindowProc setWindowProc(WindowHandle window, WindowProc procedure);

    // The outline in window coordinates; none gives back the rectangle.
    // The region belongs to the window from now on.
    bool setWindowRegion(WindowHandle window, std::optional<Region> region, bool redraw);
    const Region* windowRegion(WindowHandle window) const;
    // The deepest shown, enabled window under a screen point.
    WindowHandle windowAt(Point screen, WindowHandle topLevelHint = NoWindow) const;

    // Activation, keyboard focus, capture, cursor. Each returns the window
    // that had it before.
    WindowHandle setActiveWindow(WindowHandle window);
    WindowHandle activeWindow() const { return active_; }
    bool setForegroundWindow(WindowHandle window);
    WindowHandle setFocus(WindowHandle window);
    WindowHandle focus() const { return focus_; }
    WindowHandle setCapture(WindowHandle window);
    bool releaseCapture();
    WindowHandle capture() const { return capture_; }
    void setCursor(CursorShape shape);
    CursorShape cursor() const { return cursor_; }
    Point cursorPos() const { return input_.pointer(); }
    std::int16_t keyState(unsigned virtualKey) const { return input_.keyState(virtualKey); }

    Rect screenRect() const { return backend_->screenRect(); }
    Rect workArea() const { return backend_->workArea(); }
    std::uint64_t tickCount() const { return backend_->nowMs(); }
    unsigned doubleClickTime() const { return doubleClickTime_; }
    void setDoubleClickTime(unsigned milliseconds) { doubleClickTime_ = milliseconds; }

    // Messages.
    bool postMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam);
    void postMessage(const WindowMessage& message);
    void postQuitMessage(int exitCode);
    LResult sendMessage(WindowHandle window, unsigned message, WParam wParam = 0, LParam lParam = 0);
    // Waits for the next message; false when it is WM_QUIT.
    bool getMessage(WindowMessage& message);
    // The next message without waiting: posted messages first, then paint
    // requests, then timers and hover. Paint messages stay until the window
    // is painted, whatever `remove` says.
    bool peekMessage(WindowMessage& message, bool remove);
    // A key-down that produces text queues it as WM_CHAR (WM_SYSCHAR with Alt).
    bool translateMessage(const WindowMessage& message);
    LResult dispatchMessage(const WindowMessage& message);
    LResult callWindowProc(WindowProc procedure, WindowHandle window, unsigned message, WParam wParam, LParam lParam);
    LResult defWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam);
    // Thread-safe: wakes a waiting getMessage.
    void wakeUp() { backend_->wakeUp(); }

    // Timers and mouse tracking.
    bool setTimer(WindowHandle window, std::uintptr_t id, unsigned milliseconds);
    bool killTimer(WindowHandle window, std::uintptr_t id);
    bool trackMouseEvent(WindowHandle window, unsigned flags, unsigned hoverMs);
    // Milliseconds until the next timer or hover is due (0: one is), or none.
    std::optional<std::uint64_t> untilNextTimer() const;

    // The paint cycle.
    bool invalidateRect(WindowHandle window, const Rect* rect, bool erase);
    bool validateRect(WindowHandle window, const Rect* rect);
    Rect updateRect(WindowHandle window) const;
    // Sends WM_PAINT at once when the window has something to paint.
    bool updateWindow(WindowHandle window);
    PaintStruct beginPaint(WindowHandle window);
    // Presents what was painted.
    void endPaint(WindowHandle window, const PaintStruct& paint);
    // The window's offscreen surface, for a paint outside the cycle.
    Surface* surface(WindowHandle window);
    // Shows an area of a window again, as painted last (an exposure).
    void representArea(WindowHandle window, const Rect& area);
    // The whole screen as the shown windows make it up, for snapshots.
    Surface composeScreen(std::uint32_t desktopColour = 0xFF2D4F73) const;

    // From the display: a window was moved or resized natively (by a window
    // manager), or it asks to be closed.
    void nativeMoved(WindowHandle window, const Rect& screenRect);
    void nativeCloseRequested(WindowHandle window);
    // The display's keyboard focus left all windows of this system.
    void nativeDeactivated();

    WindowRecord* record(WindowHandle window);
    const WindowRecord* record(WindowHandle window) const;

private:
    bool isChild(WindowHandle window) const;
    WindowHandle parentOf(WindowHandle window) const;
    void sendDestroy(WindowHandle window);
    void releaseRecord(WindowHandle window);
    void resizeSurface(WindowRecord& window);
    void raise(WindowHandle window, bool topmost);
    void restack();
    void hideSideEffects(WindowHandle window);
    void present(WindowHandle window, const Rect& area);
    WindowHandle findPaintable() const;
    Rect screenRectOf(const WindowRecord& window) const;
    WindowHandle childAt(const WindowRecord& window, Point client) const;
    std::function<const WindowRecord*(WindowHandle)> lookup() const;
    std::string lowerName(std::string_view name) const;

    std::unique_ptr<DisplayBackend> backend_;
    std::map<std::string, WindowClass> classes_;
    std::map<WindowHandle, std::unique_ptr<WindowRecord>> windows_;
    std::vector<WindowHandle> zOrder_;
    std::uint32_t nextHandle_ = 1;
    MessageQueue queue_;
    TimerTable timers_;
    InputRouter input_;
    WindowHandle active_ = NoWindow;
    WindowHandle focus_ = NoWindow;
    WindowHandle capture_ = NoWindow;
    CursorShape cursor_ = CursorShape::Arrow;
    unsigned doubleClickTime_ = 500;
};

} // namespace pelmo::platform
