#include "platform/window/WindowSystem.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <limits>
#include <utility>

#include "platform/window/EditWindow.h"
#include "platform/window/HeadlessDisplay.h"
#include "platform/window/TooltipWindow.h"
#include "platform/window/WindowCompositor.h"
#include "platform/window/X11Display.h"

namespace pelmo::platform {

namespace {

// Sizes and places come from layouts and other outside data: they are kept to
// what a screen can show, so no arithmetic overflows and no surface grows
// beyond reason.
constexpr int kMaxCoordinate = 32767;
constexpr int kMaxExtent = 16384;

} // namespace

namespace {

std::atomic<WindowSystem*> currentSystem{nullptr};

int defaulted(int value, int fallback) { return value == CW_USEDEFAULT ? fallback : value; }

} // namespace

WindowSystem::WindowSystem(std::unique_ptr<DisplayBackend> backend) : backend_(std::move(backend)), input_(*this)
{
    backend_->attach(*this);
    TooltipWindow::registerClass(*this);
    EditWindow::registerClass(*this);
    currentSystem.store(this);
}

WindowSystem::~WindowSystem()
{
    // No procedure runs at teardown: the objects behind the windows may be
    // gone already. The native windows are simply taken down.
    for (const auto& [handle, window] : windows_)
        if (!window->isChild())
            backend_->destroyNative(handle);
    windows_.clear();
    WindowSystem* self = this;
    currentSystem.compare_exchange_strong(self, nullptr);
}

std::unique_ptr<WindowSystem> WindowSystem::open(Choice choice, const std::string& x11Display, std::string* error)
{
    if (choice == Choice::FromEnvironment) {
        const char* display = std::getenv("PELMO_DISPLAY");
        choice = display && std::string_view(display) == "headless" ? Choice::Headless : Choice::X11;
    }
    if (choice == Choice::Headless)
        return std::make_unique<WindowSystem>(std::make_unique<HeadlessDisplay>());
    std::unique_ptr<X11Display> x11 = X11Display::open(x11Display, error);
    if (!x11)
        return nullptr;
    return std::make_unique<WindowSystem>(std::move(x11));
}

WindowSystem* WindowSystem::current() { return currentSystem.load(); }

void WindowSystem::setCurrent(WindowSystem* system) { currentSystem.store(system); }

WindowRecord* WindowSystem::record(WindowHandle window)
{
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second.get();
}

const WindowRecord* WindowSystem::record(WindowHandle window) const
{
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second.get();
}

std::string WindowSystem::lowerName(std::string_view name) const
{
    std::string lower(name);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

WindowSystem::RegisterResult WindowSystem::registerClass(const WindowClass& windowClass)
{
    if (windowClass.name.empty() || !windowClass.procedure)
        return RegisterResult::Invalid;
    auto [where, added] = classes_.emplace(lowerName(windowClass.name), windowClass);
    return added ? RegisterResult::Registered : RegisterResult::AlreadyExists;
}

std::optional<WindowClass> WindowSystem::findClass(std::string_view name) const
{
    auto found = classes_.find(lowerName(name));
    if (found == classes_.end())
        return std::nullopt;
    return found->second;
}

WindowHandle WindowSystem::createWindow(const CreateStruct& params)
{
    std::optional<WindowClass> windowClass = findClass(params.className);
    if (!windowClass)
        return NoWindow;
    const bool child = (params.style & WS_CHILD) != 0;
    if (child && !record(params.parent))
        return NoWindow;

    auto window = std::make_unique<WindowRecord>();
    const WindowHandle handle{nextHandle_++};
    window->handle = handle;
    window->windowClass = *windowClass;
    window->title = params.title;
    window->style = params.style & ~(WS_VISIBLE | WS_DISABLED);
    window->exStyle = params.exStyle;
    window->enabled = (params.style & WS_DISABLED) == 0;
    window->menu = params.menu;
    window->procedure = windowClass->procedure;
    const int x = std::clamp(defaulted(params.x, 0), -kMaxCoordinate, kMaxCoordinate);
    const int y = std::clamp(defaulted(params.y, 0), -kMaxCoordinate, kMaxCoordinate);
    window->rect = Rect{x, y, x + std::clamp(defaulted(params.width, 0), 0, kMaxExtent),
                        y + std::clamp(defaulted(params.height, 0), 0, kMaxExtent)};
    if (child) {
        window->parent = params.parent;
        WindowRecord* parentRecord = record(params.parent);
        parentRecord->children.insert(parentRecord->children.begin(), handle);
    } else {
        window->owner = params.parent != NoWindow ? topLevel(params.parent) : NoWindow;
    }
    WindowRecord& created = *window;
    windows_.emplace(handle, std::move(window));
    resizeSurface(created);
    if (!child) {
        zOrder_.insert(zOrder_.begin(), handle);
        raise(handle, (params.exStyle & WS_EX_TOPMOST) != 0);
        NativeWindowInfo info;
        info.rect = created.rect;
        info.title = created.title;
        info.className = created.windowClass.name;
        info.owner = created.owner;
        info.popup = (params.style & WS_POPUP) != 0 || (params.style & WS_CAPTION) != WS_CAPTION;
        info.transient = (params.exStyle & (WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT)) != 0;
        info.topmost = (params.exStyle & WS_EX_TOPMOST) != 0;
        backend_->createNative(handle, info);
    }

    CreateStruct passed = params;
    if (!sendMessage(handle, WM_NCCREATE, 0, reinterpret_cast<LParam>(&passed))) {
        destroyWindow(handle);
        return NoWindow;
    }
    if (sendMessage(handle, WM_CREATE, 0, reinterpret_cast<LParam>(&passed)) == -1) {
        destroyWindow(handle);
        return NoWindow;
    }
    WindowRecord* after = record(handle);
    if (!after)
        return NoWindow;
    sendMessage(handle, WM_SIZE, SIZE_RESTORED, makeLParam(after->width(), after->height()));
    if ((after = record(handle)))
        sendMessage(handle, WM_MOVE, 0, makeLParam(after->rect.left, after->rect.top));
    if (record(handle) && (params.style & WS_VISIBLE))
        showWindow(handle, child ? ShowCommand::ShowNoActivate : ShowCommand::Show);
    return record(handle) ? handle : NoWindow;
}

bool WindowSystem::destroyWindow(WindowHandle handle)
{
    WindowRecord* window = record(handle);
    if (!window || window->destroying)
        return false;
    // Owned windows go first, as they cannot outlive their owner.
    for (WindowHandle other : std::vector<WindowHandle>(zOrder_))
        if (const WindowRecord* candidate = record(other); candidate && candidate->owner == handle)
            destroyWindow(other);
    if (!(window = record(handle)) || window->destroying)
        return false;
    window->destroying = true;
    if (window->visible) {
        window->visible = false;
        if (!window->isChild()) {
            backend_->showNative(handle, false, false);
            restack();
        } else if (WindowRecord* parentRecord = record(window->parent)) {
            invalidateRect(parentRecord->handle, &window->rect, false);
        }
    }
    hideSideEffects(handle);
    sendDestroy(handle);
    releaseRecord(handle);
    return true;
}

void WindowSystem::sendDestroy(WindowHandle handle)
{
    sendMessage(handle, WM_DESTROY);
    if (WindowRecord* window = record(handle))
        for (WindowHandle child : std::vector<WindowHandle>(window->children))
            if (WindowRecord* childRecord = record(child)) {
                childRecord->destroying = true;
                sendDestroy(child);
            }
}

void WindowSystem::releaseRecord(WindowHandle handle)
{
    WindowRecord* window = record(handle);
    if (!window)
        return;
    for (WindowHandle child : std::vector<WindowHandle>(window->children))
        releaseRecord(child);
    sendMessage(handle, WM_NCDESTROY);
    window = record(handle);
    if (!window)
        return;
    if (window->isChild()) {
        if (WindowRecord* parentRecord = record(window->parent))
            std::erase(parentRecord->children, handle);
    } else {
        std::erase(zOrder_, handle);
        backend_->destroyNative(handle);
    }
    timers_.killWindow(handle);
    queue_.dropWindow(handle);
    input_.forgetWindow(handle);
    if (focus_ == handle)
        focus_ = NoWindow;
    if (active_ == handle)
        active_ = NoWindow;
    if (capture_ == handle)
        capture_ = NoWindow;
    windows_.erase(handle);
}

// What hiding or destroying a window does to focus, capture and activation.
void WindowSystem::hideSideEffects(WindowHandle handle)
{
    auto within = [&](WindowHandle candidate) {
        for (; candidate != NoWindow; candidate = parent(candidate))
            if (candidate == handle)
                return true;
        return false;
    };
    if (capture_ != NoWindow && within(capture_))
        releaseCapture();
    if (focus_ != NoWindow && within(focus_))
        setFocus(isChild(handle) ? parentOf(handle) : NoWindow);
    input_.forgetWindow(handle);
    if (active_ == handle) {
        WindowHandle next = NoWindow;
        if (const WindowRecord* window = record(handle); window && isVisible(window->owner))
            next = window->owner;
        setActiveWindow(next);
    }
}

bool WindowSystem::isChild(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window && window->isChild();
}

WindowHandle WindowSystem::parentOf(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window ? window->parent : NoWindow;
}

bool WindowSystem::isVisible(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    for (; window; window = record(window->parent)) {
        if (!window->visible)
            return false;
        if (!window->isChild())
            return true;
    }
    return false;
}

bool WindowSystem::isEnabled(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window && window->enabled;
}

bool WindowSystem::enableWindow(WindowHandle handle, bool enable)
{
    WindowRecord* window = record(handle);
    if (!window)
        return false;
    const bool wasDisabled = !window->enabled;
    if (window->enabled != enable) {
        window->enabled = enable;
        if (!enable)
            hideSideEffects(handle);
        sendMessage(handle, WM_ENABLE, enable ? 1 : 0, 0);
    }
    return wasDisabled;
}

bool WindowSystem::showWindow(WindowHandle handle, ShowCommand command)
{
    WindowRecord* window = record(handle);
    if (!window)
        return false;
    const bool wasVisible = window->visible;
    if (command == ShowCommand::Hide) {
        if (!wasVisible)
            return false;
        window->visible = false;
        sendMessage(handle, WM_SHOWWINDOW, 0, 0);
        if (!(window = record(handle)))
            return true;
        if (window->isChild()) {
            if (WindowRecord* parentRecord = record(window->parent))
                invalidateRect(parentRecord->handle, &window->rect, false);
        } else {
            backend_->showNative(handle, false, false);
            restack();
        }
        hideSideEffects(handle);
        return true;
    }
    const bool activate = command == ShowCommand::Show && !window->isChild() &&
                          (window->exStyle & WS_EX_NOACTIVATE) == 0;
    if (!wasVisible) {
        window->visible = true;
        sendMessage(handle, WM_SHOWWINDOW, 1, 0);
        if (!(window = record(handle)))
            return false;
        invalidateRect(handle, nullptr, true);
        if (!window->isChild()) {
            raise(handle, (window->exStyle & WS_EX_TOPMOST) != 0);
            backend_->showNative(handle, true, activate);
            restack();
        }
    }
    if (activate)
        setActiveWindow(handle);
    return wasVisible;
}

void WindowSystem::resizeSurface(WindowRecord& window)
{
    const int width = std::clamp(window.width(), 0, Surface::maxSide);
    const int height = std::clamp(window.height(), 0, Surface::maxSide);
    if (window.surface.width() == width && window.surface.height() == height)
        return;
    Surface resized(width, height);
    resized.copyFrom(window.surface, window.surface.bounds(), 0, 0);
    window.surface = std::move(resized);
    window.frame = Surface();
    window.dirty = Region(window.surface.bounds());
}

bool WindowSystem::setWindowPos(WindowHandle handle, ZOrder order, int x, int y, int width, int height,
                                unsigned flags)
{
    WindowRecord* window = record(handle);
    if (!window)
        return false;
    if (!(flags & SWP_NOZORDER) && !window->isChild()) {
        if (order == ZOrder::Topmost)
            window->exStyle |= WS_EX_TOPMOST;
        else if (order == ZOrder::NoTopmost)
            window->exStyle &= ~WS_EX_TOPMOST;
        if (order == ZOrder::Bottom) {
            std::erase(zOrder_, handle);
            zOrder_.push_back(handle);
        } else if (order != ZOrder::Keep) {
            raise(handle, (window->exStyle & WS_EX_TOPMOST) != 0);
        }
        restack();
    }
    x = std::clamp(x, -kMaxCoordinate, kMaxCoordinate);
    y = std::clamp(y, -kMaxCoordinate, kMaxCoordinate);
    width = std::clamp(width, 0, kMaxExtent);
    height = std::clamp(height, 0, kMaxExtent);

    const Rect old = window->rect;
    Rect moved = old;
    if (!(flags & SWP_NOMOVE))
        moved = old.offset(x - old.left, y - old.top);
    if (!(flags & SWP_NOSIZE)) {
        moved.right = moved.left + width;
        moved.bottom = moved.top + height;
    }
    if (moved != old) {
        window->rect = moved;
        const bool resized = moved.width() != old.width() || moved.height() != old.height();
        if (resized)
            resizeSurface(*window);
        if (window->isChild()) {
            if (WindowRecord* parentRecord = record(window->parent)) {
                const Rect both = old.united(moved);
                invalidateRect(parentRecord->handle, &both, false);
            }
        } else {
            backend_->moveNative(handle, moved);
        }
        if (resized)
            sendMessage(handle, WM_SIZE, SIZE_RESTORED, makeLParam(moved.width(), moved.height()));
        if (record(handle) && (moved.left != old.left || moved.top != old.top))
            sendMessage(handle, WM_MOVE, 0, makeLParam(moved.left, moved.top));
    }
    if (!record(handle))
        return false;
    if (flags & SWP_SHOWWINDOW)
        showWindow(handle, (flags & SWP_NOACTIVATE) ? ShowCommand::ShowNoActivate : ShowCommand::Show);
    else if (flags & SWP_HIDEWINDOW)
        showWindow(handle, ShowCommand::Hide);
    return true;
}

bool WindowSystem::moveWindow(WindowHandle window, const Rect& rect)
{
    return setWindowPos(window, ZOrder::Keep, rect.left, rect.top, rect.width(), rect.height(),
                        SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect WindowSystem::screenRectOf(const WindowRecord& window) const
{
    if (!window.isChild())
        return window.rect;
    const WindowRecord* parentRecord = record(window.parent);
    if (!parentRecord)
        return window.rect;
    const Rect parentRect = screenRectOf(*parentRecord);
    return window.rect.offset(parentRect.left, parentRect.top);
}

Rect WindowSystem::windowRect(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window ? screenRectOf(*window) : Rect{};
}

Rect WindowSystem::clientRect(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window ? Rect{0, 0, window->width(), window->height()} : Rect{};
}

Point WindowSystem::clientToScreen(WindowHandle handle, Point point) const
{
    const Rect rect = windowRect(handle);
    return Point{point.x + rect.left, point.y + rect.top};
}

Point WindowSystem::screenToClient(WindowHandle handle, Point point) const
{
    const Rect rect = windowRect(handle);
    return Point{point.x - rect.left, point.y - rect.top};
}

WindowHandle WindowSystem::parent(WindowHandle handle) const { return parentOf(handle); }

WindowHandle WindowSystem::owner(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window ? window->owner : NoWindow;
}

WindowHandle WindowSystem::topLevel(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    while (window && window->isChild())
        window = record(window->parent);
    return window ? window->handle : NoWindow;
}

std::vector<WindowHandle> WindowSystem::children(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window ? window->children : std::vector<WindowHandle>{};
}

unsigned WindowSystem::style(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    if (!window)
        return 0;
    return window->style | (window->visible ? WS_VISIBLE : 0u) | (window->enabled ? 0u : WS_DISABLED);
}

void WindowSystem::setStyle(WindowHandle handle, unsigned value)
{
    if (WindowRecord* window = record(handle))
        window->style = (value & ~(WS_VISIBLE | WS_DISABLED)) | (window->style & WS_CHILD);
}

unsigned WindowSystem::exStyle(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window ? window->exStyle : 0;
}

void WindowSystem::setExStyle(WindowHandle handle, unsigned value)
{
    if (WindowRecord* window = record(handle))
        window->exStyle = value;
}

std::string WindowSystem::className(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window ? window->windowClass.name : std::string();
}

std::string WindowSystem::title(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window ? window->title : std::string();
}

void WindowSystem::setTitle(WindowHandle handle, const std::string& text)
{
    WindowRecord* window = record(handle);
    if (!window)
        return;
    window->title = text;
    if (!window->isChild())
        backend_->setTitleNative(handle, text);
}

std::intptr_t WindowSystem::userData(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window ? window->userData : 0;
}

void WindowSystem::setUserData(WindowHandle handle, std::intptr_t value)
{
    if (WindowRecord* window = record(handle))
        window->userData = value;
}

std::intptr_t WindowSystem::property(WindowHandle handle, const std::string& name) const
{
    const WindowRecord* window = record(handle);
    if (!window)
        return 0;
    auto found = window->properties.find(name);
    return found == window->properties.end() ? 0 : found->second;
}

void WindowSystem::setProperty(WindowHandle handle, const std::string& name, std::intptr_t value)
{
    if (WindowRecord* window = record(handle))
        window->properties[name] = value;
}

void WindowSystem::removeProperty(WindowHandle handle, const std::string& name)
{
    if (WindowRecord* window = record(handle))
        window->properties.erase(name);
}

WindowProc WindowSystem::windowProc(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window ? window->procedure : nullptr;
}

WindowProc WindowSystem::setWindowProc(WindowHandle handle, WindowProc procedure)
{
    WindowRecord* window = record(handle);
    if (!window)
        return nullptr;
    return std::exchange(window->procedure, procedure);
}

bool WindowSystem::setWindowRegion(WindowHandle handle, std::optional<Region> region, bool redraw)
{
    WindowRecord* window = record(handle);
    if (!window)
        return false;
    window->region = std::move(region);
    if (!window->isChild())
        backend_->setShapeNative(handle, window->region ? &*window->region : nullptr);
    if (redraw)
        invalidateRect(handle, nullptr, true);
    return true;
}

const Region* WindowSystem::windowRegion(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window && window->region ? &*window->region : nullptr;
}

WindowHandle WindowSystem::childAt(const WindowRecord& window, Point client) const
{
    for (WindowHandle handle : window.children) {
        const WindowRecord* child = record(handle);
        if (!child || !child->visible || !child->enabled || (child->exStyle & WS_EX_TRANSPARENT) ||
            !child->rect.contains(client.x, client.y))
            continue;
        const Point inner{client.x - child->rect.left, client.y - child->rect.top};
        if (child->region && !child->region->contains(inner.x, inner.y))
            continue;
        return childAt(*child, inner);
    }
    return window.handle;
}

WindowHandle WindowSystem::windowAt(Point screen, WindowHandle topLevelHint) const
{
    for (WindowHandle handle : zOrder_) {
        if (topLevelHint != NoWindow && handle != topLevelHint)
            continue;
        const WindowRecord* window = record(handle);
        if (!window || !window->visible || (window->exStyle & WS_EX_TRANSPARENT) ||
            !window->rect.contains(screen.x, screen.y))
            continue;
        const Point client{screen.x - window->rect.left, screen.y - window->rect.top};
        if (window->region && !window->region->contains(client.x, client.y))
            continue;
        return childAt(*window, client);
    }
    return NoWindow;
}

void WindowSystem::raise(WindowHandle handle, bool topmost)
{
    std::erase(zOrder_, handle);
    auto firstNormal = std::find_if(zOrder_.begin(), zOrder_.end(), [this](WindowHandle other) {
        const WindowRecord* window = record(other);
        return !window || (window->exStyle & WS_EX_TOPMOST) == 0;
    });
    auto at = topmost ? zOrder_.begin() : firstNormal;
    zOrder_.insert(at, handle);
    // Owned windows stay above their owner.
    std::vector<WindowHandle> owned;
    for (WindowHandle other : zOrder_)
        if (const WindowRecord* window = record(other); window && window->owner == handle)
            owned.push_back(other);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        std::erase(zOrder_, *it);
        auto ownerAt = std::find(zOrder_.begin(), zOrder_.end(), handle);
        const WindowRecord* window = record(*it);
        zOrder_.insert(window && (window->exStyle & WS_EX_TOPMOST) ? zOrder_.begin() : ownerAt, *it);
    }
}

void WindowSystem::restack()
{
    std::vector<WindowHandle> shown;
    for (WindowHandle handle : zOrder_)
        if (const WindowRecord* window = record(handle); window && window->visible)
            shown.push_back(handle);
    backend_->restackNative(shown);
}

WindowHandle WindowSystem::setActiveWindow(WindowHandle handle)
{
    handle = topLevel(handle);
    const WindowHandle previous = active_;
    if (handle == previous)
        return previous;
    active_ = handle;
    if (record(previous)) {
        sendMessage(previous, WM_NCACTIVATE, 0, 0);
        sendMessage(previous, WM_ACTIVATE, WA_INACTIVE, static_cast<LParam>(handle));
    }
    if (active_ != handle)
        return previous;  // a handler activated something else meanwhile
    if (WindowRecord* window = record(handle)) {
        raise(handle, (window->exStyle & WS_EX_TOPMOST) != 0);
        restack();
        backend_->focusNative(handle);
        sendMessage(handle, WM_NCACTIVATE, 1, 0);
        sendMessage(handle, WM_ACTIVATE, WA_ACTIVE, static_cast<LParam>(previous));
    } else if (focus_ != NoWindow) {
        setFocus(NoWindow);
    }
    return previous;
}

bool WindowSystem::setForegroundWindow(WindowHandle handle)
{
    if (!record(handle))
        return false;
    setActiveWindow(handle);
    return true;
}

WindowHandle WindowSystem::setFocus(WindowHandle handle)
{
    const WindowHandle previous = focus_;
    if (handle == previous)
        return previous;
    if (handle != NoWindow) {
        const WindowRecord* window = record(handle);
        if (!window || !window->enabled || window->destroying)
            return NoWindow;
        if (topLevel(handle) != active_) {
            // Activation must not hand the focus to the top-level window on
            // its way: the focus goes where it was asked to go.
            focus_ = handle;
            setActiveWindow(handle);
            focus_ = previous;
            if (!record(handle))
                return previous;
        }
    }
    focus_ = handle;
    if (record(previous))
        sendMessage(previous, WM_KILLFOCUS, static_cast<WParam>(handle), 0);
    if (focus_ == handle && record(handle))
        sendMessage(handle, WM_SETFOCUS, static_cast<WParam>(previous), 0);
    return previous;
}

WindowHandle WindowSystem::setCapture(WindowHandle handle)
{
    const WindowHandle previous = capture_;
    if (!record(handle) || handle == previous)
        return previous;
    capture_ = handle;
    backend_->captureNative(handle);
    if (record(previous))
        sendMessage(previous, WM_CAPTURECHANGED, 0, static_cast<LParam>(handle));
    return previous;
}

bool WindowSystem::releaseCapture()
{
    const WindowHandle previous = std::exchange(capture_, NoWindow);
    if (previous == NoWindow)
        return true;
    backend_->captureNative(NoWindow);
    if (record(previous))
        sendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    return true;
}

void WindowSystem::setCursor(CursorShape shape)
{
    cursor_ = shape;
    WindowHandle under = capture_ != NoWindow ? capture_ : windowAt(input_.pointer());
    if (WindowHandle top = topLevel(under); top != NoWindow)
        backend_->setCursorNative(top, shape);
}

bool WindowSystem::postMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam)
{
    WindowMessage posted;
    posted.window = window;
    posted.message = message;
    posted.wParam = wParam;
    posted.lParam = lParam;
    posted.time = backend_->nowMs();
    postMessage(posted);
    return true;
}

void WindowSystem::postMessage(const WindowMessage& message)
{
    queue_.post(message);
    backend_->wakeUp();
}

void WindowSystem::postQuitMessage(int exitCode)
{
    postMessage(NoWindow, WM_QUIT, static_cast<WParam>(exitCode), 0);
}

LResult WindowSystem::sendMessage(WindowHandle handle, unsigned message, WParam wParam, LParam lParam)
{
    const WindowRecord* window = record(handle);
    if (!window)
        return 0;
    return callWindowProc(window->procedure, handle, message, wParam, lParam);
}

LResult WindowSystem::callWindowProc(WindowProc procedure, WindowHandle window, unsigned message, WParam wParam,
                                     LParam lParam)
{
    if (!procedure)
        return defWindowProc(window, message, wParam, lParam);
    return procedure(window, message, wParam, lParam);
}

bool WindowSystem::getMessage(WindowMessage& message)
{
    for (;;) {
        if (peekMessage(message, true))
            return message.message != WM_QUIT;
        const std::optional<std::uint64_t> wait = untilNextTimer();
        const int timeout = wait ? static_cast<int>(std::min<std::uint64_t>(*wait, std::numeric_limits<int>::max()))
                                 : -1;
        backend_->waitForEvents(timeout);
    }
}

bool WindowSystem::peekMessage(WindowMessage& message, bool remove)
{
    backend_->pumpEvents();
    for (int round = 0; round < 2; ++round) {
        while (std::optional<WindowMessage> posted = queue_.take(remove)) {
            if (posted->window != NoWindow && !record(posted->window)) {
                if (!remove)
                    queue_.take(true);
                continue;
            }
            message = *posted;
            return true;
        }
        if (WindowHandle paintable = findPaintable(); paintable != NoWindow) {
            message = WindowMessage{paintable, WM_PAINT, 0, 0, tickCount(), input_.pointer(), 0};
            return true;
        }
        const std::uint64_t now = tickCount();
        if (remove) {
            if (std::optional<TimerTable::Due> due = timers_.takeDue(now)) {
                message = WindowMessage{due->window, WM_TIMER, due->id, 0, now, input_.pointer(), 0};
                return true;
            }
        }
        // A due hover is queued as WM_MOUSEHOVER; take it in the next round.
        if (!input_.deliverDueHover(now))
            break;
    }
    return false;
}

bool WindowSystem::translateMessage(const WindowMessage& message)
{
    if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) || message.character == 0)
        return false;
    WindowMessage character = message;
    character.message = message.message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    character.wParam = static_cast<WParam>(message.character);
    character.character = 0;
    queue_.postFront(character);
    return true;
}

LResult WindowSystem::dispatchMessage(const WindowMessage& message)
{
    if (!record(message.window))
        return 0;
    const LResult result = sendMessage(message.window, message.message, message.wParam, message.lParam);
    // A procedure that leaves its window unpainted would be asked again and
    // again; the request is dropped instead.
    if (message.message == WM_PAINT)
        if (WindowRecord* window = record(message.window))
            window->dirty = Region();
    return result;
}

LResult WindowSystem::defWindowProc(WindowHandle handle, unsigned message, WParam wParam, LParam lParam)
{
    switch (message) {
    case WM_NCCREATE:
    case WM_NCACTIVATE:
        return 1;
    case WM_CLOSE:
        destroyWindow(handle);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            sendMessage(handle, WM_CLOSE);
        return 0;
    case WM_PAINT: {
        PaintStruct paint = beginPaint(handle);
        endPaint(handle, paint);
        return 0;
    }
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_SETCURSOR:
        if (isChild(handle) && sendMessage(parentOf(handle), WM_SETCURSOR, wParam, lParam))
            return 1;
        if (lowWord(static_cast<std::uintptr_t>(lParam)) == HTCLIENT)
            if (const WindowRecord* window = record(handle))
                setCursor(window->windowClass.cursor);
        return 0;
    case WM_RBUTTONUP: {
        const Point screen = clientToScreen(handle, Point{xFromLParam(lParam), yFromLParam(lParam)});
        sendMessage(handle, WM_CONTEXTMENU, static_cast<WParam>(handle), makeLParam(screen.x, screen.y));
        return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        if (isChild(handle))
            return sendMessage(parentOf(handle), message, wParam, lParam);
        return 0;
    case WM_ACTIVATE:
        if (lowWord(wParam) != WA_INACTIVE && topLevel(focus_) != handle)
            setFocus(handle);
        return 0;
    case WM_SETTEXT:
        setTitle(handle, lParam ? reinterpret_cast<const char*>(lParam) : "");
        return 1;
    default:
        return 0;
    }
}

bool WindowSystem::setTimer(WindowHandle window, std::uintptr_t id, unsigned milliseconds)
{
    if (!record(window))
        return false;
    timers_.set(window, id, milliseconds, tickCount());
    return true;
}

std::optional<std::uint64_t> WindowSystem::untilNextTimer() const
{
    const std::uint64_t now = tickCount();
    std::optional<std::uint64_t> wait = timers_.untilNext(now);
    if (std::optional<std::uint64_t> hover = input_.untilHover(now); hover && (!wait || *hover < *wait))
        wait = hover;
    return wait;
}

bool WindowSystem::killTimer(WindowHandle window, std::uintptr_t id) { return timers_.kill(window, id); }

bool WindowSystem::trackMouseEvent(WindowHandle window, unsigned flags, unsigned hoverMs)
{
    return input_.trackMouseEvent(window, flags, hoverMs);
}

bool WindowSystem::invalidateRect(WindowHandle handle, const Rect* rect, bool erase)
{
    WindowRecord* window = record(handle);
    if (!window)
        return false;
    const Rect client{0, 0, window->width(), window->height()};
    const Rect area = rect ? rect->intersected(client) : client;
    if (area.isEmpty())
        return true;
    window->dirty.unite(Region(area));
    window->erase = window->erase || erase;
    return true;
}

bool WindowSystem::validateRect(WindowHandle handle, const Rect* rect)
{
    WindowRecord* window = record(handle);
    if (!window)
        return false;
    // Only a rectangle covering the whole dirty area validates it.
    const Rect bounds = window->dirty.bounds();
    if (!rect || rect->intersected(bounds) == bounds)
        window->dirty = Region();
    return true;
}

Rect WindowSystem::updateRect(WindowHandle handle) const
{
    const WindowRecord* window = record(handle);
    return window ? window->dirty.bounds() : Rect{};
}

bool WindowSystem::updateWindow(WindowHandle handle)
{
    const WindowRecord* window = record(handle);
    if (!window)
        return false;
    if (!window->dirty.isEmpty() && isVisible(handle))
        dispatchMessage(WindowMessage{handle, WM_PAINT, 0, 0, tickCount(), input_.pointer(), 0});
    return true;
}

WindowHandle WindowSystem::findPaintable() const
{
    for (const auto& [handle, window] : windows_)
        if (!window->dirty.isEmpty() && !window->destroying && isVisible(handle))
            return handle;
    return NoWindow;
}

PaintStruct WindowSystem::beginPaint(WindowHandle handle)
{
    WindowRecord* window = record(handle);
    if (!window)
        return {};
    PaintStruct paint{&window->surface, window->dirty.bounds(), window->dirty.rects()};
    window->dirty = Region();
    if (std::exchange(window->erase, false))
        sendMessage(handle, WM_ERASEBKGND, 0, 0);
    return paint;
}

void WindowSystem::endPaint(WindowHandle handle, const PaintStruct& paint)
{
    for (const Rect& part : paint.parts)
        present(handle, part);
}

Surface* WindowSystem::surface(WindowHandle handle)
{
    WindowRecord* window = record(handle);
    return window ? &window->surface : nullptr;
}

void WindowSystem::representArea(WindowHandle window, const Rect& area) { present(window, area); }

void WindowSystem::present(WindowHandle handle, const Rect& area)
{
    const WindowRecord* window = record(handle);
    const WindowHandle topHandle = topLevel(handle);
    WindowRecord* top = record(topHandle);
    if (!window || !top || !isVisible(handle) || area.isEmpty())
        return;
    const Rect windowScreen = screenRectOf(*window);
    const Rect topArea = area.offset(windowScreen.left - top->rect.left, windowScreen.top - top->rect.top)
                             .intersected(Rect{0, 0, top->width(), top->height()});
    if (topArea.isEmpty())
        return;
    backend_->present(topHandle, WindowCompositor::frame(*top, topArea, lookup()), topArea);
}

std::function<const WindowRecord*(WindowHandle)> WindowSystem::lookup() const
{
    return [this](WindowHandle handle) { return record(handle); };
}

Surface WindowSystem::composeScreen(std::uint32_t desktopColour) const
{
    std::vector<WindowRecord*> stack;
    for (WindowHandle handle : zOrder_)
        stack.push_back(windows_.at(handle).get());
    return WindowCompositor::screen(stack, backend_->screenRect(), desktopColour, lookup());
}

void WindowSystem::nativeMoved(WindowHandle handle, const Rect& screenRect)
{
    WindowRecord* window = record(handle);
    if (!window || window->isChild() || window->rect == screenRect)
        return;
    const Rect old = window->rect;
    window->rect = screenRect;
    if (screenRect.width() != old.width() || screenRect.height() != old.height()) {
        resizeSurface(*window);
        sendMessage(handle, WM_SIZE, SIZE_RESTORED, makeLParam(screenRect.width(), screenRect.height()));
    }
    if (record(handle) && (screenRect.left != old.left || screenRect.top != old.top))
        sendMessage(handle, WM_MOVE, 0, makeLParam(screenRect.left, screenRect.top));
}

void WindowSystem::nativeCloseRequested(WindowHandle window) { sendMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void WindowSystem::nativeDeactivated()
{
    input_.releaseAll();
    setActiveWindow(NoWindow);
}

} // namespace pelmo::platform
