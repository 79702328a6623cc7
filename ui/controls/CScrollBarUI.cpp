#include "ui/controls/CScrollBarUI.h"

#include <algorithm>

#include "platform/window/WindowMessages.h"
#include "ui/controls/ControlState.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CContainerUI.h"
#include "ui/core/CUIManager.h"
#include "ui/painter/CUIPainter.h"

namespace pelmo::ui {

namespace {

// The plain look of a bar without images.
constexpr std::uint32_t railColour = 0xFFF0F0F0;
constexpr std::uint32_t thumbColour = 0xFFC1C1C1;
constexpr std::uint32_t thumbHotColour = 0xFFA8A8A8;
constexpr std::uint32_t thumbPushedColour = 0xFF8A8A8A;
constexpr std::uint32_t buttonHotColour = 0xFFDADADA;
constexpr std::uint32_t buttonPushedColour = 0xFFC1C1C1;
constexpr std::uint32_t arrowColour = 0xFF606060;
constexpr std::uint32_t arrowDisabledColour = 0xFFC0C0C0;
// The thumb never gets shorter than this many pixels, however long the
// content, so that it can still be grabbed.
constexpr int minimumThumb = 10;

// Containers get their bars from here; installed before main() runs in any
// program that links the scroll bar.
const bool installedAtStart = (CScrollBarUI::Install(), true);

std::string DestModifier(const Rect& part, const Rect& control)
{
    return "dest='" + std::to_string(part.left - control.left) + "," + std::to_string(part.top - control.top) + "," +
           std::to_string(part.right - control.left) + "," + std::to_string(part.bottom - control.top) + "'";
}

} // namespace

CScrollBarUI::CScrollBarUI()
{
    (void)installedAtStart;
    fixedWidth_ = defaultThickness;
}

void CScrollBarUI::Install() { CContainerUI::SetScrollBarFactory(&CScrollBarUI::CreateForContainer); }

IScrollBarUI* CScrollBarUI::CreateForContainer(bool horizontal)
{
    auto* bar = new CScrollBarUI;
    bar->SetHorizontal(horizontal);
    return bar;
}

std::string_view CScrollBarUI::GetClass() const { return "ScrollBarUI"; }

void* CScrollBarUI::AsInterface(std::string_view name)
{
    if (name == "ScrollBar")
        return static_cast<CScrollBarUI*>(this);
    return CControlUI::AsInterface(name);
}

void CScrollBarUI::SetHorizontal(bool horizontal)
{
    if (horizontal_ == horizontal)
        return;
    horizontal_ = horizontal;
    // The thickness moves to the other side; the length is the layout's.
    int& from = horizontal ? fixedWidth_ : fixedHeight_;
    int& to = horizontal ? fixedHeight_ : fixedWidth_;
    to = from > 0 ? from : defaultThickness;
    from = 0;
    RequestParentLayout();
}

void CScrollBarUI::SetLineSize(int size)
{
    if (size > 0)
        lineSize_ = size;
}

void CScrollBarUI::SetShowButton1(bool show)
{
    showButton1_ = show;
    LayoutParts();
    Invalidate();
}

void CScrollBarUI::SetShowButton2(bool show)
{
    showButton2_ = show;
    LayoutParts();
    Invalidate();
}

void CScrollBarUI::SetScrollRange(int range)
{
    range_ = std::max(0, range);
    position_ = std::clamp(position_, 0, range_);
    LayoutParts();
    Invalidate();
}

void CScrollBarUI::SetScrollPos(int position)
{
    position = std::clamp(position, 0, range_);
    if (position == position_)
        return;
    position_ = position;
    LayoutParts();
    Invalidate();
}

void CScrollBarUI::SetEnabled(bool enabled)
{
    CControlUI::SetEnabled(enabled);
    if (!enabled) {
        button1State_ = button2State_ = thumbState_ = 0;
        pressed_ = Part::None;
    }
}

void CScrollBarUI::SetPos(Rect rect)
{
    CControlUI::SetPos(rect);
    LayoutParts();
}

int CScrollBarUI::Travel() const
{
    const int rail = horizontal_ ? rail_.width() : rail_.height();
    const int thumb = horizontal_ ? thumb_.width() : thumb_.height();
    return std::max(0, rail - thumb);
}

// Buttons are square at the ends; the rail lies between them and the thumb
// on it, as long as the visible share of the content.
void CScrollBarUI::LayoutParts()
{
    const Rect& r = item_;
    if (horizontal_) {
        const int side = std::min(r.height(), r.width() / 2);
        button1_ = showButton1_ ? Rect{r.left, r.top, r.left + side, r.bottom} : Rect{r.left, r.top, r.left, r.bottom};
        button2_ = showButton2_ ? Rect{r.right - side, r.top, r.right, r.bottom} : Rect{r.right, r.top, r.right, r.bottom};
        rail_ = Rect{button1_.right, r.top, button2_.left, r.bottom};
    } else {
        const int side = std::min(r.width(), r.height() / 2);
        button1_ = showButton1_ ? Rect{r.left, r.top, r.right, r.top + side} : Rect{r.left, r.top, r.right, r.top};
        button2_ = showButton2_ ? Rect{r.left, r.bottom - side, r.right, r.bottom}
                                : Rect{r.left, r.bottom, r.right, r.bottom};
        rail_ = Rect{r.left, button1_.bottom, r.right, button2_.top};
    }
    const int railLength = horizontal_ ? rail_.width() : rail_.height();
    const int visible = horizontal_ ? r.width() : r.height();
    if (railLength <= 0 || visible <= 0) {
        thumb_ = Rect{};
        return;
    }
    int length = railLength;
    if (range_ > 0) {
        length = static_cast<int>(static_cast<long long>(railLength) * visible / (static_cast<long long>(range_) + visible));
        length = std::min(railLength, std::max(length, std::min(railLength, minimumThumb)));
    }
    const int travel = railLength - length;
    const int offset = range_ > 0 ? static_cast<int>(static_cast<long long>(travel) * position_ / range_) : 0;
    if (horizontal_)
        thumb_ = Rect{rail_.left + offset, r.top, rail_.left + offset + length, r.bottom};
    else
        thumb_ = Rect{r.left, rail_.top + offset, r.right, rail_.top + offset + length};
}

CScrollBarUI::Part CScrollBarUI::PartAt(platform::Point point) const
{
    if (button1_.contains(point.x, point.y))
        return Part::Button1;
    if (button2_.contains(point.x, point.y))
        return Part::Button2;
    if (thumb_.contains(point.x, point.y))
        return Part::Thumb;
    if (!rail_.contains(point.x, point.y))
        return Part::None;
    const bool before = horizontal_ ? point.x < thumb_.left : point.y < thumb_.top;
    return before ? Part::RailBefore : Part::RailAfter;
}

void CScrollBarUI::ScrollTo(int position)
{
    if (owner_) {
        const UISize current = owner_->GetScrollPos();
        owner_->SetScrollPos(horizontal_ ? UISize{position, current.cy} : UISize{current.cx, position});
        return;
    }
    const int old = position_;
    SetScrollPos(position);
    if (position_ != old && manager_)
        manager_->DispatchNotification(this, "scroll");
}

void CScrollBarUI::LineBack()
{
    if (!owner_)
        return ScrollTo(position_ - lineSize_);
    horizontal_ ? owner_->LineLeft() : owner_->LineUp();
}

void CScrollBarUI::LineForward()
{
    if (!owner_)
        return ScrollTo(position_ + lineSize_);
    horizontal_ ? owner_->LineRight() : owner_->LineDown();
}

void CScrollBarUI::PageBack()
{
    if (!owner_)
        return ScrollTo(position_ - (horizontal_ ? item_.width() : item_.height()));
    horizontal_ ? owner_->PageLeft() : owner_->PageUp();
}

void CScrollBarUI::PageForward()
{
    if (!owner_)
        return ScrollTo(position_ + (horizontal_ ? item_.width() : item_.height()));
    horizontal_ ? owner_->PageRight() : owner_->PageDown();
}

void CScrollBarUI::HandleEvent(UIEvent& event)
{
    if (!mouseEnabled_ && IsMouseEvent(event.type) && parent_) {
        parent_->HandleEvent(event);
        return;
    }
    switch (event.type) {
    case UIEventType::ButtonDown:
    case UIEventType::DblClick: {
        if (!IsEnabled())
            return;
        repeatTicks_ = 0;
        dragOffset_ = 0;
        pressPoint_ = lastMouse_ = event.mouse;
        if (manager_)
            manager_->SetTimer(this, repeatTimerId, repeatPeriodMs);
        pressed_ = PartAt(event.mouse);
        switch (pressed_) {
        case Part::Button1:
            button1State_ |= UISTATE_PUSHED;
            LineBack();
            break;
        case Part::Button2:
            button2State_ |= UISTATE_PUSHED;
            LineForward();
            break;
        case Part::Thumb:
            thumbState_ |= UISTATE_CAPTURED | UISTATE_PUSHED;
            dragStartPos_ = position_;
            break;
        case Part::RailBefore:
            PageBack();
            break;
        case Part::RailAfter:
            PageForward();
            break;
        case Part::None:
            break;
        }
        Invalidate();
        return;
    }
    case UIEventType::ButtonUp:
        if (manager_)
            manager_->KillTimer(this, repeatTimerId);
        thumbState_ &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
        button1State_ &= ~UISTATE_PUSHED;
        button2State_ &= ~UISTATE_PUSHED;
        pressed_ = Part::None;
        Invalidate();
        return;
    case UIEventType::MouseMove:
        if (thumbState_ & UISTATE_CAPTURED) {
            // The offset follows the pointer so that the thumb stays under
            // it; the timer applies it.
            const int moved = horizontal_ ? event.mouse.x - pressPoint_.x : event.mouse.y - pressPoint_.y;
            const int travel = Travel();
            dragOffset_ = travel > 0 ? static_cast<int>(static_cast<long long>(moved) * range_ / travel) : 0;
            lastMouse_ = event.mouse;
            return;
        }
        if (pressed_ == Part::RailBefore || pressed_ == Part::RailAfter)
            lastMouse_ = event.mouse;
        {
            const Part over = PartAt(event.mouse);
            const unsigned hot1 = over == Part::Button1 ? UISTATE_HOT : 0u;
            const unsigned hot2 = over == Part::Button2 ? UISTATE_HOT : 0u;
            const unsigned hotThumb = over == Part::Thumb ? UISTATE_HOT : 0u;
            if ((button1State_ & UISTATE_HOT) != hot1 || (button2State_ & UISTATE_HOT) != hot2 ||
                (thumbState_ & UISTATE_HOT) != hotThumb) {
                button1State_ = (button1State_ & ~UISTATE_HOT) | hot1;
                button2State_ = (button2State_ & ~UISTATE_HOT) | hot2;
                thumbState_ = (thumbState_ & ~UISTATE_HOT) | hotThumb;
                Invalidate();
            }
        }
        return;
    case UIEventType::MouseEnter:
        if (IsEnabled()) {
            barState_ |= UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEventType::MouseLeave:
        barState_ &= ~UISTATE_HOT;
        button1State_ &= ~UISTATE_HOT;
        button2State_ &= ~UISTATE_HOT;
        thumbState_ &= ~UISTATE_HOT;
        Invalidate();
        return;
    case UIEventType::Timer:
        if (event.wParam != repeatTimerId)
            break;
        ++repeatTicks_;
        if (thumbState_ & UISTATE_CAPTURED) {
            ScrollTo(dragStartPos_ + dragOffset_);
        } else if (repeatTicks_ > repeatDelayTicks) {
            if (pressed_ == Part::Button1) {
                LineBack();
            } else if (pressed_ == Part::Button2) {
                LineForward();
            } else if (pressed_ == Part::RailBefore || pressed_ == Part::RailAfter) {
                // Paging stops once the thumb has reached the pointer.
                const Part under = PartAt(lastMouse_);
                if (pressed_ == Part::RailBefore && under == Part::RailBefore)
                    PageBack();
                else if (pressed_ == Part::RailAfter && under == Part::RailAfter)
                    PageForward();
            }
        }
        return;
    case UIEventType::ScrollWheel:
        if (!owner_) {
            platform::lowWord(event.wParam) != 0 ? LineForward() : LineBack();
            return;
        }
        break;
    default:
        break;
    }
    CControlUI::HandleEvent(event);
}

void CScrollBarUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    auto assign = [&](std::string_view prefix, PartImages& images) {
        if (!name.starts_with(prefix))
            return false;
        const std::string_view rest = name.substr(prefix.size());
        std::string* field = rest == "normalimage"     ? &images.normal
                             : rest == "hotimage"      ? &images.hot
                             : rest == "pushedimage"   ? &images.pushed
                             : rest == "disabledimage" ? &images.disabled
                                                       : nullptr;
        if (!field)
            return false;
        *field = value;
        Invalidate();
        return true;
    };
    if (assign("button1", button1Images_) || assign("button2", button2Images_) || assign("thumb", thumbImages_) ||
        assign("rail", railImages_) || assign("bk", bkImages_))
        return;
    if (name == "hor")
        SetHorizontal(AttributeValue::Boolean(value));
    else if (name == "linesize")
        SetLineSize(AttributeValue::Integer(value));
    else if (name == "range")
        SetScrollRange(AttributeValue::Integer(value));
    else if (name == "value")
        SetScrollPos(AttributeValue::Integer(value));
    else if (name == "showbutton1")
        SetShowButton1(AttributeValue::Boolean(value));
    else if (name == "showbutton2")
        SetShowButton2(AttributeValue::Boolean(value));
    else
        CControlUI::ApplyAttribute(name, value);
}

const std::string& CScrollBarUI::ImageFor(const PartImages& images, unsigned state)
{
    if ((state & UISTATE_DISABLED) && !images.disabled.empty())
        return images.disabled;
    if ((state & UISTATE_PUSHED) && !images.pushed.empty())
        return images.pushed;
    if ((state & UISTATE_HOT) && !images.hot.empty())
        return images.hot;
    return images.normal;
}

void CScrollBarUI::PaintStateImage(UIDC& dc)
{
    const unsigned disabled = IsEnabled() ? 0u : UISTATE_DISABLED;
    // The background of the whole bar; the rail colour of the plain look
    // when it has none.
    if (const std::string& bk = ImageFor(bkImages_, barState_ | disabled); !bk.empty())
        CUIPainter::DrawImageDescription(dc, item_, dc.clip, bk);
    else if (bkColour_[0] == 0 && bkImage_.empty())
        CUIPainter::FillColour(dc, item_, railColour);

    if (showButton1_)
        PaintPart(dc, button1_, button1Images_, button1State_ | disabled, Part::Button1);
    if (showButton2_)
        PaintPart(dc, button2_, button2Images_, button2State_ | disabled, Part::Button2);
    if (thumb_.isEmpty() || range_ <= 0)
        return;
    PaintPart(dc, thumb_, thumbImages_, thumbState_ | disabled, Part::Thumb);
    // The rail image lies over the thumb: skins draw the thumb's grip with it.
    if (const std::string& rail = ImageFor(railImages_, thumbState_ | disabled); !rail.empty())
        CUIPainter::DrawImageDescription(dc, item_, dc.clip, rail, DestModifier(thumb_, item_));
}

void CScrollBarUI::PaintPart(UIDC& dc, const Rect& rect, const PartImages& images, unsigned state, Part part)
{
    if (rect.isEmpty())
        return;
    const std::string& image = ImageFor(images, state);
    if (image.empty())
        PaintPlainPart(dc, rect, state, part);
    else
        CUIPainter::DrawImageDescription(dc, item_, dc.clip, image, DestModifier(rect, item_));
}

void CScrollBarUI::PaintPlainPart(UIDC& dc, const Rect& rect, unsigned state, Part part)
{
    if (part == Part::Thumb) {
        const std::uint32_t colour = (state & UISTATE_PUSHED) ? thumbPushedColour
                                     : (state & UISTATE_HOT)  ? thumbHotColour
                                                              : thumbColour;
        // A thumb slimmer than the bar, with a little air at both ends.
        const Rect inner = horizontal_ ? Rect{rect.left + 1, rect.top + 3, rect.right - 1, rect.bottom - 3}
                                       : Rect{rect.left + 3, rect.top + 1, rect.right - 3, rect.bottom - 1};
        if (!(state & UISTATE_DISABLED))
            CUIPainter::FillColour(dc, inner.isEmpty() ? rect : inner, colour);
        return;
    }
    if (!(state & UISTATE_DISABLED)) {
        if (state & UISTATE_PUSHED)
            CUIPainter::FillColour(dc, rect, buttonPushedColour);
        else if (state & UISTATE_HOT)
            CUIPainter::FillColour(dc, rect, buttonHotColour);
    }
    PaintArrow(dc, rect, part == Part::Button2, (state & UISTATE_DISABLED) ? arrowDisabledColour : arrowColour);
}

// A small filled triangle pointing back (up or left) or forward (down or
// right), centred in the button.
void CScrollBarUI::PaintArrow(UIDC& dc, const Rect& rect, bool forward, std::uint32_t colour)
{
    const int side = std::min(rect.width(), rect.height());
    const int half = std::max(1, side / 4);
    const int cx = rect.left + rect.width() / 2;
    const int cy = rect.top + rect.height() / 2;
    for (int row = 0; row < half; ++row) {
        // Row 0 is the tip; each row further is one pixel wider each way.
        const int depth = forward ? half / 2 - row : row - half / 2;
        if (horizontal_)
            CUIPainter::FillColour(dc, Rect{cx + depth, cy - row, cx + depth + 1, cy + row + 1}, colour);
        else
            CUIPainter::FillColour(dc, Rect{cx - row, cy + depth, cx + row + 1, cy + depth + 1}, colour);
    }
}

} // namespace pelmo::ui
