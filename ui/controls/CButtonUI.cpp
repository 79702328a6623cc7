#include "ui/controls/CButtonUI.h"

#include "platform/graphics/TextLayout.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"

namespace pelmo::ui {

using platform::TextStyle;

namespace {
constexpr int buttonMargin = 8;
} // namespace

CButtonUI::CButtonUI() { textStyle_ = TextStyle::Center | TextStyle::VCenter | TextStyle::SingleLine; }

CButtonUI::~CButtonUI() = default;

std::string_view CButtonUI::GetClass() const { return "ButtonUI"; }

void* CButtonUI::AsInterface(std::string_view name)
{
    if (name == "Button")
        return static_cast<CButtonUI*>(this);
    return CLabelUI::AsInterface(name);
}

unsigned CButtonUI::ControlFlags() const { return IsEnabled() ? UIFLAG_TABSTOP | UIFLAG_SETCURSOR : UIFLAG_TABSTOP; }

bool CButtonUI::Activate()
{
    if (!CControlUI::Activate())
        return false;
    if (manager_)
        manager_->DispatchNotification(this, "click");
    return true;
}

void CButtonUI::HandleEvent(UIEvent& event)
{
    if (!IsMouseEnabled() && IsMouseEvent(event.type)) {
        if (parent_)
            parent_->HandleEvent(event);
        else
            CLabelUI::HandleEvent(event);
        return;
    }
    const bool inside = item_.contains(event.mouse.x, event.mouse.y);
    switch (event.type) {
    case UIEventType::SetFocus:
    case UIEventType::KillFocus:
        CLabelUI::HandleEvent(event);
        return;
    case UIEventType::KeyDown:
        if (event.key == platform::VK_SPACE || event.key == platform::VK_RETURN) {
            Activate();
            return;
        }
        break;
    case UIEventType::ButtonDown:
    case UIEventType::DblClick:
        if (inside && IsEnabled()) {
            state_ |= UISTATE_PUSHED | UISTATE_CAPTURED;
            Invalidate();
        }
        return;
    case UIEventType::MouseMove:
        if (state_ & UISTATE_CAPTURED) {
            const unsigned old = state_;
            if (inside)
                state_ |= UISTATE_PUSHED;
            else
                state_ &= ~UISTATE_PUSHED;
            if (state_ != old)
                Invalidate();
        }
        return;
    case UIEventType::ButtonUp:
        if (state_ & UISTATE_CAPTURED) {
            // The state is settled before the click goes out: a listener
            // may destroy the button.
            state_ &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
            Invalidate();
            if (inside)
                Activate();
        }
        return;
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
    case UIEventType::SetCursor:
        if (platform::WindowSystem* windows = platform::WindowSystem::current())
            windows->setCursor(platform::CursorShape::Hand);
        return;
    default:
        break;
    }
    CLabelUI::HandleEvent(event);
}

UISize CButtonUI::MeasureSize(UISize) { return UISize{fixedWidth_, MeasuredHeight(buttonMargin)}; }

void CButtonUI::SetStateImage(std::string& field, std::string_view image)
{
    if (field == image)
        return;
    field = image;
    Invalidate();
}

void CButtonUI::SetNormalImage(std::string_view image) { SetStateImage(normalImage_, image); }
void CButtonUI::SetHotImage(std::string_view image) { SetStateImage(hotImage_, image); }
void CButtonUI::SetPushedImage(std::string_view image) { SetStateImage(pushedImage_, image); }
void CButtonUI::SetFocusedImage(std::string_view image) { SetStateImage(focusedImage_, image); }
void CButtonUI::SetDisabledImage(std::string_view image) { SetStateImage(disabledImage_, image); }

void CButtonUI::SetHotTextColor(std::uint32_t colour)
{
    hotTextColour_ = colour;
    Invalidate();
}

void CButtonUI::SetPushedTextColor(std::uint32_t colour)
{
    pushedTextColour_ = colour;
    Invalidate();
}

void CButtonUI::SetFocusedTextColor(std::uint32_t colour)
{
    focusedTextColour_ = colour;
    Invalidate();
}

void CButtonUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "normalimage")
        SetNormalImage(value);
    else if (name == "hotimage")
        SetHotImage(value);
    else if (name == "pushedimage")
        SetPushedImage(value);
    else if (name == "focusedimage")
        SetFocusedImage(value);
    else if (name == "disabledimage")
        SetDisabledImage(value);
    else if (name == "hottextcolor")
        SetHotTextColor(AttributeValue::Colour(value));
    else if (name == "pushedtextcolor")
        SetPushedTextColor(AttributeValue::Colour(value));
    else if (name == "focusedtextcolor")
        SetFocusedTextColor(AttributeValue::Colour(value));
    else
        CLabelUI::ApplyAttribute(name, value);
}

void CButtonUI::RefreshState()
{
    state_ = IsFocused() ? state_ | UISTATE_FOCUSED : state_ & ~UISTATE_FOCUSED;
    state_ = IsEnabled() ? state_ & ~UISTATE_DISABLED : state_ | UISTATE_DISABLED;
}

void CButtonUI::PaintStateImage(UIDC& dc)
{
    RefreshState();
    const std::string* image = nullptr;
    if (state_ & UISTATE_DISABLED)
        image = &disabledImage_;
    else if (state_ & UISTATE_PUSHED)
        image = &pushedImage_;
    else if (state_ & UISTATE_HOT)
        image = &hotImage_;
    else if (state_ & UISTATE_FOCUSED)
        image = &focusedImage_;
    if (!image || image->empty())
        image = &normalImage_;
    DrawImage(dc, *image);
}

std::uint32_t CButtonUI::TextColourNow(const UIDC& dc) const
{
    if ((state_ & UISTATE_PUSHED) && pushedTextColour_ != 0)
        return pushedTextColour_;
    if ((state_ & UISTATE_HOT) && hotTextColour_ != 0)
        return hotTextColour_;
    if ((state_ & UISTATE_FOCUSED) && focusedTextColour_ != 0)
        return focusedTextColour_;
    return CLabelUI::TextColourNow(dc);
}

} // namespace pelmo::ui
