#include "ui/controls/CListElementUI.h"

#include "platform/window/WindowMessages.h"
#include "ui/controls/ControlState.h"
#include "ui/controls/IListOwnerUI.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"

namespace pelmo::ui {

std::string_view CListElementUI::GetClass() const { return "ListElementUI"; }

void* CListElementUI::AsInterface(std::string_view name)
{
    if (name == "ListItem")
        return static_cast<IListItemUI*>(this);
    if (name == "ListElement")
        return static_cast<CListElementUI*>(this);
    return CControlUI::AsInterface(name);
}

bool CListElementUI::Activate()
{
    if (!CControlUI::Activate())
        return false;
    if (manager_)
        manager_->DispatchNotification(this, "itemactivate");
    return true;
}

void CListElementUI::SetEnabled(bool enabled)
{
    CControlUI::SetEnabled(enabled);
    if (!enabled)
        state_ = 0;
}

bool CListElementUI::Select(bool selected)
{
    if (!IsEnabled())
        return false;
    if (selected == selected_)
        return true;
    selected_ = selected;
    // The owner makes this its current item; it refuses items it cannot
    // show, and then the item is not selected either.
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

const ListItemSettings& CListElementUI::Settings() const
{
    static const ListItemSettings defaults;
    return owner_ ? owner_->GetItemSettings() : defaults;
}

unsigned CListElementUI::ItemState() const
{
    unsigned state = state_;
    if (selected_)
        state |= UISTATE_SELECTED;
    if (!IsEnabled())
        state |= UISTATE_DISABLED;
    return state;
}

void CListElementUI::DrawItem(UIDC& dc, const Rect& rect)
{
    Settings().PaintBackground(dc, rect, ItemState(), index_);
    DrawItemText(dc, rect);
}

void CListElementUI::PaintStateImage(UIDC& dc) { Settings().PaintBackground(dc, item_, ItemState(), index_); }

void CListElementUI::PaintText(UIDC& dc) { DrawItemText(dc, item_); }

void CListElementUI::HandleEvent(UIEvent& event)
{
    if (!mouseEnabled_ && IsMouseEvent(event.type)) {
        if (owner_)
            owner_->HandleEvent(event);
        else
            CControlUI::HandleEvent(event);
        return;
    }
    if (event.type == UIEventType::DblClick && IsEnabled()) {
        Activate();
        return;
    }
    if (event.type == UIEventType::KeyDown && IsEnabled() && event.key == platform::VK_RETURN) {
        Activate();
        return;
    }
    // Focus and timers are the item's own; everything else moves the
    // owner's selection.
    if (owner_ && event.type != UIEventType::SetFocus && event.type != UIEventType::KillFocus &&
        event.type != UIEventType::Timer && event.type != UIEventType::SetCursor) {
        owner_->HandleEvent(event);
        return;
    }
    CControlUI::HandleEvent(event);
}

void CListElementUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "selected")
        Select(AttributeValue::Boolean(value));
    else
        CControlUI::ApplyAttribute(name, value);
}

} // namespace pelmo::ui
