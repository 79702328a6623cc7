#include "ui/core/CControlUI.h"

#include <algorithm>

#include "platform/window/WindowSystem.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"
#include "ui/painter/CUIPainter.h"

namespace pelmo::ui {

CControlUI::CControlUI() = default;

CControlUI::~CControlUI()
{
    OnDestroy.Invoke(this);
    if (manager_)
        manager_->ReapObjects(this);
}

std::string_view CControlUI::GetClass() const { return "ControlUI"; }

void* CControlUI::AsInterface(std::string_view name) { return name == "Control" ? this : nullptr; }

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

void CControlUI::SetManager(CUIManager* manager, CControlUI* parent, bool initialise)
{
    manager_ = manager;
    parent_ = parent;
    if (initialise)
        Init();
}

void CControlUI::SetText(std::string_view text)
{
    if (text_ == text)
        return;
    text_ = text;
    Invalidate();
}

void CControlUI::SetPos(Rect rect)
{
    if (rect.right < rect.left)
        rect.right = rect.left;
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
    const Rect old = item_;
    item_ = rect;
    if (manager_) {
        if (float_ && parent_) {
            // A floating control keeps the offset it was given from the
            // edge it was given it from.
            const Rect& parentRect = parent_->GetPos();
            fixedXY_.cx = fixedXY_.cx >= 0 ? rect.left - parentRect.left : rect.right - parentRect.right;
            fixedXY_.cy = fixedXY_.cy >= 0 ? rect.top - parentRect.top : rect.bottom - parentRect.bottom;
        }
        if (!inSizeSource_) {
            inSizeSource_ = true;
            OnSize.Invoke(this);
            inSizeSource_ = false;
        }
        updateNeeded_ = false;
        const Rect changed = old.united(item_);
        manager_->Invalidate(changed);
    } else {
        updateNeeded_ = false;
    }
}

void CControlUI::SetPadding(const Rect& padding)
{
    padding_ = padding;
    RequestParentLayout();
}

void CControlUI::SetFixedXY(UISize offset)
{
    fixedXY_ = offset;
    relative_.parentSize = UISize{};
    if (float_)
        RequestLayout();
    else
        RequestParentLayout();
}

// A size property of a floating control only moves the control itself; of
// any other, the siblings too. Negative values are ignored.
void CControlUI::SetSizeProperty(int& field, int value)
{
    if (value < 0)
        return;
    field = value;
    if (float_)
        RequestLayout();
    else
        RequestParentLayout();
}

void CControlUI::SetFixedWidth(int width) { SetSizeProperty(fixedWidth_, width); }
void CControlUI::SetFixedHeight(int height) { SetSizeProperty(fixedHeight_, height); }
void CControlUI::SetMinWidth(int width) { SetSizeProperty(minWidth_, width); }
void CControlUI::SetMaxWidth(int width) { SetSizeProperty(maxWidth_, width); }
void CControlUI::SetMinHeight(int height) { SetSizeProperty(minHeight_, height); }
void CControlUI::SetMaxHeight(int height) { SetSizeProperty(maxHeight_, height); }

void CControlUI::SetRelativePos(int moveX, int moveY, int zoomX, int zoomY)
{
    relative_.relative = moveX != 0 || moveY != 0 || zoomX != 0 || zoomY != 0;
    relative_.moveXPercent = moveX;
    relative_.moveYPercent = moveY;
    relative_.zoomXPercent = zoomX;
    relative_.zoomYPercent = zoomY;
    relative_.parentSize = UISize{};
}

void CControlUI::SetVisible(bool visible)
{
    if (visible_ == visible)
        return;
    const bool wasShown = IsVisible();
    visible_ = visible;
    if (!IsVisible() && focused_ && manager_)
        manager_->SetFocus(nullptr);
    if (wasShown != IsVisible())
        RequestParentLayout();
}

void CControlUI::SetHiddenByParent(bool hidden)
{
    internalVisible_ = !hidden;
    if (hidden && focused_ && manager_)
        manager_->SetFocus(nullptr);
}

void CControlUI::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Invalidate();
}

void CControlUI::SetFocus()
{
    if (manager_)
        manager_->SetFocus(this);
}

void CControlUI::SetFloat(bool floating)
{
    if (float_ == floating)
        return;
    float_ = floating;
    RequestParentLayout();
}

CControlUI* CControlUI::LookupControl(FindControlProc proc, void* data, unsigned flags)
{
    if ((flags & UIFIND_VISIBLE) && !IsVisible())
        return nullptr;
    if ((flags & UIFIND_ENABLED) && !IsEnabled())
        return nullptr;
    if (flags & UIFIND_HITTEST) {
        const auto* point = static_cast<const platform::Point*>(data);
        if (!mouseEnabled_ || !item_.contains(point->x, point->y))
            return nullptr;
    }
    return proc(this, data);
}

void CControlUI::Init()
{
    InitSelf();
    OnInit.Invoke(this);
}

void CControlUI::Event(UIEvent& event)
{
    if (OnEvent.Invoke(&event))
        HandleEvent(event);
}

void CControlUI::PassToParent(UIEvent& event)
{
    if (parent_)
        parent_->HandleEvent(event);
}

void CControlUI::HandleEvent(UIEvent& event)
{
    // Mouse input of a control that does not take the mouse belongs to its
    // parent; the sender stays the control that first received it.
    if (!mouseEnabled_ && IsMouseEvent(event.type) && parent_) {
        parent_->HandleEvent(event);
        return;
    }
    switch (event.type) {
    case UIEventType::SetFocus:
        focused_ = true;
        Invalidate();
        return;
    case UIEventType::KillFocus:
        focused_ = false;
        Invalidate();
        return;
    case UIEventType::SetCursor:
        if (platform::WindowSystem* windows = platform::WindowSystem::current())
            windows->setCursor(platform::CursorShape::Arrow);
        return;
    case UIEventType::Timer:
        if (manager_)
            manager_->DispatchNotification(this, "timer", event.wParam, event.lParam);
        return;
    case UIEventType::ContextMenu:
        if (contextMenu_ && manager_) {
            manager_->DispatchNotification(this, "menu", event.wParam, event.lParam);
            return;
        }
        break;
    default:
        break;
    }
    PassToParent(event);
}

void CControlUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "pos") {
        const Rect rect = AttributeValue::ReadRect(value);
        // Negative extents (the "x,y,0,0" form) leave the size alone.
        SetFixedXY(UISize{rect.left >= 0 ? rect.left : rect.right, rect.top >= 0 ? rect.top : rect.bottom});
        SetFixedWidth(rect.right - rect.left);
        SetFixedHeight(rect.bottom - rect.top);
    } else if (name == "relativepos") {
        std::string_view rest = value;
        int values[4] = {};
        for (int& v : values) {
            v = AttributeValue::Integer(rest, &rest);
            if (!rest.empty())
                rest.remove_prefix(1);
        }
        SetRelativePos(values[0], values[1], values[2], values[3]);
    } else if (name == "padding") {
        SetPadding(AttributeValue::ReadRect(value));
    } else if (name == "bkcolor" || name == "bkcolor1") {
        SetBkColor(AttributeValue::Colour(value));
    } else if (name == "bkcolor2") {
        SetBkColor2(AttributeValue::Colour(value));
    } else if (name == "bkcolor3") {
        SetBkColor3(AttributeValue::Colour(value));
    } else if (name == "bordercolor") {
        SetBorderColor(AttributeValue::Colour(value));
    } else if (name == "focusbordercolor") {
        SetFocusBorderColor(AttributeValue::Colour(value));
    } else if (name == "colorhsl") {
        SetColorHSL(AttributeValue::Boolean(value));
    } else if (name == "bordersize") {
        SetBorderSize(AttributeValue::Integer(value));
    } else if (name == "borderround") {
        const AttributeValue::Pair pair = AttributeValue::ReadPair(value);
        SetBorderRound(UISize{pair.cx, pair.cy});
    } else if (name == "bkimage") {
        SetBkImage(value);
    } else if (name == "width") {
        SetFixedWidth(AttributeValue::Integer(value));
    } else if (name == "height") {
        SetFixedHeight(AttributeValue::Integer(value));
    } else if (name == "minwidth") {
        SetMinWidth(AttributeValue::Integer(value));
    } else if (name == "minheight") {
        SetMinHeight(AttributeValue::Integer(value));
    } else if (name == "maxwidth") {
        SetMaxWidth(AttributeValue::Integer(value));
    } else if (name == "maxheight") {
        SetMaxHeight(AttributeValue::Integer(value));
    } else if (name == "name") {
        SetName(value);
    } else if (name == "text") {
        SetText(value);
    } else if (name == "tooltip") {
        SetToolTip(value);
    } else if (name == "userdata") {
        SetUserData(value);
    } else if (name == "enabled") {
        SetEnabled(AttributeValue::Boolean(value));
    } else if (name == "mouse") {
        SetMouseEnabled(AttributeValue::Boolean(value));
    } else if (name == "visible") {
        SetVisible(AttributeValue::Boolean(value));
    } else if (name == "float") {
        SetFloat(AttributeValue::Boolean(value));
    } else if (name == "shortcut") {
        SetShortcut(value.empty() ? '\0' : value.front());
    } else if (name == "menu") {
        SetContextMenu(AttributeValue::Boolean(value));
    }
}

void CControlUI::ApplyAttributeString(std::string_view list)
{
    while (!list.empty()) {
        const std::size_t equals = list.find('=');
        if (equals == std::string_view::npos)
            return;
        const std::string_view name = list.substr(0, equals);
        list.remove_prefix(equals + 1);
        if (list.empty() || list.front() != '"')
            return;
        list.remove_prefix(1);
        const std::size_t close = list.find('"');
        if (close == std::string_view::npos)
            return;
        ApplyAttribute(name, list.substr(0, close));
        list.remove_prefix(close + 1);
        if (list.empty() || list.front() != ' ')
            return;
        list.remove_prefix(1);
    }
}

UISize CControlUI::MeasureSize(UISize) { return UISize{fixedWidth_, fixedHeight_}; }

void CControlUI::Paint(UIDC& dc, const Rect& dirty)
{
    const Rect paint = dirty.intersected(item_);
    if (paint.isEmpty())
        return;
    const Rect savedClip = dc.clip;
    dc.clip = dc.clip.intersected(paint);
    if (!dc.clip.isEmpty()) {
        PaintBackgroundColour(dc);
        PaintBackgroundImage(dc);
        PaintStateImage(dc);
        PaintText(dc);
        PaintBorder(dc);
    }
    dc.clip = savedClip;
}

void CControlUI::PaintBackgroundColour(UIDC& dc)
{
    CUIPainter::PaintBackgroundColour(dc, item_, dc.clip, bkColour_[0], bkColour_[1], bkColour_[2]);
}

void CControlUI::PaintBackgroundImage(UIDC& dc)
{
    if (!bkImage_.empty())
        CUIPainter::DrawImageDescription(dc, item_, dc.clip, bkImage_);
}

void CControlUI::PaintBorder(UIDC& dc)
{
    CUIPainter::PaintBorder(dc, item_, borderSize_, borderRound_.cx, borderRound_.cy, borderColour_,
                            focusBorderColour_, focused_);
}

void CControlUI::Invalidate()
{
    if (!IsVisible() || !manager_)
        return;
    Rect rect = item_;
    for (CControlUI* ancestor = parent_; ancestor; ancestor = ancestor->parent_) {
        rect = rect.intersected(ancestor->GetPos());
        if (rect.isEmpty())
            return;
    }
    manager_->Invalidate(rect);
}

void CControlUI::RequestLayout()
{
    updateNeeded_ = true;
    Invalidate();
    if (manager_)
        manager_->NeedUpdate();
}

void CControlUI::RequestParentLayout()
{
    if (parent_)
        parent_->RequestLayout();
    else
        RequestLayout();
}

void CControlUI::SetBkColor(std::uint32_t value)
{
    if (bkColour_[0] == value)
        return;
    bkColour_[0] = value;
    Invalidate();
}

void CControlUI::SetBkColor2(std::uint32_t value)
{
    if (bkColour_[1] == value)
        return;
    bkColour_[1] = value;
    Invalidate();
}

void CControlUI::SetBkColor3(std::uint32_t value)
{
    if (bkColour_[2] == value)
        return;
    bkColour_[2] = value;
    Invalidate();
}

void CControlUI::SetBorderColor(std::uint32_t value)
{
    if (borderColour_ == value)
        return;
    borderColour_ = value;
    Invalidate();
}

void CControlUI::SetFocusBorderColor(std::uint32_t value)
{
    if (focusBorderColour_ == value)
        return;
    focusBorderColour_ = value;
    Invalidate();
}

void CControlUI::SetBorderSize(int value)
{
    if (borderSize_ == value)
        return;
    borderSize_ = value;
    Invalidate();
}

void CControlUI::SetBorderRound(UISize value)
{
    if (borderRound_ == value)
        return;
    borderRound_ = value;
    Invalidate();
}

void CControlUI::SetColorHSL(bool value)
{
    if (colourHsl_ == value)
        return;
    colourHsl_ = value;
    Invalidate();
}


void CControlUI::SetBkImage(std::string_view image)
{
    if (bkImage_ == image)
        return;
    bkImage_ = image;
    Invalidate();
}

} // namespace pelmo::ui
