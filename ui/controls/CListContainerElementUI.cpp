#include "ui/controls/CListContainerElementUI.h"

#include "platform/window/WindowMessages.h"
#include "ui/controls/ControlState.h"
#include "ui/controls/IListOwnerUI.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"

namespace pelmo::ui {

std::string_view CListContainerElementUI::GetClass() const { return "ListContainerElementUI"; }

void* CListContainerElementUI::AsInterface(std::string_view name)
{
    if (name == "ListItem")
        return static_cast<IListItemUI*>(this);
    if (name == "ListContainerElement")
        return static_cast<CListContainerElementUI*>(this);
    return CContainerUI::AsInterface(name);
}

bool CListContainerElementUI::Activate()
{
    if (!CControlUI::Activate())
        return false;
    if (manager_)
        manager_->DispatchNotification(this, "itemactivate");
    return true;
}

void CListContainerElementUI::SetEnabled(bool enabled)
{
    CContainerUI::SetEnabled(enabled);
    if (!enabled)
        state_ = 0;
}

bool CListContainerElementUI::Select(bool selected)
{
    if (!IsEnabled())
        return false;
    if (selected == selected_)
        return true;
    selected_ = selected;
    if (selected && owner_ && owner_->GetCurSel() != index_) {
        const std::weak_ptr<bool> alive = life_;
        const bool taken = owner_->SelectItemAt(index_);
        if (alive.expired())
            return taken;
        if (!taken)
            selected_ = false;
    }
    Invalidate();
    return selected_ == selected;
}

const ListItemSettings& CListContainerElementUI::Settings() const
{
    static const ListItemSettings defaults;
    return owner_ ? owner_->GetItemSettings() : defaults;
}

unsigned CListContainerElementUI::ItemState() const
{
    unsigned state = state_;
    if (selected_)
        state |= UISTATE_SELECTED;
    if (!IsEnabled())
        state |= UISTATE_DISABLED;
    return state;
}

void CListContainerElementUI::DrawItem(UIDC& dc, const Rect& rect)
{
    Settings().PaintBackground(dc, rect, ItemState(), index_);
}

void CListContainerElementUI::PaintStateImage(UIDC& dc)
{
    Settings().PaintBackground(dc, item_, ItemState(), index_);
}

void CListContainerElementUI::HandleEvent(UIEvent& event)
{
    if (!mouseEnabled_ && IsMouseEvent(event.type)) {
        if (owner_)
            owner_->HandleEvent(event);
        else
            CContainerUI::HandleEvent(event);
        return;
    }
    switch (event.type) {
    case UIEventType::DblClick:
        if (IsEnabled())
            Activate();
        return;
    case UIEventType::KeyDown:
        if (IsEnabled() && event.key == platform::VK_RETURN) {
            Activate();
            return;
        }
        break;
    case UIEventType::ButtonDown:
    case UIEventType::RButtonDown:
        if (IsEnabled()) {
            const std::weak_ptr<bool> alive = life_;
            if (manager_)
                manager_->DispatchNotification(this, "itemclick");
            if (alive.expired())
                return;
            Select();
            Invalidate();
        }
        return;
    case UIEventType::MouseMove:
    case UIEventType::ButtonUp:
        return;
    case UIEventType::MouseEnter:
        if (IsEnabled()) {
            state_ |= UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEventType::MouseLeave:
        if (state_ & UISTATE_HOT) {
            state_ &= ~UISTATE_HOT;
            Invalidate();
        }
        return;
    default:
        break;
    }
    if (owner_ && event.type != UIEventType::SetFocus && event.type != UIEventType::KillFocus &&
        event.type != UIEventType::Timer && event.type != UIEventType::SetCursor) {
        owner_->HandleEvent(event);
        return;
    }
    CContainerUI::HandleEvent(event);
}

void CListContainerElementUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "selected")
        Select(AttributeValue::Boolean(value));
    else
        CContainerUI::ApplyAttribute(name, value);
}

} // namespace pelmo::ui
