#include "ui/controls/CListUI.h"

#include <algorithm>

#include "platform/window/WindowMessages.h"
#include "ui/controls/CListBodyUI.h"
#include "ui/controls/CListHeaderUI.h"
#include "ui/controls/IListItemUI.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"

namespace pelmo::ui {

CListUI::CListUI() : header_(new CListHeaderUI), body_(new CListBodyUI)
{
    // The header and the body are the list's own two children; the child
    // list operations of the list reach past them to the items.
    header_->SetManager(nullptr, this, false);
    body_->SetManager(nullptr, this, false);
    items_.push_back(header_);
    items_.push_back(body_);
}

std::string_view CListUI::GetClass() const { return "ListUI"; }

void* CListUI::AsInterface(std::string_view name)
{
    if (name == "List")
        return static_cast<CListUI*>(this);
    if (name == "IList")
        return static_cast<IListUI*>(this);
    if (name == "IListOwner")
        return static_cast<IListOwnerUI*>(this);
    return CVerticalLayoutUI::AsInterface(name);
}

IListItemUI* CListUI::AsListItem(CControlUI* control)
{
    return control ? static_cast<IListItemUI*>(control->AsInterface("ListItem")) : nullptr;
}

CContainerUI* CListUI::GetList() const { return body_; }

CControlUI* CListUI::GetItemAt(int index) const { return body_->GetItemAt(index); }
int CListUI::GetItemIndex(CControlUI* control) const { return body_->GetItemIndex(control); }
int CListUI::GetCount() const { return body_->GetCount(); }
int CListUI::NextSelectable(int index, bool forward) const { return FindSelectableItem(*body_, index, forward); }

void CListUI::Reindex(int from)
{
    for (int i = std::max(0, from); i < GetCount(); ++i)
        if (IListItemUI* item = AsListItem(GetItemAt(i)))
            item->SetIndex(i);
}

bool CListUI::SetItemIndex(CControlUI* control, int index)
{
    CControlUI* current = GetItemAt(current_);
    if (!body_->SetItemIndex(control, index))
        return false;
    Reindex(0);
    current_ = current ? GetItemIndex(current) : -1;
    return true;
}

bool CListUI::ReplaceHeader(CListHeaderUI* header)
{
    if (header == header_)
        return true;
    CListHeaderUI* old = header_;
    header_ = header;
    items_[0] = header;
    if (manager_)
        manager_->InitControls(header, this);
    else
        header->SetManager(nullptr, this, false);
    if (manager_ && delayedDestroy_)
        manager_->QueueForDeletion(old);
    else
        delete old;
    RequestLayout();
    return true;
}

bool CListUI::Add(CControlUI* control)
{
    if (control && control->AsInterface("ListHeaderItem"))
        return header_->Add(control);
    return InsertChildAt(control, GetCount());
}

bool CListUI::InsertChildAt(CControlUI* control, int index)
{
    if (!control)
        return false;
    if (auto* header = static_cast<CListHeaderUI*>(control->AsInterface("ListHeader")))
        return ReplaceHeader(header);
    if (control->AsInterface("ListHeaderItem"))
        return header_->InsertChildAt(control, std::clamp(index, 0, header_->GetCount()));
    if (!body_->InsertChildAt(control, index))
        return false;
    if (IListItemUI* item = AsListItem(control))
        item->SetOwner(this);
    Reindex(index);
    if (current_ >= index)
        ++current_;
    if (expanded_ >= index)
        ++expanded_;
    return true;
}

bool CListUI::Remove(CControlUI* control)
{
    if (control && control->AsInterface("ListHeaderItem"))
        return header_->Remove(control);
    return RemoveAt(GetItemIndex(control));
}

bool CListUI::RemoveAt(int index)
{
    if (!body_->RemoveAt(index))
        return false;
    Reindex(index);
    if (current_ == index)
        current_ = -1;
    else if (current_ > index)
        --current_;
    if (expanded_ == index)
        expanded_ = -1;
    else if (expanded_ > index)
        --expanded_;
    return true;
}

void CListUI::RemoveAll()
{
    current_ = -1;
    expanded_ = -1;
    body_->RemoveAll();
}

bool CListUI::SelectItemAt(int index, bool takeFocus)
{
    if (index == current_)
        return true;
    CControlUI* control = GetItemAt(index);
    IListItemUI* item = AsListItem(control);
    if (!item || !control->IsVisible() || !control->IsEnabled())
        return false;
    const int old = current_;
    if (IListItemUI* previous = AsListItem(GetItemAt(old)))
        previous->Select(false);
    current_ = index;
    if (!item->Select(true)) {
        current_ = -1;
        return false;
    }
    ScrollIntoView(index);
    if (takeFocus)
        control->SetFocus();
    if (manager_)
        manager_->DispatchNotification(this, "itemselect", static_cast<platform::WParam>(index),
                                       static_cast<platform::LParam>(old));
    return true;
}

bool CListUI::ExpandItem(int index, bool expand)
{
    if (expanded_ >= 0 && !settings_.multiExpanding && expanded_ != index) {
        if (IListItemUI* open = AsListItem(GetItemAt(expanded_)))
            open->Expand(false);
        expanded_ = -1;
    }
    IListItemUI* item = AsListItem(GetItemAt(index));
    if (!item || !item->Expand(expand))
        return false;
    expanded_ = expand ? index : -1;
    return true;
}

void CListUI::ScrollIntoView(int index)
{
    CControlUI* control = GetItemAt(index);
    if (!control)
        return;
    const Rect item = control->GetPos();
    const Rect visible = body_->VisibleRect();
    int dy = 0;
    if (item.top < visible.top)
        dy = item.top - visible.top;
    else if (item.bottom > visible.bottom)
        dy = std::min(item.bottom - visible.bottom, item.top - visible.top);
    if (dy != 0)
        body_->SetScrollPos(UISize{body_->GetScrollPos().cx, body_->GetScrollPos().cy + dy});
}

void CListUI::HandleEvent(UIEvent& event)
{
    if (!mouseEnabled_ && IsMouseEvent(event.type)) {
        CVerticalLayoutUI::HandleEvent(event);
        return;
    }
    switch (event.type) {
    case UIEventType::KeyDown:
        switch (event.key) {
        case platform::VK_RETURN:
            if (CControlUI* control = GetItemAt(current_))
                control->Activate();
            return;
        case platform::VK_UP:
            SelectItemAt(FindSelectableItem(*body_, current_ - 1, false), true);
            return;
        case platform::VK_DOWN:
            SelectItemAt(FindSelectableItem(*body_, current_ + 1, true), true);
            return;
        case platform::VK_PRIOR:
            PageUp();
            return;
        case platform::VK_NEXT:
            PageDown();
            return;
        case platform::VK_HOME:
            SelectItemAt(FindSelectableItem(*body_, 0, true), true);
            return;
        case platform::VK_END:
            SelectItemAt(FindSelectableItem(*body_, GetCount() - 1, false), true);
            return;
        default:
            break;
        }
        break;
    case UIEventType::ScrollWheel: {
        // Low word 1: the wheel turned towards the user.
        const bool down = platform::lowWord(event.wParam) != 0;
        if (scrollSelect_)
            SelectItemAt(FindSelectableItem(*body_, current_ + (down ? 1 : -1), down), true);
        else
            down ? LineDown() : LineUp();
        return;
    }
    default:
        break;
    }
    CVerticalLayoutUI::HandleEvent(event);
}

UISize CListUI::GetScrollPos() const { return body_->GetScrollPos(); }
UISize CListUI::GetScrollRange() const { return body_->GetScrollRange(); }
void CListUI::SetScrollPos(UISize position) { body_->SetScrollPos(position); }
void CListUI::LineUp() { body_->LineUp(); }
void CListUI::LineDown() { body_->LineDown(); }
void CListUI::PageUp() { body_->PageUp(); }
void CListUI::PageDown() { body_->PageDown(); }
void CListUI::ScrollToTop() { body_->ScrollToTop(); }
void CListUI::ScrollToBottom() { body_->ScrollToBottom(); }
void CListUI::LineLeft() { body_->LineLeft(); }
void CListUI::LineRight() { body_->LineRight(); }
void CListUI::PageLeft() { body_->PageLeft(); }
void CListUI::PageRight() { body_->PageRight(); }
void CListUI::ScrollToLeftEnd() { body_->ScrollToLeftEnd(); }
void CListUI::ScrollToRightEnd() { body_->ScrollToRightEnd(); }
void CListUI::ShowScrollBars(bool vertical, bool horizontal) { body_->ShowScrollBars(vertical, horizontal); }
IScrollBarUI* CListUI::GetVerticalScrollBar() const { return body_->GetVerticalScrollBar(); }
IScrollBarUI* CListUI::GetHorizontalScrollBar() const { return body_->GetHorizontalScrollBar(); }

void CListUI::SetPos(Rect rect)
{
    CControlUI::SetPos(rect);
    const Rect content{item_.left + inset_.left, item_.top + inset_.top, item_.right - inset_.right,
                       item_.bottom - inset_.bottom};
    int headerHeight = 0;
    if (header_->IsVisible()) {
        headerHeight = std::clamp(header_->MeasureSize(UISize{content.width(), content.height()}).cy, 0,
                                  std::max(0, content.height()));
        header_->SetPos(Rect{content.left, content.top, content.right, content.top + headerHeight});
    }
    body_->SetPos(Rect{content.left, content.top + headerHeight, content.right, content.bottom});

    // The text items draw in the columns of the visible headings.
    settings_.columnCount = 0;
    if (header_->IsVisible())
        for (int i = 0; i < header_->GetCount() && settings_.columnCount < ListItemSettings::maxColumns; ++i)
            if (CControlUI* heading = header_->GetItemAt(i); heading->IsVisible())
                settings_.columns[settings_.columnCount++] = heading->GetPos();
}

CControlUI* CListUI::LookupControl(FindControlProc proc, void* data, unsigned flags)
{
    if ((flags & UIFIND_VISIBLE) && !IsVisible())
        return nullptr;
    if ((flags & UIFIND_ENABLED) && !IsEnabled())
        return nullptr;
    const auto* point = static_cast<const platform::Point*>(data);
    if (flags & UIFIND_HITTEST) {
        if (!item_.contains(point->x, point->y))
            return nullptr;
        if (!mouseChildren_)
            return CControlUI::LookupControl(proc, data, flags);
    }
    if (flags & UIFIND_ME_FIRST)
        if (CControlUI* found = CControlUI::LookupControl(proc, data, flags))
            return found;
    CControlUI* parts[2] = {header_, body_};
    if (flags & UIFIND_TOP_FIRST)
        std::swap(parts[0], parts[1]);
    for (CControlUI* part : parts)
        if (CControlUI* found = part->LookupControl(proc, data, flags))
            return found;
    if (flags & UIFIND_ME_FIRST)
        return nullptr;
    return CControlUI::LookupControl(proc, data, flags);
}

void CListUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (settings_.ApplyAttribute(name, value)) {
        Invalidate();
    } else if (name == "header") {
        header_->SetVisible(value != "hidden");
    } else if (name == "headerbkimage") {
        header_->SetBkImage(value);
    } else if (name == "scrollselect") {
        SetScrollSelect(AttributeValue::Boolean(value));
    } else if (name == "multiexpanding") {
        settings_.multiExpanding = AttributeValue::Boolean(value);
    } else if (name == "vscrollbar" || name == "hscrollbar" || name == "vscrollbarstyle" ||
               name == "hscrollbarstyle" || name == "childpadding") {
        // The items scroll and are spaced in the body.
        body_->ApplyAttribute(name, value);
    } else {
        CVerticalLayoutUI::ApplyAttribute(name, value);
    }
}

} // namespace pelmo::ui
