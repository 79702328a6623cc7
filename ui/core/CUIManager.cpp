#include "ui/core/CUIManager.h"

#include <algorithm>
#include <cassert>
#include <utility>
#include <cctype>

#include "platform/graphics/Font.h"
#include "platform/graphics/FontSystem.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"
#include "ui/painter/CUIPainter.h"
#include "ui/resources/UIResources.h"

namespace pelmo::ui {

using namespace pelmo::platform;

namespace {

std::vector<CUIManager*>& managerList()
{
    static std::vector<CUIManager*> managers;
    return managers;
}

constexpr std::uint32_t dirtyOutline = 0xFFFF0000;

CControlUI* acceptAny(CControlUI* control, void*) { return control; }

} // namespace

CUIManager::CUIManager()
    : defaultFont_(FontSystem::defaultGuiFontDescription())
{
    resources_.images().SetRepaintHandler([this] {
        if (window_ != NoWindow && WindowSystem::current())
            Windows().invalidateRect(window_, nullptr, false);
    });
}

CUIManager::~CUIManager()
{
    alive_.reset();
    DestroyDelayedCleanup();
    asyncNotifications_.clear();
    CControlUI* root = std::exchange(root_, nullptr);
    delete root;
    if (WindowSystem::current()) {
        timers_.KillAll(Windows());
        tooltip_.Destroy(Windows());
        if (captured_)
            Windows().releaseCapture();
    }
    std::erase(managerList(), this);
}

WindowSystem& CUIManager::Windows() const
{
    WindowSystem* windows = WindowSystem::current();
    assert(windows && "a window system must be open before windows are used");
    return *windows;
}

void CUIManager::Init(WindowHandle window)
{
    window_ = window;
    if (std::find(managerList().begin(), managerList().end(), this) == managerList().end())
        managerList().push_back(this);
}

const std::vector<CUIManager*>& CUIManager::Managers() { return managerList(); }

bool CUIManager::AttachRoot(CControlUI* root)
{
    if (!root)
        return false;
    focus_ = hover_ = click_ = keyControl_ = nullptr;
    HideTooltip();
    if (root_)
        QueueForDeletion(root_);
    root_ = root;
    InitControls(root, nullptr);
    root->SetUpdateNeeded(true);
    updateNeeded_ = true;
    if (window_ != NoWindow)
        Windows().invalidateRect(window_, nullptr, false);
    return true;
}

void CUIManager::InitControls(CControlUI* control, CControlUI* parent)
{
    if (!control)
        return;
    control->SetManager(this, parent ? parent : control->GetParent(), true);
    RegisterNames(control);
}

void CUIManager::RegisterNames(CControlUI* control)
{
    control->LookupControl(
        [](CControlUI* each, void* data) -> CControlUI* {
            auto* self = static_cast<CUIManager*>(data);
            if (!each->GetName().empty())
                self->names_.try_emplace(each->GetName(), each);
            return nullptr;
        },
        this, UIFIND_ALL | UIFIND_ME_FIRST);
}

void CUIManager::ReapObjects(CControlUI* control)
{
    if (control == focus_)
        focus_ = nullptr;
    if (control == hover_) {
        hover_ = nullptr;
        HideTooltip();
    }
    if (control == click_)
        click_ = nullptr;
    if (control == keyControl_)
        keyControl_ = nullptr;
    if (control == root_)
        root_ = nullptr;
    if (WindowSystem::current())
        timers_.KillControl(Windows(), control);
    std::erase_if(names_, [control](const auto& entry) { return entry.second == control; });
    for (UINotification& notification : asyncNotifications_)
        if (notification.sender == control)
            notification.sender = nullptr;
    std::erase(postPaint_, control);
    std::erase(delayedCleanup_, control);
    for (auto& [group, members] : optionGroups_)
        std::erase(members, control);
    std::erase_if(optionGroups_, [](const auto& entry) { return entry.second.empty(); });
}

CControlUI* CUIManager::LookupControl(std::string_view name) const
{
    auto found = names_.find(name);
    return found == names_.end() ? nullptr : found->second;
}

CControlUI* CUIManager::LookupControl(Point point) const
{
    if (!root_)
        return nullptr;
    return root_->LookupControl(acceptAny, &point, UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

std::vector<CControlUI*> CUIManager::LookupControls(FindControlProc proc, void* data, unsigned flags) const
{
    struct Collect {
        FindControlProc proc;
        void* data;
        std::vector<CControlUI*> found;
    } collect{proc, data, {}};
    if (root_)
        root_->LookupControl(
            [](CControlUI* control, void* state) -> CControlUI* {
                auto* collecting = static_cast<Collect*>(state);
                if (collecting->proc(control, collecting->data))
                    collecting->found.push_back(control);
                return nullptr;
            },
            &collect, flags | UIFIND_ME_FIRST);
    return collect.found;
}

UIEvent CUIManager::MakeEvent(UIEventType type, CControlUI* sender, WParam wParam, LParam lParam) const
{
    UIEvent event;
    event.type = type;
    event.sender = sender;
    event.timestamp = WindowSystem::current() ? Windows().tickCount() : 0;
    event.mouse = mouse_;
    event.keyState = KeyState();
    event.wParam = wParam;
    event.lParam = lParam;
    return event;
}

std::uint16_t CUIManager::KeyState() const
{
    WindowSystem* windows = WindowSystem::current();
    if (!windows)
        return 0;
    unsigned state = 0;
    state |= windows->keyState(VK_RBUTTON) < 0 ? UIKeyStateRButton : 0u;
    state |= windows->keyState(VK_LBUTTON) < 0 ? UIKeyStateLButton : 0u;
    state |= windows->keyState(VK_SHIFT) < 0 ? UIKeyStateShift : 0u;
    state |= windows->keyState(VK_CONTROL) < 0 ? UIKeyStateControl : 0u;
    state |= windows->keyState(VK_MENU) < 0 ? UIKeyStateAlt : 0u;
    return static_cast<std::uint16_t>(state);
}

void CUIManager::SendEvent(CControlUI* control, UIEvent event)
{
    if (control)
        control->Event(event);
}

void CUIManager::SetFocus(CControlUI* control)
{
    WindowSystem& windows = Windows();
    if (windows.focus() != window_ && control != focus_)
        windows.setFocus(window_);
    if (control == focus_)
        return;
    const std::weak_ptr<bool> alive = alive_;
    if (CControlUI* old = focus_) {
        SendEvent(old, MakeEvent(UIEventType::KillFocus, control));
        if (alive.expired())
            return;
        DispatchNotification(old, "killfocus");
        if (alive.expired())
            return;
        focus_ = nullptr;
    }
    if (control && control->GetManager() == this && control->IsVisible() && control->IsEnabled()) {
        focus_ = control;
        SendEvent(control, MakeEvent(UIEventType::SetFocus, control));
        if (alive.expired())
            return;
        DispatchNotification(control, "setfocus");
    }
}

bool CUIManager::SetNextTabControl(bool forward)
{
    // Before the first layout the controls have no place yet: the focus
    // moves once they have.
    if (updateNeeded_ && window_ != NoWindow) {
        focusNeeded_ = true;
        Windows().invalidateRect(window_, nullptr, false);
        return true;
    }
    focusNeeded_ = false;
    const std::vector<CControlUI*> stops = LookupControls(
        [](CControlUI* control, void*) -> CControlUI* {
            return (control->ControlFlags() & UIFLAG_TABSTOP) ? control : nullptr;
        },
        nullptr, UIFIND_VISIBLE | UIFIND_ENABLED);
    if (stops.empty())
        return false;
    const auto at = std::find(stops.begin(), stops.end(), focus_);
    std::size_t next;
    if (at == stops.end())
        next = forward ? 0 : stops.size() - 1;
    else if (forward)
        next = (static_cast<std::size_t>(at - stops.begin()) + 1) % stops.size();
    else
        next = (static_cast<std::size_t>(at - stops.begin()) + stops.size() - 1) % stops.size();
    SetFocus(stops[next]);
    return true;
}

bool CUIManager::SetTimer(CControlUI* control, unsigned id, unsigned milliseconds)
{
    if (!control || window_ == NoWindow)
        return false;
    return timers_.Set(Windows(), window_, control, id, milliseconds);
}

bool CUIManager::KillTimer(CControlUI* control, unsigned id) { return timers_.Kill(Windows(), control, id); }

void CUIManager::KillTimer(CControlUI* control) { timers_.KillControl(Windows(), control); }

void CUIManager::KillAllTimers() { timers_.KillAll(Windows()); }

void CUIManager::SetCapture()
{
    Windows().setCapture(window_);
    captured_ = true;
}

void CUIManager::ReleaseCapture()
{
    Windows().releaseCapture();
    captured_ = false;
}

namespace {
template <class T>
bool addOnce(std::vector<T*>& list, T* item)
{
    if (!item || std::find(list.begin(), list.end(), item) != list.end())
        return false;
    list.push_back(item);
    return true;
}
template <class T>
bool removeOnce(std::vector<T*>& list, T* item)
{
    return std::erase(list, item) > 0;
}
} // namespace

bool CUIManager::AddNotificationListener(INotifyUI* listener) { return addOnce(notifiers_, listener); }
bool CUIManager::RemoveNotificationListener(INotifyUI* listener) { return removeOnce(notifiers_, listener); }
bool CUIManager::AddMessagePrefilter(IMessageFilterUI* filter) { return addOnce(preFilters_, filter); }
bool CUIManager::RemoveMessagePrefilter(IMessageFilterUI* filter) { return removeOnce(preFilters_, filter); }
bool CUIManager::AddMessageListener(IMessageFilterUI* filter) { return addOnce(filters_, filter); }
bool CUIManager::RemoveMessageListener(IMessageFilterUI* filter) { return removeOnce(filters_, filter); }
bool CUIManager::AddAfterPaint(CControlUI* control) { return addOnce(postPaint_, control); }
bool CUIManager::RemoveAfterPaint(CControlUI* control) { return removeOnce(postPaint_, control); }

void CUIManager::QueueForDeletion(CControlUI* control)
{
    if (!control)
        return;
    control->SetManager(this, nullptr, false);
    if (std::find(delayedCleanup_.begin(), delayedCleanup_.end(), control) == delayedCleanup_.end())
        delayedCleanup_.push_back(control);
    if (window_ != NoWindow)
        Windows().postMessage(window_, UIMSG_DELAYED_CLEANUP, 0, 0);
}

void CUIManager::DestroyDelayedCleanup()
{
    std::vector<CControlUI*> controls;
    controls.swap(delayedCleanup_);
    for (CControlUI* control : controls)
        delete control;
}

void CUIManager::DispatchNotification(CControlUI* sender, std::string_view type, WParam wParam, LParam lParam,
                                      bool async)
{
    UINotification notification;
    notification.type = type;
    notification.sender = sender;
    notification.wParam = wParam;
    notification.lParam = lParam;
    DispatchNotification(notification, async);
}

void CUIManager::DispatchNotification(UINotification& notification, bool async)
{
    notification.mouse = mouse_;
    notification.timestamp = WindowSystem::current() ? Windows().tickCount() : 0;
    if (async) {
        // A queued notification waits for the next message of the window;
        // the window is sent one so that it never waits for the user.
        if (asyncNotifications_.empty() && window_ != NoWindow)
            Windows().postMessage(window_, WM_NULL, 0, 0);
        asyncNotifications_.push_back(notification);
        return;
    }
    const std::weak_ptr<bool> alive = alive_;
    if (notification.sender) {
        notification.sender->OnNotify.Invoke(&notification);
        if (alive.expired())
            return;
    }
    for (std::size_t i = 0; i < notifiers_.size(); ++i) {
        notifiers_[i]->OnNotification(notification);
        if (alive.expired())
            return;
    }
}

void CUIManager::DeliverQueuedNotifications()
{
    const std::weak_ptr<bool> alive = alive_;
    while (!asyncNotifications_.empty()) {
        UINotification notification = asyncNotifications_.front();
        asyncNotifications_.erase(asyncNotifications_.begin());
        if (notification.sender) {
            notification.sender->OnNotify.Invoke(&notification);
            if (alive.expired())
                return;
        }
        for (std::size_t i = 0; i < notifiers_.size(); ++i) {
            notifiers_[i]->OnNotification(notification);
            if (alive.expired())
                return;
        }
    }
}

void CUIManager::JoinOptionGroup(std::string_view group, CControlUI* option)
{
    if (group.empty() || !option)
        return;
    auto found = optionGroups_.find(group);
    if (found == optionGroups_.end())
        found = optionGroups_.emplace(std::string(group), std::vector<CControlUI*>{}).first;
    addOnce(found->second, option);
}

const std::vector<CControlUI*>* CUIManager::OptionGroupMembers(std::string_view group) const
{
    auto found = optionGroups_.find(group);
    return found == optionGroups_.end() ? nullptr : &found->second;
}

void CUIManager::LeaveOptionGroup(std::string_view group, CControlUI* option)
{
    auto found = optionGroups_.find(group);
    if (found == optionGroups_.end())
        return;
    std::erase(found->second, option);
    if (found->second.empty())
        optionGroups_.erase(found);
}

void CUIManager::ClearOptionGroups() { optionGroups_.clear(); }

int CUIManager::RegisterFont(const FontDescription& description) { return resources_.AddFont(description); }

const Font& CUIManager::GetFont(int index) const
{
    if (index >= 0 && static_cast<std::size_t>(index) < resources_.FontCount())
        return resources_.GetFont(index);
    if (parentManager_ && index >= 0)
        return parentManager_->GetFont(index);
    return resources_.DefaultFont();
}

void CUIManager::SetDefaultFont(const FontDescription& description)
{
    defaultFont_ = description;
    resources_.SetDefaultFont(description);
}

int CUIManager::DefaultFontHeight() const { return resources_.DefaultFont().metrics().height; }

const LoadedImage* CUIManager::CacheImage(std::string_view name, std::string_view type, std::uint32_t mask)
{
    return resources_.images().CacheImage(name, type, mask);
}

const LoadedImage* CUIManager::FindImage(std::string_view name) const
{
    return const_cast<UIPaintResources&>(resources_).images().FindImage(name);
}

const LoadedImage* CUIManager::FindOrLoadImage(std::string_view name, std::string_view type, std::uint32_t mask)
{
    return resources_.images().FindOrLoadImage(name, type, mask);
}

bool CUIManager::DropImage(std::string_view name) { return resources_.images().DropImage(name); }
void CUIManager::DropAllImages() { resources_.images().DropAllImages(); }
void CUIManager::ReloadImages() { resources_.images().ReloadImages(); }

void CUIManager::AddDefaultAttributes(std::string_view element, std::string_view list)
{
    defaultAttributes_.try_emplace(std::string(element), std::string(list));
}

std::optional<std::string> CUIManager::LookupDefaultAttributes(std::string_view element) const
{
    auto found = defaultAttributes_.find(element);
    if (found != defaultAttributes_.end())
        return found->second;
    if (parentManager_)
        return parentManager_->LookupDefaultAttributes(element);
    return std::nullopt;
}

void CUIManager::SetInitSize(int cx, int cy)
{
    initSize_ = UISize{cx, cy};
    if (!root_ && window_ != NoWindow)
        Windows().setWindowPos(window_, ZOrder::Keep, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUIManager::Invalidate(const Rect& rect)
{
    if (window_ != NoWindow)
        Windows().invalidateRect(window_, &rect, false);
}

void CUIManager::HideTooltip()
{
    if (WindowSystem::current())
        tooltip_.Hide(Windows());
}

void CUIManager::Paint()
{
    WindowSystem& windows = Windows();
    const std::weak_ptr<bool> alive = alive_;
    if (updateNeeded_) {
        updateNeeded_ = false;
        const Rect client = windows.clientRect(window_);
        if (!client.isEmpty() && root_) {
            if (root_->IsUpdateNeeded()) {
                root_->SetPos(client);
                background_ = Surface();
            } else {
                const std::vector<CControlUI*> pending = LookupControls(
                    [](CControlUI* control, void*) -> CControlUI* {
                        return control->IsUpdateNeeded() ? control : nullptr;
                    },
                    nullptr, UIFIND_VISIBLE);
                for (CControlUI* control : pending)
                    control->SetPos(control->GetPos());
            }
            if (firstLayout_) {
                firstLayout_ = false;
                DispatchNotification(root_, "windowinit");
                if (alive.expired())
                    return;
            }
        }
    }
    if (focusNeeded_)
        SetNextTabControl();
    if (alive.expired())
        return;

    PaintStruct paint = windows.beginPaint(window_);
    if (paint.surface && root_) {
        Surface& surface = *paint.surface;
        if (keepBackground_ && background_.width() != surface.width()) {
            // The window's first background stays under the controls.
            background_ = Surface(surface.width(), surface.height());
            background_.copyFrom(surface, surface.bounds(), 0, 0);
        }
        resources_.mouseX = mouse_.x;
        resources_.mouseY = mouse_.y;
        for (const Rect& part : paint.parts) {
            if (keepBackground_)
                surface.copyFrom(background_, part, part.left, part.top);
            UIDC dc{&surface, part, nullptr, &resources_};
            root_->Paint(dc, part);
            for (CControlUI* control : std::vector<CControlUI*>(postPaint_)) {
                dc.clip = part;
                control->PaintAfterTree(dc);
            }
            if (showDirty_) {
                dc.clip = part;
                CUIPainter::StrokeRect(dc, part, 1, dirtyOutline);
            }
        }
    }
    windows.endPaint(window_, paint);
    if (updateNeeded_)
        windows.invalidateRect(window_, nullptr, false);
}

bool CUIManager::HandleMouseMove(LParam lParam)
{
    WindowSystem& windows = Windows();
    if (!mouseTracking_) {
        windows.trackMouseEvent(window_, TME_HOVER | TME_LEAVE, tooltip_.HoverTime(windows));
        mouseTracking_ = true;
    }
    mouse_ = Point{xFromLParam(lParam), yFromLParam(lParam)};
    CControlUI* newHover = LookupControl(mouse_);
    if (newHover && newHover->GetManager() != this)
        return true;
    const std::weak_ptr<bool> alive = alive_;
    if (newHover != hover_ && hover_) {
        CControlUI* old = std::exchange(hover_, nullptr);
        SendEvent(old, MakeEvent(UIEventType::MouseLeave, old));
        if (alive.expired())
            return true;
        HideTooltip();
    }
    if (newHover != hover_ && newHover) {
        hover_ = newHover;
        SendEvent(newHover, MakeEvent(UIEventType::MouseEnter, newHover));
        if (alive.expired())
            return true;
    }
    if (click_)
        SendEvent(click_, MakeEvent(UIEventType::MouseMove, click_, 0, lParam));
    else if (newHover && newHover == hover_)
        SendEvent(newHover, MakeEvent(UIEventType::MouseMove, newHover, 0, lParam));
    return true;
}

bool CUIManager::HandleWindowMessage(unsigned message, WParam wParam, LParam lParam, LResult& result)
{
    if (window_ == NoWindow)
        return false;
    const std::weak_ptr<bool> alive = alive_;
    DeliverQueuedNotifications();
    if (alive.expired())
        return false;
    for (std::size_t i = 0; i < filters_.size(); ++i) {
        bool handled = false;
        const LResult filtered = filters_[i]->FilterMessage(message, wParam, lParam, handled);
        if (alive.expired())
            return true;
        if (handled) {
            result = filtered;
            return true;
        }
    }

    WindowSystem& windows = Windows();
    bool handled = false;
    result = 0;
    auto pointAt = [lParam] { return Point{xFromLParam(lParam), yFromLParam(lParam)}; };
    switch (message) {
    case UIMSG_DELAYED_CLEANUP:
        DestroyDelayedCleanup();
        handled = true;
        break;
    case WM_CLOSE: {
        if (CControlUI* hovered = hover_)
            SendEvent(hovered, MakeEvent(UIEventType::MouseLeave, hovered));
        if (alive.expired())
            return false;
        if (CControlUI* clicked = std::exchange(click_, nullptr))
            SendEvent(clicked, MakeEvent(UIEventType::ButtonUp, clicked));
        if (alive.expired())
            return false;
        SetFocus(nullptr);
        if (alive.expired())
            return false;
        if (const WindowHandle owner = windows.owner(window_); owner != NoWindow)
            windows.setFocus(owner);
        break;
    }
    case WM_ERASEBKGND:
        result = 1;
        handled = true;
        break;
    case WM_PAINT:
        Paint();
        handled = true;
        break;
    case WM_PRINTCLIENT:
        if (auto* target = reinterpret_cast<Surface*>(wParam); target && root_) {
            UIDC dc{target, target->bounds(), nullptr, &resources_};
            root_->Paint(dc, target->bounds());
            handled = true;
        }
        break;
    case WM_GETMINMAXINFO:
        if (auto* info = reinterpret_cast<MinMaxInfo*>(lParam)) {
            if (minInfo_.cx > 0)
                info->minTrackSize.x = minInfo_.cx;
            if (minInfo_.cy > 0)
                info->minTrackSize.y = minInfo_.cy;
            if (maxInfo_.cx > 0)
                info->maxTrackSize.x = maxInfo_.cx;
            if (maxInfo_.cy > 0)
                info->maxTrackSize.y = maxInfo_.cy;
        }
        break;
    case WM_SIZE:
        if (focus_)
            SendEvent(focus_, MakeEvent(UIEventType::WindowSize, focus_));
        if (alive.expired())
            return false;
        if (root_)
            root_->RequestLayout();
        break;
    case WM_TIMER:
        if (const UITimerTable::Record* record = timers_.Find(window_, wParam)) {
            SendEvent(record->control, MakeEvent(UIEventType::Timer, record->control, record->id));
            handled = true;
        }
        break;
    case WM_MOUSEHOVER: {
        mouseTracking_ = false;
        const Point point = pointAt();
        CControlUI* control = LookupControl(point);
        if (!control)
            break;
        if (hover_)
            SendEvent(hover_, MakeEvent(UIEventType::MouseHover, hover_, wParam, lParam));
        if (alive.expired())
            return true;
        if (const std::string tip = control->GetToolTip(); !tip.empty()) {
            tooltip_.Show(windows, window_, control->GetPos(), tip);
        }
        handled = true;
        break;
    }
    case WM_MOUSELEAVE:
        HideTooltip();
        // After a hover the tracking flag is down until the pointer moves
        // again, yet a hovered control must still hear that it was left.
        if (mouseTracking_ || hover_)
            windows.sendMessage(window_, WM_MOUSEMOVE, 0, makeLParam(-1, -1));
        mouseTracking_ = false;
        break;
    case WM_MOUSEMOVE:
        handled = HandleMouseMove(lParam);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
        windows.setFocus(window_);
        mouse_ = pointAt();
        CControlUI* control = LookupControl(mouse_);
        if (!control || control->GetManager() != this)
            break;
        click_ = control;
        if (message != WM_LBUTTONDBLCLK)
            control->SetFocus();
        if (alive.expired())
            return true;
        SetCapture();
        const UIEventType type = message == WM_LBUTTONDOWN   ? UIEventType::ButtonDown
                                 : message == WM_RBUTTONDOWN ? UIEventType::RButtonDown
                                                             : UIEventType::DblClick;
        SendEvent(control, MakeEvent(type, control, wParam, lParam));
        handled = true;
        break;
    }
    case WM_LBUTTONUP: {
        mouse_ = pointAt();
        CControlUI* control = std::exchange(click_, nullptr);
        if (!control)
            break;
        ReleaseCapture();
        SendEvent(control, MakeEvent(UIEventType::ButtonUp, control, wParam, lParam));
        handled = true;
        break;
    }
    case WM_CONTEXTMENU: {
        mouse_ = windows.screenToClient(window_, pointAt());
        CControlUI* control = std::exchange(click_, nullptr);
        if (!control)
            break;
        ReleaseCapture();
        SendEvent(control, MakeEvent(UIEventType::ContextMenu, control, wParam,
                                     reinterpret_cast<LParam>(control)));
        handled = true;
        break;
    }
    case WM_MOUSEWHEEL: {
        mouse_ = windows.screenToClient(window_, pointAt());
        CControlUI* control = LookupControl(mouse_);
        if (!control || control->GetManager() != this)
            break;
        const int delta = static_cast<std::int16_t>(highWord(wParam));
        SendEvent(control, MakeEvent(UIEventType::ScrollWheel, control, makeWParam(delta < 0 ? 1 : 0, 0), lParam));
        if (alive.expired())
            return true;
        windows.sendMessage(window_, WM_MOUSEMOVE, 0, makeLParam(mouse_.x, mouse_.y));
        handled = true;
        break;
    }
    case WM_KEYDOWN:
        if (CControlUI* focused = focus_) {
            UIEvent event = MakeEvent(UIEventType::KeyDown, focused, wParam, lParam);
            event.key = static_cast<char16_t>(wParam);
            keyControl_ = focused;
            SendEvent(focused, event);
            handled = true;
        }
        break;
    case WM_KEYUP:
        if (CControlUI* control = std::exchange(keyControl_, nullptr)) {
            UIEvent event = MakeEvent(UIEventType::KeyUp, control, wParam, lParam);
            event.key = static_cast<char16_t>(wParam);
            SendEvent(control, event);
            handled = true;
        }
        break;
    case WM_CHAR:
        if (CControlUI* focused = focus_) {
            UIEvent event = MakeEvent(UIEventType::Char, focused, wParam, lParam);
            event.key = static_cast<char16_t>(wParam);
            SendEvent(focused, event);
            handled = true;
        }
        break;
    case WM_SETCURSOR: {
        if (lowWord(static_cast<std::uintptr_t>(lParam)) != static_cast<unsigned>(HTCLIENT))
            break;
        if (captured_) {
            result = 1;
            handled = true;
            break;
        }
        const Point point = windows.screenToClient(window_, windows.cursorPos());
        CControlUI* control = LookupControl(point);
        if (!control || !(control->ControlFlags() & UIFLAG_SETCURSOR))
            break;
        SendEvent(control, MakeEvent(UIEventType::SetCursor, control, wParam, lParam));
        result = 1;
        handled = true;
        break;
    }
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        // Native child windows handle their own commands and colours.
        const auto child = static_cast<WindowHandle>(static_cast<std::uint32_t>(lParam));
        if (lParam == 0 || !windows.isWindow(child))
            break;
        result = windows.sendMessage(child, OCM_BASE + message, wParam, lParam);
        handled = true;
        break;
    }
    default:
        break;
    }
    if (!alive.expired())
        DeliverQueuedNotifications();
    return handled;
}

bool CUIManager::PreMessageHandling(const WindowMessage& message, LResult& result)
{
    const std::weak_ptr<bool> alive = alive_;
    for (std::size_t i = 0; i < preFilters_.size(); ++i) {
        bool handled = false;
        const LResult filtered = preFilters_[i]->FilterMessage(message.message, message.wParam, message.lParam,
                                                               handled);
        if (alive.expired())
            return handled;
        if (handled) {
            result = filtered;
            return true;
        }
    }
    switch (message.message) {
    case WM_KEYDOWN:
        // A rich edit that wants the Tab key would keep it; no such control
        // exists, so Tab always moves the focus.
        if (message.wParam == VK_TAB) {
            SetNextTabControl(Windows().keyState(VK_SHIFT) >= 0);
            return true;
        }
        break;
    case WM_SYSCHAR: {
        struct Shortcut {
            char character;
        } wanted{static_cast<char>(std::toupper(static_cast<int>(message.wParam & 0xFF)))};
        const std::vector<CControlUI*> matches = LookupControls(
            [](CControlUI* control, void* data) -> CControlUI* {
                const char shortcut = static_cast<char>(std::toupper(static_cast<unsigned char>(control->GetShortcut())));
                return shortcut != 0 && shortcut == static_cast<Shortcut*>(data)->character ? control : nullptr;
            },
            &wanted, UIFIND_VISIBLE | UIFIND_ENABLED);
        if (matches.empty())
            break;
        matches.front()->SetFocus();
        if (!alive.expired())
            matches.front()->Activate();
        return true;
    }
    case WM_SYSKEYDOWN:
        if (CControlUI* focused = focus_) {
            UIEvent event = MakeEvent(UIEventType::SysKey, focused, message.wParam, message.lParam);
            event.key = static_cast<char16_t>(message.wParam);
            SendEvent(focused, event);
        }
        break;
    default:
        break;
    }
    return false;
}

bool CUIManager::TranslateMessage(const WindowMessage& message)
{
    WindowSystem* windows = WindowSystem::current();
    if (!windows || message.window == NoWindow)
        return false;
    const bool child = (windows->style(message.window) & WS_CHILD) != 0;
    const WindowHandle parent = child ? windows->parent(message.window) : NoWindow;
    const std::vector<CUIManager*> managers = managerList();
    for (CUIManager* manager : managers) {
        if (std::find(managerList().begin(), managerList().end(), manager) == managerList().end())
            continue;
        if (manager->window_ != message.window && (parent == NoWindow || manager->window_ != parent))
            continue;
        LResult result = 0;
        if (manager->PreMessageHandling(message, result))
            return true;
    }
    return false;
}

int CUIManager::RunMessageLoop()
{
    WindowSystem& windows = *WindowSystem::current();
    WindowMessage message;
    while (windows.getMessage(message)) {
        if (TranslateMessage(message))
            continue;
        windows.translateMessage(message);
        windows.dispatchMessage(message);
    }
    return static_cast<int>(message.wParam);
}

void CUIManager::SetSkinFolder(std::string_view path) { UIResources::SetSkinFolder(path); }
void CUIManager::SetSkinArchive(std::string_view name) { UIResources::SetSkinArchive(name); }
void CUIManager::SetLayoutModule(const ResourceModule* module) { UIResources::SetLayoutModule(module); }
void CUIManager::SetProgramModule(const ResourceModule* module) { UIResources::SetProgramModule(module); }
std::string CUIManager::GetModuleFolder() { return UIResources::GetModuleFolder(); }

} // namespace pelmo::ui
