#include "ui/layout/CTabLayoutUI.h"

#include <algorithm>

#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"

namespace pelmo::ui {

std::string_view CTabLayoutUI::GetClass() const { return "TabLayoutUI"; }

void* CTabLayoutUI::AsInterface(std::string_view name)
{
    if (name == "TabLayout")
        return static_cast<CTabLayoutUI*>(this);
    return CContainerUI::AsInterface(name);
}

bool CTabLayoutUI::InsertChildAt(CControlUI* control, int index)
{
    if (!CContainerUI::InsertChildAt(control, index))
        return false;
    if (current_ == -1 && control->IsVisible()) {
        current_ = index;
    } else {
        // The current page keeps its index when a page goes in before it.
        if (current_ >= index)
            ++current_;
        control->SetVisible(false);
    }
    return true;
}

bool CTabLayoutUI::RemoveAt(int index)
{
    if (!CContainerUI::RemoveAt(index))
        return false;
    if (index == current_) {
        current_ = GetCount() > 0 ? 0 : -1;
        if (current_ == 0)
            GetItemAt(0)->SetVisible(true);
        RequestParentLayout();
    } else if (index < current_) {
        --current_;
    }
    return true;
}

void CTabLayoutUI::RemoveAll()
{
    current_ = -1;
    CContainerUI::RemoveAll();
    RequestParentLayout();
}

bool CTabLayoutUI::SelectItem(int index)
{
    if (index < 0 || index >= GetCount())
        return false;
    if (index == current_)
        return true;
    const int old = current_;
    current_ = index;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* page = GetItemAt(i);
        if (i == index) {
            page->SetVisible(true);
            page->SetFocus();
        } else {
            page->SetVisible(false);
        }
    }
    RequestParentLayout();
    if (manager_) {
        manager_->SetNextTabControl();
        manager_->DispatchNotification(this, "tabselect", static_cast<platform::WParam>(current_),
                                       static_cast<platform::LParam>(old));
    }
    return true;
}

void CTabLayoutUI::SetPos(Rect rect)
{
    CControlUI::SetPos(rect);
    PlaceScrollBars(item_);
    const Rect content = ContentRect();
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (!child->IsVisible())
            continue;
        if (child->IsFloat()) {
            PlaceFloatingChild(i);
            continue;
        }
        if (i != current_)
            continue;
        const Rect padding = child->GetPadding();
        Rect placed{content.left + padding.left, content.top + padding.top, content.right - padding.right,
                    content.bottom - padding.bottom};
        const int width = child->GetFixedWidth() > 0 ? child->GetFixedWidth() : placed.width();
        const int height = child->GetFixedHeight() > 0 ? child->GetFixedHeight() : placed.height();
        placed.right = placed.left + std::clamp(width, child->GetMinWidth(), std::max(child->GetMinWidth(), child->GetMaxWidth()));
        placed.bottom = placed.top + std::clamp(height, child->GetMinHeight(), std::max(child->GetMinHeight(), child->GetMaxHeight()));
        child->SetPos(placed);
    }
}

void CTabLayoutUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "selectedid")
        SelectItem(AttributeValue::Integer(value));
    else
        CContainerUI::ApplyAttribute(name, value);
}

} // namespace pelmo::ui
