#include "ui/menu/CMenuElementUI.h"

#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"
#include "ui/controls/CLabelUI.h"
#include "ui/controls/ControlState.h"
#include "ui/controls/IListOwnerUI.h"
#include "ui/menu/CMenuUI.h"
#include "ui/painter/CUIPainter.h"

namespace pelmo::ui {

using namespace pelmo::platform;

CMenuElementUI::CMenuElementUI() = default;

CMenuElementUI::~CMenuElementUI() = default;

std::string_view CMenuElementUI::GetClass() const { return "MenuElementUI"; }

void* CMenuElementUI::AsInterface(std::string_view name)
{
    if (name == "MenuElement")
        return static_cast<CMenuElementUI*>(this);
    return CListContainerElementUI::AsInterface(name);
}

// Next to the row's top, to the right of its menu (Show moves it left when
// the work area ends there).
void CMenuElementUI::ShowSubMenu()
{
    WindowSystem* windows = WindowSystem::current();
    if (!windows || !menu_ || menu_->GetHWND() == NoWindow)
        return;
    const WindowHandle menuWindow = menu_->GetHWND();
    const Point at{windows->windowRect(menuWindow).right, windows->clientToScreen(menuWindow, Point{0, item_.top}).y};
    if (subMenu_->GetHWND() == NoWindow) {
        if (!subMenu_->Init(at, menuWindow, this, menu_->GetIconWidth()))
            return;
    } else {
        subMenu_->SetPoint(at);
    }
    subMenu_->Show();
}

void CMenuElementUI::HandleEvent(UIEvent& event)
{
    if (separator_ || (!mouseEnabled_ && IsMouseEvent(event.type))) {
        CListContainerElementUI::HandleEvent(event);
        return;
    }
    switch (event.type) {
    case UIEventType::MouseEnter: {
        if (!IsEnabled())
            return;
        const std::weak_ptr<bool> alive = life_;
        if (owner_ && owner_->GetCurSel() != index_)
            owner_->SelectItemAt(index_);
        if (alive.expired())
            return;
        if (menu_)
            menu_->HideSubMenus();
        if (subMenu_)
            ShowSubMenu();
        if (label_)
            label_->SetTextColor(hotLabelColour);
        state_ |= UISTATE_HOT;
        Invalidate();
        return;
    }
    case UIEventType::MouseLeave:
        if (label_)
            label_->SetTextColor(labelColour);
        state_ &= ~UISTATE_HOT;
        Invalidate();
        return;
    case UIEventType::ButtonDown:
        // A command goes to the menu owner window, and the menus close. The
        // command carries no lParam: a window manager would take a window
        // handle there for the window the command came from.
        if (IsEnabled() && !subMenu_) {
            if (WindowSystem* windows = WindowSystem::current())
                windows->postMessage(CMenuUI::MenuOwnerWindow(), WM_COMMAND, makeWParam(id_, 0), 0);
            CMenuUI::CloseAllMenus();
        }
        return;
    case UIEventType::ButtonUp:
    case UIEventType::MouseMove:
    case UIEventType::DblClick:
    case UIEventType::RButtonDown:
        return;
    default:
        break;
    }
    CListContainerElementUI::HandleEvent(event);
}

void CMenuElementUI::PaintStateImage(UIDC& dc)
{
    if (!separator_) {
        CListContainerElementUI::PaintStateImage(dc);
        return;
    }
    const int y = item_.bottom - 2;
    CUIPainter::FillColour(dc, Rect{item_.left + separatorIndent_, y, item_.right, y + 1}, separatorColour_);
}

} // namespace pelmo::ui
