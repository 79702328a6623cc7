#include "ui/core/CContainerUI.h"

#include <algorithm>

#include "platform/window/WindowMessages.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"

namespace pelmo::ui {

namespace {
CContainerUI::ScrollBarFactory scrollBarFactory = nullptr;
// Without a manager there is no font to measure a line by.
constexpr int bareLineSize = 8;
constexpr int lineSizeAboveFont = 8;
} // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI()
{
    std::vector<CControlUI*> items;
    items.swap(items_);
    if (autoDestroy_)
        for (CControlUI* item : items)
            delete item;
    delete verticalBar_;
    delete horizontalBar_;
}

void CContainerUI::SetScrollBarFactory(ScrollBarFactory factory) { scrollBarFactory = factory; }

std::string_view CContainerUI::GetClass() const { return "ContainerUI"; }

void* CContainerUI::AsInterface(std::string_view name)
{
    if (name == "IContainer")
        return static_cast<IContainerUI*>(this);
    if (name == "Container")
        return static_cast<CContainerUI*>(this);
    return CControlUI::AsInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return items_[static_cast<std::size_t>(index)];
}

int CContainerUI::GetItemIndex(CControlUI* control) const
{
    auto found = std::find(items_.begin(), items_.end(), control);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index)
{
    const int current = GetItemIndex(control);
    if (current < 0 || index < 0 || index >= GetCount())
        return false;
    items_.erase(items_.begin() + current);
    items_.insert(items_.begin() + index, control);
    RequestLayout();
    return true;
}

bool CContainerUI::Add(CControlUI* control) { return InsertChildAt(control, GetCount()); }

bool CContainerUI::InsertChildAt(CControlUI* control, int index)
{
    if (!control || index < 0 || index > GetCount())
        return false;
    if (manager_)
        manager_->InitControls(control, this);
    else
        control->SetParentOnly(this);
    items_.insert(items_.begin() + index, control);
    if (IsVisible())
        RequestLayout();
    else
        control->SetHiddenByParent(true);
    return true;
}

void CContainerUI::DestroyChild(CControlUI* control)
{
    if (!autoDestroy_)
        return;
    if (delayedDestroy_ && manager_)
        manager_->QueueForDeletion(control);
    else
        delete control;
}

bool CContainerUI::Remove(CControlUI* control)
{
    return RemoveAt(GetItemIndex(control));
}

bool CContainerUI::RemoveAt(int index)
{
    CControlUI* control = GetItemAt(index);
    if (!control)
        return false;
    items_.erase(items_.begin() + index);
    RequestLayout();
    DestroyChild(control);
    return true;
}

void CContainerUI::RemoveAll()
{
    std::vector<CControlUI*> items;
    items.swap(items_);
    for (CControlUI* control : items)
        DestroyChild(control);
    RequestLayout();
}

void CContainerUI::SetManager(CUIManager* manager, CControlUI* parent, bool initialise)
{
    for (CControlUI* item : items_)
        item->SetManager(manager, this, initialise);
    if (verticalBar_)
        verticalBar_->AsControl()->SetManager(manager, this, initialise);
    if (horizontalBar_)
        horizontalBar_->AsControl()->SetManager(manager, this, initialise);
    CControlUI::SetManager(manager, parent, initialise);
}

void CContainerUI::SetVisible(bool visible)
{
    if (visible_ == visible)
        return;
    CControlUI::SetVisible(visible);
    for (CControlUI* item : items_)
        item->SetHiddenByParent(!IsVisible());
}

void CContainerUI::SetHiddenByParent(bool hidden)
{
    CControlUI::SetHiddenByParent(hidden);
    for (CControlUI* item : items_)
        item->SetHiddenByParent(!IsVisible());
}

bool CContainerUI::IsBarShown(const IScrollBarUI* bar) const
{
    return bar && const_cast<IScrollBarUI*>(bar)->AsControl()->IsVisible();
}

Rect CContainerUI::ContentRect() const
{
    Rect content{item_.left + inset_.left, item_.top + inset_.top, item_.right - inset_.right,
                 item_.bottom - inset_.bottom};
    if (IsBarShown(verticalBar_))
        content.right -= verticalBar_->AsControl()->GetFixedWidth();
    if (IsBarShown(horizontalBar_))
        content.bottom -= horizontalBar_->AsControl()->GetFixedHeight();
    return content;
}

void CContainerUI::PlaceScrollBars(const Rect& rect)
{
    const Rect inner{rect.left + inset_.left, rect.top + inset_.top, rect.right - inset_.right,
                     rect.bottom - inset_.bottom};
    const int barHeight = IsBarShown(horizontalBar_) ? horizontalBar_->AsControl()->GetFixedHeight() : 0;
    const int barWidth = IsBarShown(verticalBar_) ? verticalBar_->AsControl()->GetFixedWidth() : 0;
    if (barWidth > 0)
        verticalBar_->AsControl()->SetPos(Rect{inner.right - barWidth, inner.top, inner.right, inner.bottom - barHeight});
    if (barHeight > 0)
        horizontalBar_->AsControl()->SetPos(
            Rect{inner.left, inner.bottom - barHeight, inner.right - barWidth, inner.bottom});
}

void CContainerUI::SetPos(Rect rect)
{
    CControlUI::SetPos(rect);
    PlaceScrollBars(item_);
    const Rect content = ContentRect();
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = items_[static_cast<std::size_t>(i)];
        if (!child->IsVisible())
            continue;
        if (child->IsFloat()) {
            PlaceFloatingChild(i);
            continue;
        }
        const Rect padding = child->GetPadding();
        Rect placed{content.left + padding.left, content.top + padding.top, content.right - padding.right,
                    content.bottom - padding.bottom};
        placed.right = placed.left + std::clamp(placed.width(), child->GetMinWidth(), std::max(child->GetMinWidth(), child->GetMaxWidth()));
        placed.bottom = placed.top + std::clamp(placed.height(), child->GetMinHeight(), std::max(child->GetMinHeight(), child->GetMaxHeight()));
        child->SetPos(placed);
    }
}

void CContainerUI::PlaceFloatingChild(int index)
{
    CControlUI* child = GetItemAt(index);
    if (!child)
        return;
    RelativePos relative = child->GetRelativePos();
    UISize offset = child->GetFixedXY();
    const UISize parentSize{item_.width(), item_.height()};
    // Relative placement counts from where the child was first placed: its
    // offset then and the parent's size then. (The offset the control keeps
    // follows every placement, so growth applied to it would add up.)
    if (relative.relative) {
        if (relative.parentSize == UISize{}) {
            child->SetRelativeBase(parentSize, offset);
            relative.parentSize = parentSize;
        } else {
            offset = relative.baseOffset;
        }
    }
    const int width = child->GetFixedWidth();
    const int height = child->GetFixedHeight();
    Rect placed;
    if (offset.cx >= 0) {
        placed.left = item_.left + offset.cx;
        placed.right = placed.left + width;
    } else {
        placed.right = item_.right + offset.cx;
        placed.left = placed.right - width;
    }
    if (offset.cy >= 0) {
        placed.top = item_.top + offset.cy;
        placed.bottom = placed.top + height;
    } else {
        placed.bottom = item_.bottom + offset.cy;
        placed.top = placed.bottom - height;
    }
    if (relative.relative) {
        const int growX = parentSize.cx - relative.parentSize.cx;
        const int growY = parentSize.cy - relative.parentSize.cy;
        placed = placed.offset(growX * relative.moveXPercent / 100, growY * relative.moveYPercent / 100);
        placed.right += growX * relative.zoomXPercent / 100;
        placed.bottom += growY * relative.zoomYPercent / 100;
    }
    child->SetPos(placed);
}

void CContainerUI::HandleEvent(UIEvent& event)
{
    if (!mouseEnabled_ && IsMouseEvent(event.type) && parent_) {
        parent_->HandleEvent(event);
        return;
    }
    const bool vertical = IsBarShown(verticalBar_) && verticalBar_->AsControl()->IsEnabled();
    const bool horizontal = IsBarShown(horizontalBar_) && horizontalBar_->AsControl()->IsEnabled();
    if (vertical || horizontal) {
        if (event.type == UIEventType::ScrollWheel) {
            const bool down = platform::lowWord(event.wParam) != 0;
            if (vertical)
                down ? LineDown() : LineUp();
            else
                down ? LineRight() : LineLeft();
            return;
        }
        if (event.type == UIEventType::KeyDown) {
            bool used = true;
            switch (event.key) {
            case platform::VK_DOWN: vertical ? LineDown() : LineRight(); break;
            case platform::VK_UP: vertical ? LineUp() : LineLeft(); break;
            case platform::VK_NEXT: vertical ? PageDown() : PageRight(); break;
            case platform::VK_PRIOR: vertical ? PageUp() : PageLeft(); break;
            case platform::VK_HOME: vertical ? ScrollToTop() : ScrollToLeftEnd(); break;
            case platform::VK_END: vertical ? ScrollToBottom() : ScrollToRightEnd(); break;
            default: used = false; break;
            }
            if (used)
                return;
        }
    }
    CControlUI::HandleEvent(event);
}

void CContainerUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "inset") {
        SetInset(AttributeValue::ReadRect(value));
    } else if (name == "mousechild") {
        SetChildrenGetMouse(AttributeValue::Boolean(value));
    } else if (name == "vscrollbar") {
        ShowScrollBars(AttributeValue::Boolean(value), horizontalBar_ != nullptr);
    } else if (name == "hscrollbar") {
        ShowScrollBars(verticalBar_ != nullptr, AttributeValue::Boolean(value));
    } else if (name == "vscrollbarstyle") {
        ShowScrollBars(true, horizontalBar_ != nullptr);
        if (verticalBar_)
            verticalBar_->AsControl()->ApplyAttributeString(value);
    } else if (name == "hscrollbarstyle") {
        ShowScrollBars(verticalBar_ != nullptr, true);
        if (horizontalBar_)
            horizontalBar_->AsControl()->ApplyAttributeString(value);
    } else if (name == "childpadding") {
        SetChildGap(AttributeValue::Integer(value));
    } else {
        CControlUI::ApplyAttribute(name, value);
    }
}

void CContainerUI::Paint(UIDC& dc, const Rect& dirty)
{
    const Rect paint = dirty.intersected(item_);
    if (paint.isEmpty())
        return;
    CControlUI::Paint(dc, dirty);
    const Rect saved = dc.clip;
    const Rect own = saved.intersected(paint);
    const Rect content = ContentRect().intersected(own);
    for (CControlUI* child : items_) {
        if (!child->IsVisible())
            continue;
        // Floating children may reach into the inset; others stay inside
        // the content area.
        dc.clip = child->IsFloat() ? own : content;
        if (dc.clip.isEmpty() || !child->GetPos().intersects(dc.clip))
            continue;
        child->Paint(dc, dirty);
    }
    for (IScrollBarUI* bar : {verticalBar_, horizontalBar_}) {
        if (!IsBarShown(bar))
            continue;
        dc.clip = own;
        bar->AsControl()->Paint(dc, dirty);
    }
    dc.clip = saved;
}

CControlUI* CContainerUI::LookupControl(FindControlProc proc, void* data, unsigned flags)
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
    for (IScrollBarUI* bar : {verticalBar_, horizontalBar_})
        if (IsBarShown(bar))
            if (CControlUI* found = bar->AsControl()->LookupControl(proc, data, flags))
                return found;
    const Rect inner{item_.left + inset_.left, item_.top + inset_.top, item_.right - inset_.right,
                     item_.bottom - inset_.bottom};
    const int count = GetCount();
    for (int step = 0; step < count; ++step) {
        const int index = (flags & UIFIND_TOP_FIRST) ? count - 1 - step : step;
        CControlUI* child = items_[static_cast<std::size_t>(index)];
        if ((flags & UIFIND_HITTEST) && !child->IsFloat() && !inner.contains(point->x, point->y))
            continue;
        if (CControlUI* found = child->LookupControl(proc, data, flags))
            return found;
    }
    if (flags & UIFIND_ME_FIRST)
        return nullptr;
    return CControlUI::LookupControl(proc, data, flags);
}

void CContainerUI::SetInset(const Rect& inset)
{
    inset_ = inset;
    RequestLayout();
}

void CContainerUI::SetChildGap(int padding)
{
    childPadding_ = std::max(0, padding);
    RequestLayout();
}

int CContainerUI::NextSelectable(int index, bool forward) const
{
    for (int i = index; i >= 0 && i < GetCount(); i += forward ? 1 : -1) {
        const CControlUI* child = items_[static_cast<std::size_t>(i)];
        if (child->IsVisible() && child->IsEnabled())
            return i;
    }
    return -1;
}

UISize CContainerUI::GetScrollPos() const
{
    return UISize{horizontalBar_ ? horizontalBar_->GetScrollPos() : 0,
                  verticalBar_ ? verticalBar_->GetScrollPos() : 0};
}

UISize CContainerUI::GetScrollRange() const
{
    return UISize{horizontalBar_ ? horizontalBar_->GetScrollRange() : 0,
                  verticalBar_ ? verticalBar_->GetScrollRange() : 0};
}

void CContainerUI::SetScrollPos(UISize position)
{
    int dx = 0;
    int dy = 0;
    if (IsBarShown(verticalBar_)) {
        const int old = verticalBar_->GetScrollPos();
        verticalBar_->SetScrollPos(std::clamp(position.cy, 0, std::max(0, verticalBar_->GetScrollRange())));
        dy = verticalBar_->GetScrollPos() - old;
    }
    if (IsBarShown(horizontalBar_)) {
        const int old = horizontalBar_->GetScrollPos();
        horizontalBar_->SetScrollPos(std::clamp(position.cx, 0, std::max(0, horizontalBar_->GetScrollRange())));
        dx = horizontalBar_->GetScrollPos() - old;
    }
    if (dx == 0 && dy == 0)
        return;
    for (CControlUI* child : items_) {
        if (!child->IsVisible() || child->IsFloat())
            continue;
        child->SetPos(child->GetPos().offset(-dx, -dy));
    }
    Invalidate();
}

int CContainerUI::LineSize() const
{
    return manager_ ? manager_->DefaultFontHeight() + lineSizeAboveFont : bareLineSize;
}

void CContainerUI::LineUp() { SetScrollPos(UISize{GetScrollPos().cx, GetScrollPos().cy - LineSize()}); }
void CContainerUI::LineDown() { SetScrollPos(UISize{GetScrollPos().cx, GetScrollPos().cy + LineSize()}); }
void CContainerUI::LineLeft() { SetScrollPos(UISize{GetScrollPos().cx - LineSize(), GetScrollPos().cy}); }
void CContainerUI::LineRight() { SetScrollPos(UISize{GetScrollPos().cx + LineSize(), GetScrollPos().cy}); }

void CContainerUI::PageUp()
{
    SetScrollPos(UISize{GetScrollPos().cx, GetScrollPos().cy - ContentRect().height()});
}

void CContainerUI::PageDown()
{
    SetScrollPos(UISize{GetScrollPos().cx, GetScrollPos().cy + ContentRect().height()});
}

void CContainerUI::PageLeft()
{
    SetScrollPos(UISize{GetScrollPos().cx - ContentRect().width(), GetScrollPos().cy});
}

void CContainerUI::PageRight()
{
    SetScrollPos(UISize{GetScrollPos().cx + ContentRect().width(), GetScrollPos().cy});
}

void CContainerUI::ScrollToTop() { SetScrollPos(UISize{GetScrollPos().cx, 0}); }
void CContainerUI::ScrollToBottom() { SetScrollPos(UISize{GetScrollPos().cx, GetScrollRange().cy}); }
void CContainerUI::ScrollToLeftEnd() { SetScrollPos(UISize{0, GetScrollPos().cy}); }
void CContainerUI::ScrollToRightEnd() { SetScrollPos(UISize{GetScrollRange().cx, GetScrollPos().cy}); }

void CContainerUI::ShowScrollBars(bool vertical, bool horizontal)
{
    auto adjust = [this](IScrollBarUI*& bar, bool wanted, bool isHorizontal) {
        if (wanted && !bar && scrollBarFactory) {
            bar = scrollBarFactory(isHorizontal);
            if (!bar)
                return;
            bar->SetOwner(this);
            CControlUI* control = bar->AsControl();
            control->SetManager(manager_, this, false);
            // A new bar waits hidden until the content needs it.
            control->SetVisible(false);
            if (manager_)
                if (std::optional<std::string> style =
                        manager_->LookupDefaultAttributes(isHorizontal ? "HScrollBar" : "VScrollBar"))
                    control->ApplyAttributeString(*style);
        } else if (!wanted && bar) {
            delete bar;
            bar = nullptr;
        }
    };
    adjust(verticalBar_, vertical, false);
    adjust(horizontalBar_, horizontal, true);
    RequestLayout();
}

void CContainerUI::UpdateScrollBars(const Rect& rect, int cxRequired, int cyRequired)
{
    if (scrollProcess_)
        return;
    auto update = [this](IScrollBarUI* bar, int required, int available) {
        if (!bar)
            return;
        CControlUI* control = bar->AsControl();
        const int excess = required - available;
        if (excess > 0) {
            if (!control->IsVisible()) {
                control->SetVisible(true);
                bar->SetScrollRange(excess);
                bar->SetScrollPos(0);
                scrollProcess_ = true;
                SetPos(item_);
                scrollProcess_ = false;
                return;
            }
            const int oldRange = bar->GetScrollRange();
            bar->SetScrollRange(excess);
            if (bar->GetScrollPos() > excess)
                bar->SetScrollPos(excess);
            if (excess < oldRange) {
                scrollProcess_ = true;
                SetPos(item_);
                scrollProcess_ = false;
            }
        } else if (control->IsVisible()) {
            // Everything fits: the bar goes and the content returns to the top.
            control->SetVisible(false);
            bar->SetScrollRange(0);
            bar->SetScrollPos(0);
            scrollProcess_ = true;
            SetPos(item_);
            scrollProcess_ = false;
        }
    };
    update(verticalBar_, cyRequired, rect.height());
    update(horizontalBar_, cxRequired, rect.width());
}

} // namespace pelmo::ui
