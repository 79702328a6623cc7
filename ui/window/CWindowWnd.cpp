#include "ui/window/CWindowWnd.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"

namespace pelmo::ui {

using namespace pelmo::platform;

namespace {
// The property that binds a superclassed window to its object: the user
// data of a system class's window belongs to that class.
constexpr const char* objectProperty = "WndX";
} // namespace

CWindowWnd::~CWindowWnd()
{
    // A window outliving its object would deliver messages to freed memory,
    // so it goes with the object. While this destructor runs the object is
    // a plain CWindowWnd: the window's last messages reach the class's
    // default procedure (which for a superclass frees its own state).
    if (window_ != NoWindow)
        if (WindowSystem* windows = WindowSystem::current(); windows && windows->isWindow(window_))
            windows->destroyWindow(window_);
}

WindowSystem& CWindowWnd::Windows() const
{
    WindowSystem* windows = WindowSystem::current();
    assert(windows && "a window system must be open before windows are made");
    return *windows;
}

bool CWindowWnd::RegisterWindowClass()
{
    WindowClass windowClass;
    windowClass.name = WindowClassName();
    windowClass.style = ClassStyle();
    windowClass.procedure = &CWindowWnd::WindowProcedure;
    windowClass.cursor = CursorShape::Arrow;
    return Windows().registerClass(windowClass) != WindowSystem::RegisterResult::Invalid;
}

bool CWindowWnd::RegisterSuperclass()
{
    std::optional<WindowClass> base = Windows().findClass(SuperclassName());
    if (!base)
        return false;
    previousProcedure_ = base->procedure;
    WindowClass windowClass = *base;
    windowClass.name = WindowClassName();
    windowClass.procedure = &CWindowWnd::SuperclassProcedure;
    return Windows().registerClass(windowClass) != WindowSystem::RegisterResult::Invalid;
}

WindowHandle CWindowWnd::Create(WindowHandle parent, std::string_view title, unsigned style, unsigned exStyle, int x,
                                int y, int width, int height, std::uintptr_t menu)
{
    const bool superclassed = !SuperclassName().empty();
    if (superclassed ? !RegisterSuperclass() : !RegisterWindowClass())
        return NoWindow;
    CreateStruct params;
    params.createParam = this;
    params.parent = parent;
    params.style = style;
    params.exStyle = exStyle;
    params.x = x;
    params.y = y;
    params.width = width;
    params.height = height;
    params.menu = menu;
    params.className = WindowClassName();
    params.title = title;
    return Windows().createWindow(params);
}

LResult CWindowWnd::WindowProcedure(WindowHandle window, unsigned message, WParam wParam, LParam lParam)
{
    WindowSystem& windows = *WindowSystem::current();
    CWindowWnd* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<CWindowWnd*>(reinterpret_cast<CreateStruct*>(lParam)->createParam);
        self->window_ = window;
        windows.setUserData(window, reinterpret_cast<std::intptr_t>(self));
    } else {
        self = reinterpret_cast<CWindowWnd*>(windows.userData(window));
    }
    return Dispatch(self, window, message, wParam, lParam, false);
}

LResult CWindowWnd::SuperclassProcedure(WindowHandle window, unsigned message, WParam wParam, LParam lParam)
{
    WindowSystem& windows = *WindowSystem::current();
    CWindowWnd* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<CWindowWnd*>(reinterpret_cast<CreateStruct*>(lParam)->createParam);
        self->window_ = window;
        windows.setProperty(window, objectProperty, reinterpret_cast<std::intptr_t>(self));
    } else {
        self = reinterpret_cast<CWindowWnd*>(windows.property(window, objectProperty));
    }
    return Dispatch(self, window, message, wParam, lParam, true);
}

LResult CWindowWnd::Dispatch(CWindowWnd* self, WindowHandle window, unsigned message, WParam wParam, LParam lParam,
                             bool superclassed)
{
    WindowSystem& windows = *WindowSystem::current();
    if (!self)
        return windows.defWindowProc(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const LResult result = windows.callWindowProc(self->previousProcedure_, window, message, wParam, lParam);
        if (superclassed)
            windows.removeProperty(window, objectProperty);
        else
            windows.setUserData(window, 0);
        self->window_ = NoWindow;
        self->FinalMessage(window);
        return result;
    }
    return self->HandleWindowMessage(message, wParam, lParam);
}

LResult CWindowWnd::HandleWindowMessage(unsigned message, WParam wParam, LParam lParam)
{
    return Windows().callWindowProc(previousProcedure_, window_, message, wParam, lParam);
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus)
{
    if (window_ == NoWindow)
        return;
    Windows().showWindow(window_, !show ? ShowCommand::Hide : takeFocus ? ShowCommand::Show : ShowCommand::ShowNoActivate);
}

void CWindowWnd::CentreOnOwner()
{
    if (window_ == NoWindow)
        return;
    WindowSystem& windows = Windows();
    const Rect own = windows.windowRect(window_);
    const Rect area = windows.workArea();
    const WindowHandle owner = windows.isWindow(windows.owner(window_)) ? windows.owner(window_) : windows.parent(window_);
    const Rect around = owner != NoWindow ? windows.windowRect(owner) : area;
    int x = around.left + (around.width() - own.width()) / 2;
    int y = around.top + (around.height() - own.height()) / 2;
    x = std::max(area.left, std::min(x, area.right - own.width()));
    y = std::max(area.top, std::min(y, area.bottom - own.height()));
    windows.setWindowPos(window_, ZOrder::Keep, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::Close()
{
    if (window_ != NoWindow && Windows().isWindow(window_))
        Windows().postMessage(window_, WM_CLOSE, 0, 0);
}

LResult CWindowWnd::SendMessage(unsigned message, WParam wParam, LParam lParam)
{
    return Windows().sendMessage(window_, message, wParam, lParam);
}

bool CWindowWnd::PostMessage(unsigned message, WParam wParam, LParam lParam)
{
    return Windows().postMessage(window_, message, wParam, lParam);
}

} // namespace pelmo::ui
