#include "ui/controls/CSliderUI.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"

namespace pelmo::ui {

namespace {

std::string destModifier(const Rect& rect)
{
    return "dest='" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
           "," + std::to_string(rect.bottom) + "'";
}

int clampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

CSliderUI::CSliderUI() = default;

std::string_view CSliderUI::GetClass() const { return "SliderUI"; }

void* CSliderUI::AsInterface(std::string_view name)
{
    if (name == "Slider")
        return static_cast<CSliderUI*>(this);
    return CProgressUI::AsInterface(name);
}

unsigned CSliderUI::ControlFlags() const { return IsEnabled() ? UIFLAG_SETCURSOR : 0u; }

void CSliderUI::SetThumbSize(UISize size)
{
    thumbSize_ = UISize{std::max(0, size.cx), std::max(0, size.cy)};
    Invalidate();
}

void CSliderUI::SetThumbField(std::string& field, std::string_view image)
{
    if (field == image)
        return;
    field = image;
    Invalidate();
}

void CSliderUI::SetThumbImage(std::string_view image) { SetThumbField(thumbImage_, image); }
void CSliderUI::SetThumbHotImage(std::string_view image) { SetThumbField(thumbHotImage_, image); }
void CSliderUI::SetThumbPushedImage(std::string_view image) { SetThumbField(thumbPushedImage_, image); }

Rect CSliderUI::GetThumbRect()
{
    SettleRange();
    const int width = item_.width();
    const int height = item_.height();
    if (horizontal_) {
        const int left = item_.left + Portion(width - thumbSize_.cx);
        const int top = item_.top + (height - thumbSize_.cy) / 2;
        return Rect{left, top, left + thumbSize_.cx, top + thumbSize_.cy};
    }
    const int bottom = item_.bottom - Portion(height - thumbSize_.cy);
    const int left = item_.left + (width - thumbSize_.cx) / 2;
    return Rect{left, bottom - thumbSize_.cy, left + thumbSize_.cx, bottom};
}

int CSliderUI::ValueAt(platform::Point point)
{
    SettleRange();
    const std::int64_t span = static_cast<std::int64_t>(max_) - min_;
    if (horizontal_) {
        const int half = thumbSize_.cx / 2;
        const std::int64_t track = static_cast<std::int64_t>(item_.width()) - thumbSize_.cx;
        if (point.x >= item_.right - half)
            return max_;
        // A track no longer than the thumb has no inside: both ends meet.
        if (point.x > item_.left + half && track > 0)
            return clampToInt(min_ + (static_cast<std::int64_t>(point.x) - item_.left - half) * span / track);
        return point.x > item_.left + half ? max_ : min_;
    }
    const int half = thumbSize_.cy / 2;
    const std::int64_t track = static_cast<std::int64_t>(item_.height()) - thumbSize_.cy;
    if (point.y >= item_.bottom - half)
        return min_;
    if (point.y > item_.top + half && track > 0)
        return clampToInt(min_ + span * (static_cast<std::int64_t>(item_.bottom) - half - point.y) / track);
    return point.y > item_.top + half ? min_ : max_;
}

void CSliderUI::Notify()
{
    if (manager_)
        manager_->DispatchNotification(this, "valuechanged");
}

void CSliderUI::HandleEvent(UIEvent& event)
{
    if (!IsMouseEnabled() && IsMouseEvent(event.type)) {
        if (parent_)
            parent_->HandleEvent(event);
        else
            CProgressUI::HandleEvent(event);
        return;
    }
    switch (event.type) {
    case UIEventType::ButtonDown:
    case UIEventType::DblClick:
        if (IsEnabled() && GetThumbRect().contains(event.mouse.x, event.mouse.y)) {
            state_ |= UISTATE_CAPTURED;
            Invalidate();
        }
        return;
    case UIEventType::MouseMove:
        if (state_ & UISTATE_CAPTURED)
            SetValue(ValueAt(event.mouse));
        return;
    case UIEventType::ButtonUp:
        if (!IsEnabled()) {
            state_ &= ~UISTATE_CAPTURED;
            return;
        }
        state_ &= ~UISTATE_CAPTURED;
        SetValue(ValueAt(event.mouse));
        Invalidate();
        Notify();
        return;
    case UIEventType::ScrollWheel: {
        if (!IsEnabled())
            break;
        SettleRange();
        const bool towardsUser = platform::lowWord(event.wParam) != 0;
        const std::int64_t step = towardsUser ? -static_cast<std::int64_t>(step_) : step_;
        const std::int64_t moved = static_cast<std::int64_t>(value_) + step;
        SetValue(static_cast<int>(std::clamp<std::int64_t>(moved, min_, max_)));
        Notify();
        return;
    }
    case UIEventType::SetCursor: {
        const platform::Point cursor = CursorPoint(event);
        if (IsEnabled() && GetThumbRect().contains(cursor.x, cursor.y)) {
            if (platform::WindowSystem* windows = platform::WindowSystem::current())
                windows->setCursor(platform::CursorShape::Hand);
            return;
        }
        break;
    }
    case UIEventType::MouseEnter:
        if (IsEnabled()) {
            state_ |= UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEventType::MouseLeave:
        state_ &= ~UISTATE_HOT;
        Invalidate();
        return;
    default:
        break;
    }
    CProgressUI::HandleEvent(event);
}

void CSliderUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "thumbimage") {
        SetThumbImage(value);
    } else if (name == "thumbhotimage") {
        SetThumbHotImage(value);
    } else if (name == "thumbpushedimage") {
        SetThumbPushedImage(value);
    } else if (name == "thumbsize") {
        const AttributeValue::Pair pair = AttributeValue::ReadPair(value);
        SetThumbSize(UISize{pair.cx, pair.cy});
    } else if (name == "step") {
        SetChangeStep(AttributeValue::Integer(value));
    } else {
        CProgressUI::ApplyAttribute(name, value);
    }
}

void CSliderUI::PaintStateImage(UIDC& dc)
{
    CProgressUI::PaintStateImage(dc);
    state_ = IsEnabled() ? state_ & ~UISTATE_DISABLED : state_ | UISTATE_DISABLED;
    const std::string* image = &thumbImage_;
    if ((state_ & UISTATE_CAPTURED) && !thumbPushedImage_.empty())
        image = &thumbPushedImage_;
    else if ((state_ & UISTATE_HOT) && !thumbHotImage_.empty())
        image = &thumbHotImage_;
    const Rect thumb = GetThumbRect().offset(-item_.left, -item_.top);
    DrawImage(dc, *image, destModifier(thumb));
}

} // namespace pelmo::ui
