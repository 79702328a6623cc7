#include "ui/controls/CComboWnd.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/graphics/Font.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"
#include "ui/controls/CComboUI.h"
#include "ui/layout/CVerticalLayoutUI.h"

namespace pelmo::ui {

using namespace pelmo::platform;

namespace {
// The frame of the drop-down: its inset, border and their colour.
constexpr int frameInset = 2;
constexpr std::uint32_t frameColour = 0xFF000000;
} // namespace

CComboWnd::CComboWnd(CComboUI* owner) : owner_(owner) {}

CComboWnd* CComboWnd::Open(CComboUI* owner)
{
    CUIManager* ownerManager = owner->GetManager();
    WindowSystem* windows = WindowSystem::current();
    if (!windows || !ownerManager || ownerManager->GetPaintWindow() == NoWindow)
        return nullptr;
    const WindowHandle ownerWindow = ownerManager->GetPaintWindow();

    // As high as the visible items and the frame, up to the drop box height.
    const Rect box = owner->GetPos();
    int height = 2 * frameInset;
    for (int i = 0; i < owner->GetCount(); ++i)
        if (CControlUI* item = owner->GetItemAt(i); item->IsVisible())
            height += item->MeasureSize(UISize{box.width(), box.height()}).cy;
    height = std::min(height, owner->GetDropBoxSize().cy);
    const int width = owner->GetDropBoxSize().cx > 0 ? owner->GetDropBoxSize().cx : box.width();
    const Point below = windows->clientToScreen(ownerWindow, Point{box.left, box.bottom});
    int top = below.y;
    // Where the work area ends first, the list opens above the box.
    if (top + height > windows->workArea().bottom)
        top = windows->clientToScreen(ownerWindow, Point{box.left, box.top}).y - height;

    auto* window = new CComboWnd(owner);
    window->oldSelection_ = owner->GetCurSel();
    if (window->Create(ownerWindow, "", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, below.x, top, width, height) ==
        NoWindow) {
        delete window;
        return nullptr;
    }
    window->ShowWindow(true, true);
    // The window the combo belongs to keeps looking active.
    windows->sendMessage(windows->topLevel(ownerWindow), WM_NCACTIVATE, 1, 0);
    return window;
}

unsigned CComboWnd::ClassStyle() const { return CS_DBLCLKS; }

void CComboWnd::BuildRoot()
{
    manager_.Init(window_);
    CUIManager& ownerManager = *owner_->GetManager();
    // Lookups of default attribute lists go on to the combo's window, and
    // the items draw with its fonts and colours.
    manager_.SetParentManager(&ownerManager);
    for (int i = 0; i < static_cast<int>(ownerManager.PaintResources().FontCount()); ++i)
        manager_.RegisterFont(ownerManager.GetFont(i).description());
    manager_.SetDefaultFont(ownerManager.DefaultFontDescription());
    const UIPaintResources& colours = ownerManager.PaintResources();
    manager_.SetDefaultFontColor(colours.textColour);
    manager_.SetDefaultDisabledColor(colours.disabledTextColour);
    manager_.SetDefaultLinkFontColor(colours.linkColour);
    manager_.SetDefaultLinkHoverFontColor(colours.linkHoverColour);
    manager_.SetDefaultSelectedBkColor(colours.selectedBackgroundColour);

    layout_ = new CVerticalLayoutUI;
    layout_->SetManager(&manager_, nullptr, true);
    if (std::optional<std::string> defaults = ownerManager.LookupDefaultAttributes("VerticalLayout"))
        layout_->ApplyAttributeString(*defaults);
    layout_->SetInset(Rect{frameInset, frameInset, frameInset, frameInset});
    layout_->SetBkColor(frameColour);
    layout_->SetBorderColor(frameColour);
    layout_->SetBorderSize(frameInset);
    // The items stay the combo's.
    layout_->SetAutoDestroy(false);
    layout_->ShowScrollBars(true, false);
    layout_->ApplyAttributeString(owner_->GetDropBoxAttributes());
    for (int i = 0; i < owner_->GetCount(); ++i)
        layout_->Add(owner_->GetItemAt(i));
    manager_.AttachRoot(layout_);
}

void CComboWnd::ReturnItems()
{
    if (!owner_ || !layout_)
        return;
    // This window's manager must forget every control of the items (the
    // hovered or pressed one may sit inside an item) before they leave.
    std::vector<CControlUI*> controls;
    for (int i = 0; i < layout_->GetCount(); ++i)
        layout_->GetItemAt(i)->LookupControl(
            [](CControlUI* control, void* list) -> CControlUI* {
                static_cast<std::vector<CControlUI*>*>(list)->push_back(control);
                return nullptr;
            },
            &controls, UIFIND_ALL | UIFIND_ME_FIRST);
    for (CControlUI* control : controls)
        manager_.ReapObjects(control);
    layout_->RemoveAll();
    owner_->SetManager(owner_->GetManager(), owner_->GetParent(), false);
}

void CComboWnd::Dismiss()
{
    ReturnItems();
    owner_ = nullptr;
    closing_ = true;
    Close();
}

void CComboWnd::EnsureVisible(int index)
{
    if (!layout_ || index < 0 || index >= layout_->GetCount())
        return;
    const Rect item = layout_->GetItemAt(index)->GetPos();
    const Rect inset = layout_->GetInset();
    Rect visible = layout_->GetPos();
    visible = Rect{visible.left + inset.left, visible.top + inset.top, visible.right - inset.right,
                   visible.bottom - inset.bottom};
    int dy = 0;
    if (item.top < visible.top)
        dy = item.top - visible.top;
    else if (item.bottom > visible.bottom)
        dy = item.bottom - visible.bottom;
    if (dy != 0)
        layout_->SetScrollPos(UISize{layout_->GetScrollPos().cx, layout_->GetScrollPos().cy + dy});
}

void CComboWnd::ForwardToOwner(UIEvent event)
{
    CComboUI* owner = owner_;
    if (!owner)
        return;
    event.sender = owner;
    event.timestamp = Windows().tickCount();
    event.mouse = manager_.GetMousePos();
    owner->navigatingDropDown_ = true;
    owner->HandleEvent(event);
    // A listener of the selection may have destroyed the combo.
    if (!owner_)
        return;
    owner->navigatingDropDown_ = false;
    EnsureVisible(owner->GetCurSel());
}

LResult CComboWnd::HandleWindowMessage(unsigned message, WParam wParam, LParam lParam)
{
    switch (message) {
    case WM_CREATE:
        BuildRoot();
        return 0;
    case WM_CLOSE: {
        if (std::exchange(closing_, true) && owner_)
            return 0;
        LResult ignored = 0;
        manager_.HandleWindowMessage(message, wParam, lParam, ignored);
        if (CComboUI* owner = owner_) {
            ReturnItems();
            owner->DropDownClosed(this);
            owner_ = nullptr;
            owner->SetPos(owner->GetPos());
            owner->SetFocus();
        }
        Windows().destroyWindow(window_);
        return 0;
    }
    case WM_KILLFOCUS: {
        // The focus went to another window (not to a child of this one).
        const auto to = static_cast<WindowHandle>(static_cast<std::uint32_t>(wParam));
        if (!closing_ && Windows().topLevel(to) != window_)
            Close();
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            if (CComboUI* owner = owner_) {
                owner->navigatingDropDown_ = true;
                owner->SelectItemAt(oldSelection_, true);
                if (owner_)
                    owner->navigatingDropDown_ = false;
            }
            Close();
        } else if (wParam == VK_RETURN) {
            Close();
        } else {
            UIEvent event;
            event.type = UIEventType::KeyDown;
            event.key = static_cast<char16_t>(wParam);
            event.wParam = wParam;
            event.lParam = lParam;
            ForwardToOwner(event);
        }
        return 0;
    case WM_MOUSEWHEEL: {
        UIEvent event;
        event.type = UIEventType::ScrollWheel;
        const int delta = static_cast<std::int16_t>(highWord(wParam));
        event.wParam = makeWParam(delta < 0 ? 1 : 0, 0);
        ForwardToOwner(event);
        return 0;
    }
    case WM_LBUTTONUP: {
        LResult result = 0;
        manager_.HandleWindowMessage(message, wParam, lParam, result);
        const CControlUI* control = manager_.LookupControl(Point{xFromLParam(lParam), yFromLParam(lParam)});
        if (control && control->GetClass() != "ScrollBarUI")
            Close();
        return result;
    }
    default:
        break;
    }
    LResult result = 0;
    if (manager_.HandleWindowMessage(message, wParam, lParam, result))
        return result;
    return CWindowWnd::HandleWindowMessage(message, wParam, lParam);
}

void CComboWnd::FinalMessage(WindowHandle)
{
    if (owner_)
        owner_->DropDownClosed(this);
    delete this;
}

} // namespace pelmo::ui
