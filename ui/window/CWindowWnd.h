#pragma once

#include <string>
#include <string_view>

#include "platform/graphics/Rect.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowTypes.h"

namespace pelmo::platform {
class WindowSystem;
}

namespace pelmo::ui {

// The base of the program's native windows: registers the window class
// once, creates the window with this object bound to it, and hands every
// message to HandleWindowMessage. A class that names a system class in
// SuperclassName (the edit and combo windows) gets that class's procedure
// as its default. After the native window is gone FinalMessage runs; popups
// delete themselves there.
class CWindowWnd {
public:
    CWindowWnd() = default;
    virtual ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    platform::WindowHandle GetHWND() const { return window_; }

    // Returns the window, or none when the class or the window cannot be made.
    platform::WindowHandle Create(platform::WindowHandle parent, std::string_view title, unsigned style,
                                  unsigned exStyle, int x = platform::CW_USEDEFAULT,
                                  int y = platform::CW_USEDEFAULT, int width = 0, int height = 0,
                                  std::uintptr_t menu = 0);
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Centres on the owner (on the work area without one), then moves the
    // window inside the work area; never resizes.
    void CentreOnOwner();
    // Posts WM_CLOSE while the window exists.
    void Close();
    platform::LResult SendMessage(unsigned message, platform::WParam wParam = 0, platform::LParam lParam = 0);
    bool PostMessage(unsigned message, platform::WParam wParam = 0, platform::LParam lParam = 0);

protected:
    virtual std::string WindowClassName() const = 0;
    virtual std::string SuperclassName() const { return {}; }
    virtual unsigned ClassStyle() const { return 0; }
    // The window procedure; the default passes the message on to the
    // class's default procedure.
    virtual platform::LResult HandleWindowMessage(unsigned message, platform::WParam wParam, platform::LParam lParam);
    virtual void FinalMessage(platform::WindowHandle) {}

    platform::WindowSystem& Windows() const;
    platform::WindowHandle window_ = platform::NoWindow;

private:
    bool RegisterWindowClass();
    bool RegisterSuperclass();
    static platform::LResult WindowProcedure(platform::WindowHandle window, unsigned message, platform::WParam wParam,
                                             platform::LParam lParam);
    static platform::LResult SuperclassProcedure(platform::WindowHandle window, unsigned message,
                                                 platform::WParam wParam, platform::LParam lParam);
    static platform::LResult Dispatch(CWindowWnd* self, platform::WindowHandle window, unsigned message,
                                      platform::WParam wParam, platform::LParam lParam, bool superclassed);

    platform::WindowProc previousProcedure_ = nullptr;
};

} // namespace pelmo::ui
