#include "platform/window/InputRouter.h"

#include <cstdlib>

#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"

namespace pelmo::platform {

namespace {

// How far the pointer may wander and still count as resting (hover) or as
// the same place (double click): two pixels each way.
constexpr int restingDistance = 2;
constexpr unsigned defaultHoverMs = 400;
constexpr unsigned hoverDefault = 0xFFFFFFFFu;

unsigned buttonKey(MouseButton button)
{
    switch (button) {
    case MouseButton::Left: return VK_LBUTTON;
    case MouseButton::Right: return VK_RBUTTON;
    case MouseButton::Middle: return VK_MBUTTON;
    case MouseButton::X1: return VK_XBUTTON1;
    case MouseButton::X2: return VK_XBUTTON2;
    }
    return VK_LBUTTON;
}

struct ButtonMessages {
    unsigned down;
    unsigned up;
    unsigned doubleClick;
};

ButtonMessages buttonMessages(MouseButton button)
{
    switch (button) {
    case MouseButton::Left: return {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    case MouseButton::Right: return {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK};
    case MouseButton::Middle: return {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK};
    case MouseButton::X1:
    case MouseButton::X2: return {WM_XBUTTONDOWN, WM_XBUTTONUP, WM_XBUTTONDBLCLK};
    }
    return {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
}

bool near(Point a, Point b)
{
    return std::abs(a.x - b.x) <= restingDistance && std::abs(a.y - b.y) <= restingDistance;
}

} // namespace

WindowHandle InputRouter::target(WindowHandle nativeWindow) const
{
    if (system_.capture() != NoWindow)
        return system_.capture();
    return system_.windowAt(pointer_, nativeWindow);
}

void InputRouter::post(WindowHandle window, unsigned message, WParam wParam, LParam lParam, char32_t character)
{
    system_.postMessage(WindowMessage{window, message, wParam, lParam, system_.tickCount(), pointer_, character});
}

void InputRouter::setDown(unsigned virtualKey, bool down)
{
    std::uint8_t& state = keys_[virtualKey & 0xFF];
    state = static_cast<std::uint8_t>(down ? (state | 0x80) : (state & ~0x80));
}

std::int16_t InputRouter::keyState(unsigned virtualKey) const
{
    const std::uint8_t state = keys_[virtualKey & 0xFF];
    return static_cast<std::int16_t>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

unsigned InputRouter::mouseKeyFlags() const
{
    auto down = [this](unsigned key) { return (keys_[key] & 0x80) != 0; };
    unsigned flags = 0;
    flags |= down(VK_LBUTTON) ? MK_LBUTTON : 0;
    flags |= down(VK_RBUTTON) ? MK_RBUTTON : 0;
    flags |= down(VK_MBUTTON) ? MK_MBUTTON : 0;
    flags |= down(VK_XBUTTON1) ? MK_XBUTTON1 : 0;
    flags |= down(VK_XBUTTON2) ? MK_XBUTTON2 : 0;
    flags |= down(VK_SHIFT) ? MK_SHIFT : 0;
    flags |= down(VK_CONTROL) ? MK_CONTROL : 0;
    return flags;
}

void InputRouter::leaveIfOutside(WindowHandle target)
{
    if (!tracking_.leave || tracking_.window == NoWindow || target == tracking_.window)
        return;
    post(tracking_.window, WM_MOUSELEAVE, 0, 0);
    tracking_ = Tracking{};
}

void InputRouter::pointerMoved(Point screen, WindowHandle nativeWindow)
{
    pointer_ = screen;
    if (dragWindow_ != NoWindow) {
        system_.setWindowPos(dragWindow_, ZOrder::Keep, screen.x - dragOffset_.x, screen.y - dragOffset_.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    const WindowHandle to = target(nativeWindow);
    leaveIfOutside(to);
    if (to == NoWindow || !system_.isEnabled(to))
        return;
    if (tracking_.hover && tracking_.window == to && !near(screen, tracking_.anchor)) {
        tracking_.anchor = screen;
        tracking_.hoverStart = system_.tickCount();
    }
    int hit = HTCLIENT;
    if (system_.capture() == NoWindow) {
        hit = static_cast<int>(system_.sendMessage(to, WM_NCHITTEST, 0, makeLParam(screen.x, screen.y)));
        if (!system_.isWindow(to))
            return;
        system_.sendMessage(to, WM_SETCURSOR, static_cast<WParam>(to), makeLParam(hit, static_cast<int>(WM_MOUSEMOVE)));
    }
    if (hit != HTCLIENT || !system_.isWindow(to))
        return;
    const Point client = system_.screenToClient(to, screen);
    post(to, WM_MOUSEMOVE, mouseKeyFlags(), makeLParam(client.x, client.y));
}

bool InputRouter::startDrag(WindowHandle window)
{
    const Rect rect = system_.windowRect(window);
    dragWindow_ = window;
    dragOffset_ = Point{pointer_.x - rect.left, pointer_.y - rect.top};
    return true;
}

void InputRouter::buttonChanged(MouseButton button, bool pressed)
{
    setDown(buttonKey(button), pressed);
    if (!pressed && dragWindow_ != NoWindow && button == MouseButton::Left) {
        dragWindow_ = NoWindow;
        return;
    }
    WindowHandle to = target(NoWindow);
    if (to == NoWindow || !system_.isEnabled(to))
        return;
    const ButtonMessages messages = buttonMessages(button);
    const WParam xButton = button == MouseButton::X1 ? XBUTTON1 : button == MouseButton::X2 ? XBUTTON2 : 0;
    if (!pressed) {
        const Point client = system_.screenToClient(to, pointer_);
        post(to, messages.up, makeWParam(mouseKeyFlags(), static_cast<unsigned>(xButton)),
             makeLParam(client.x, client.y));
        return;
    }

    int hit = HTCLIENT;
    if (system_.capture() == NoWindow) {
        hit = static_cast<int>(system_.sendMessage(to, WM_NCHITTEST, 0, makeLParam(pointer_.x, pointer_.y)));
        if (!system_.isWindow(to))
            return;
    }
    const WindowHandle top = system_.topLevel(to);
    if (top != system_.activeWindow() && (system_.exStyle(top) & WS_EX_NOACTIVATE) == 0) {
        system_.setActiveWindow(top);
        if (!system_.isWindow(to))
            return;
    }
    if (hit == HTCAPTION && button == MouseButton::Left) {
        startDrag(top);
        return;
    }
    if (hit != HTCLIENT)
        return;

    const std::uint64_t now = system_.tickCount();
    const WindowRecord* window = system_.record(to);
    const bool wantsDoubleClicks = window && (window->windowClass.style & CS_DBLCLKS) != 0;
    const bool doubleClick = wantsDoubleClicks && lastPress_.valid && lastPress_.window == to &&
                             lastPress_.button == button && now - lastPress_.time <= system_.doubleClickTime() &&
                             near(pointer_, lastPress_.point);
    if (doubleClick)
        lastPress_.valid = false;  // a third press starts again
    else
        lastPress_ = LastPress{to, button, now, pointer_, true};
    const Point client = system_.screenToClient(to, pointer_);
    post(to, doubleClick ? messages.doubleClick : messages.down,
         makeWParam(mouseKeyFlags(), static_cast<unsigned>(xButton)), makeLParam(client.x, client.y));
}

void InputRouter::wheelTurned(int delta)
{
    const WindowHandle to = target(NoWindow);
    if (to == NoWindow || !system_.isEnabled(to))
        return;
    post(to, WM_MOUSEWHEEL, makeWParam(mouseKeyFlags(), static_cast<unsigned>(static_cast<std::uint16_t>(delta))),
         makeLParam(pointer_.x, pointer_.y));
}

void InputRouter::keyChanged(unsigned virtualKey, bool pressed, bool extended, char32_t character, unsigned scanCode)
{
    virtualKey &= 0xFF;
    unsigned generic = virtualKey;
    unsigned sided = 0;
    switch (virtualKey) {
    case VK_SHIFT: sided = VK_LSHIFT; break;
    case VK_CONTROL: sided = extended ? VK_RCONTROL : VK_LCONTROL; break;
    case VK_MENU: sided = extended ? VK_RMENU : VK_LMENU; break;
    case VK_LSHIFT:
    case VK_RSHIFT: generic = VK_SHIFT; sided = virtualKey; break;
    case VK_LCONTROL:
    case VK_RCONTROL: generic = VK_CONTROL; sided = virtualKey; break;
    case VK_LMENU:
    case VK_RMENU: generic = VK_MENU; sided = virtualKey; break;
    default: break;
    }
    if (sided == VK_RCONTROL || sided == VK_RMENU)
        extended = true;

    const bool wasDown = (keys_[generic] & 0x80) != 0;
    const bool altHeld = (keys_[VK_MENU] & 0x80) != 0;
    const bool controlHeld = (keys_[VK_CONTROL] & 0x80) != 0;
    if (sided) {
        setDown(sided, pressed);
        const unsigned left = generic == VK_SHIFT ? VK_LSHIFT : generic == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
        setDown(generic, (keys_[left] & 0x80) || (keys_[left + 1] & 0x80));
    } else {
        setDown(generic, pressed);
    }
    if (pressed && !wasDown && (generic == VK_CAPITAL || generic == VK_NUMLOCK || generic == VK_SCROLL))
        keys_[generic] ^= 0x01;

    const bool system = generic == VK_MENU || generic == VK_F10 || (altHeld && !controlHeld);
    const unsigned message = pressed ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    std::uint32_t flags = 1u | ((scanCode & 0xFFu) << 16);
    flags |= extended ? (1u << 24) : 0u;
    flags |= (altHeld || (generic == VK_MENU && pressed)) ? (1u << 29) : 0u;
    flags |= (wasDown || !pressed) ? (1u << 30) : 0u;
    flags |= pressed ? 0u : (1u << 31);

    WindowHandle to = system_.focus();
    if (to == NoWindow)
        to = system_.activeWindow();
    if (to == NoWindow)
        return;
    post(to, message, generic, static_cast<LParam>(flags), pressed ? character : 0);
}

void InputRouter::releaseAll()
{
    for (std::uint8_t& state : keys_)
        state = static_cast<std::uint8_t>(state & 0x01);
    dragWindow_ = NoWindow;
}

bool InputRouter::trackMouseEvent(WindowHandle window, unsigned flags, unsigned hoverMs)
{
    if (flags & TME_CANCEL) {
        if (tracking_.window == window) {
            tracking_.hover = tracking_.hover && !(flags & TME_HOVER);
            tracking_.leave = tracking_.leave && !(flags & TME_LEAVE);
            if (!tracking_.hover && !tracking_.leave)
                tracking_ = Tracking{};
        }
        return true;
    }
    if (!system_.isWindow(window))
        return false;
    if (tracking_.window != window)
        tracking_ = Tracking{};
    tracking_.window = window;
    if (flags & TME_HOVER) {
        tracking_.hover = true;
        tracking_.hoverMs = hoverMs == hoverDefault ? defaultHoverMs : hoverMs;
        tracking_.hoverStart = system_.tickCount();
        tracking_.anchor = pointer_;
    }
    if (flags & TME_LEAVE) {
        tracking_.leave = true;
        // Asking to hear of a leave while already outside hears of it at once.
        if (system_.capture() != window && system_.windowAt(pointer_) != window)
            leaveIfOutside(NoWindow);
    }
    return true;
}

std::optional<std::uint64_t> InputRouter::untilHover(std::uint64_t now) const
{
    if (!tracking_.hover)
        return std::nullopt;
    const std::uint64_t due = tracking_.hoverStart + tracking_.hoverMs;
    return due > now ? due - now : 0;
}

bool InputRouter::deliverDueHover(std::uint64_t now)
{
    if (!tracking_.hover || now < tracking_.hoverStart + tracking_.hoverMs)
        return false;
    const WindowHandle window = tracking_.window;
    tracking_.hover = false;
    if (!tracking_.leave)
        tracking_ = Tracking{};
    if (!system_.isWindow(window))
        return false;
    const Point client = system_.screenToClient(window, pointer_);
    post(window, WM_MOUSEHOVER, mouseKeyFlags(), makeLParam(client.x, client.y));
    return true;
}

void InputRouter::forgetWindow(WindowHandle window)
{
    if (tracking_.window == window)
        tracking_ = Tracking{};
    if (lastPress_.window == window)
        lastPress_.valid = false;
    if (dragWindow_ == window)
        dragWindow_ = NoWindow;
}

} // namespace pelmo::platform
