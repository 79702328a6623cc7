#include "ui/controls/CListHeaderItemUI.h"

#include <algorithm>

#include "platform/graphics/TextLayout.h"
#include "platform/window/WindowSystem.h"
#include "ui/controls/CLabelUI.h"
#include "ui/controls/ControlState.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"
#include "ui/painter/CUIPainter.h"

namespace pelmo::ui {

using platform::TextStyle;

namespace {
constexpr int headerMargin = 14;
constexpr int minimumWidth = 16;
constexpr std::uint32_t plainHot = 0xFFE8F0FA;
constexpr std::uint32_t plainPushed = 0xFFD8E4F3;
} // namespace

CListHeaderItemUI::CListHeaderItemUI()
    : textStyle_(TextStyle::Center | TextStyle::VCenter | TextStyle::SingleLine)
{
}

std::string_view CListHeaderItemUI::GetClass() const { return "ListHeaderItemUI"; }

void* CListHeaderItemUI::AsInterface(std::string_view name)
{
    if (name == "ListHeaderItem")
        return static_cast<CListHeaderItemUI*>(this);
    return CControlUI::AsInterface(name);
}

unsigned CListHeaderItemUI::ControlFlags() const
{
    return IsEnabled() && sepWidth_ != 0 && dragable_ ? UIFLAG_SETCURSOR : 0u;
}

void CListHeaderItemUI::SetTextStyle(unsigned style)
{
    textStyle_ = style;
    Invalidate();
}

void CListHeaderItemUI::SetTextColor(std::uint32_t colour)
{
    textColour_ = colour;
    Invalidate();
}

void CListHeaderItemUI::SetFont(int index)
{
    font_ = index;
    Invalidate();
}

void CListHeaderItemUI::SetTextPadding(const Rect& padding)
{
    textPadding_ = padding;
    Invalidate();
}

void CListHeaderItemUI::SetShowHtml(bool show)
{
    showHtml_ = show;
    Invalidate();
}

Rect CListHeaderItemUI::SeparatorRect() const
{
    if (sepWidth_ >= 0)
        return Rect{item_.right - sepWidth_, item_.top, item_.right, item_.bottom};
    return Rect{item_.left, item_.top, item_.left - sepWidth_, item_.bottom};
}

void CListHeaderItemUI::HandleEvent(UIEvent& event)
{
    if (!mouseEnabled_ && IsMouseEvent(event.type)) {
        CControlUI::HandleEvent(event);
        return;
    }
    const bool onSeparator = dragable_ && SeparatorRect().contains(event.mouse.x, event.mouse.y);
    switch (event.type) {
    case UIEventType::SetCursor:
        if (platform::WindowSystem* windows = platform::WindowSystem::current())
            windows->setCursor(onSeparator ? platform::CursorShape::SizeWE : platform::CursorShape::Arrow);
        return;
    case UIEventType::ButtonDown:
    case UIEventType::DblClick:
        if (!IsEnabled())
            return;
        if (onSeparator) {
            state_ |= UISTATE_CAPTURED;
            lastMouse_ = event.mouse;
        } else {
            state_ |= UISTATE_PUSHED;
        }
        Invalidate();
        return;
    case UIEventType::ButtonUp:
        if (state_ & UISTATE_CAPTURED) {
            state_ &= ~UISTATE_CAPTURED;
        } else if (state_ & UISTATE_PUSHED) {
            state_ &= ~UISTATE_PUSHED;
            Invalidate();
            if (item_.contains(event.mouse.x, event.mouse.y) && manager_)
                manager_->DispatchNotification(this, "headerclick");
        }
        return;
    case UIEventType::MouseMove:
        if (state_ & UISTATE_CAPTURED) {
            // The separator follows the pointer; the column never vanishes.
            const int moved = event.mouse.x - lastMouse_.x;
            const int width = std::max(minimumWidth, item_.width() + (sepWidth_ >= 0 ? moved : -moved));
            if (width != item_.width()) {
                lastMouse_ = event.mouse;
                SetFixedWidth(width);
            }
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
    default:
        break;
    }
    CControlUI::HandleEvent(event);
}

UISize CListHeaderItemUI::MeasureSize(UISize)
{
    if (fixedHeight_ > 0 || !manager_)
        return UISize{fixedWidth_, fixedHeight_};
    return UISize{fixedWidth_, manager_->DefaultFontHeight() + headerMargin};
}

void CListHeaderItemUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "dragable")
        SetDragable(AttributeValue::Boolean(value));
    else if (name == "sepwidth")
        SetSepWidth(AttributeValue::Integer(value));
    else if (name == "align")
        SetTextStyle(CLabelUI::ApplyAlignment(textStyle_, value));
    else if (name == "endellipsis")
        SetTextStyle(AttributeValue::Boolean(value) ? textStyle_ | TextStyle::EndEllipsis
                                                    : textStyle_ & ~TextStyle::EndEllipsis);
    else if (name == "font")
        SetFont(AttributeValue::Integer(value));
    else if (name == "textcolor")
        SetTextColor(AttributeValue::Colour(value));
    else if (name == "textpadding")
        SetTextPadding(AttributeValue::ReadRect(value));
    else if (name == "showhtml")
        SetShowHtml(AttributeValue::Boolean(value));
    else if (name == "normalimage")
        normalImage_ = value;
    else if (name == "hotimage")
        hotImage_ = value;
    else if (name == "pushedimage")
        pushedImage_ = value;
    else if (name == "focusedimage")
        focusedImage_ = value;
    else if (name == "sepimage")
        sepImage_ = value;
    else
        CControlUI::ApplyAttribute(name, value);
}

void CListHeaderItemUI::DrawImage(UIDC& dc, const std::string& image, std::string_view modifier)
{
    CUIPainter::DrawImageDescription(dc, item_, dc.clip, image, modifier);
}

void CListHeaderItemUI::PaintStateImage(UIDC& dc)
{
    const std::string* image = &normalImage_;
    if ((state_ & UISTATE_PUSHED) && !pushedImage_.empty())
        image = &pushedImage_;
    else if ((state_ & UISTATE_HOT) && !hotImage_.empty())
        image = &hotImage_;
    else if (IsFocused() && !focusedImage_.empty())
        image = &focusedImage_;
    if (!image->empty()) {
        DrawImage(dc, *image);
    } else if (bkColour_[0] == 0 && bkImage_.empty()) {
        const std::uint32_t colour = (state_ & UISTATE_PUSHED) ? plainPushed
                                     : (state_ & UISTATE_HOT)  ? plainHot
                                                               : plainBackground;
        CUIPainter::FillColour(dc, item_, colour);
        CUIPainter::FillColour(dc, Rect{item_.left, item_.bottom - 1, item_.right, item_.bottom}, plainDivider);
    }
    const Rect separator = SeparatorRect();
    if (!sepImage_.empty()) {
        const std::string dest = "dest='" + std::to_string(separator.left - item_.left) + ",0," +
                                 std::to_string(separator.right - item_.left) + "," +
                                 std::to_string(item_.height()) + "'";
        DrawImage(dc, sepImage_, dest);
    } else if (image->empty()) {
        const int x = sepWidth_ >= 0 ? item_.right - 1 : item_.left;
        CUIPainter::FillColour(dc, Rect{x, item_.top + 4, x + 1, item_.bottom - 4}, plainDivider);
    }
}

void CListHeaderItemUI::PaintText(UIDC& dc)
{
    if (text_.empty())
        return;
    Rect rect{item_.left + textPadding_.left, item_.top + textPadding_.top, item_.right - textPadding_.right,
              item_.bottom - textPadding_.bottom};
    const std::uint32_t colour =
        textColour_ != 0 ? textColour_ : (dc.resources ? dc.resources->textColour : 0xFF000000u);
    if (showHtml_) {
        int links = 0;
        CUIPainter::DrawMarkupText(dc, rect, text_, colour, nullptr, nullptr, links, textStyle_);
    } else {
        CUIPainter::DrawText(dc, rect, text_, colour, font_, textStyle_);
    }
}

} // namespace pelmo::ui
