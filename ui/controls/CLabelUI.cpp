#include "ui/controls/CLabelUI.h"

#include "platform/graphics/TextLayout.h"
#include "platform/window/WindowSystem.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"
#include "ui/painter/CUIPainter.h"
#include "ui/painter/UIPaintResources.h"

namespace pelmo::ui {

using platform::TextStyle;

namespace {
constexpr int labelMargin = 4;
} // namespace

CLabelUI::CLabelUI() : textStyle_(TextStyle::VCenter) {}

std::string_view CLabelUI::GetClass() const { return "LabelUI"; }

void* CLabelUI::AsInterface(std::string_view name)
{
    if (name == "Label")
        return static_cast<CLabelUI*>(this);
    return CControlUI::AsInterface(name);
}

void CLabelUI::SetTextColor(std::uint32_t colour)
{
    textColour_ = colour;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(std::uint32_t colour)
{
    disabledTextColour_ = colour;
    Invalidate();
}

void CLabelUI::SetFont(int index)
{
    font_ = index;
    Invalidate();
}

void CLabelUI::SetTextStyle(unsigned style)
{
    textStyle_ = style;
    Invalidate();
}

void CLabelUI::SetTextPadding(const Rect& padding)
{
    textPadding_ = padding;
    Invalidate();
}

void CLabelUI::SetShowHtml(bool show)
{
    if (showHtml_ == show)
        return;
    showHtml_ = show;
    Invalidate();
}

unsigned CLabelUI::ApplyAlignment(unsigned style, std::string_view words)
{
    auto has = [words](std::string_view word) { return words.find(word) != std::string_view::npos; };
    if (has("left"))
        style &= ~(TextStyle::Center | TextStyle::Right | TextStyle::Bottom);
    if (has("center")) {
        style &= ~(TextStyle::Right | TextStyle::Bottom);
        style |= TextStyle::Center;
    }
    if (has("right")) {
        style &= ~(TextStyle::Center | TextStyle::Bottom);
        style |= TextStyle::Right;
    }
    // The vertical words leave the horizontal alignment alone, so that
    // "right top" and "right bottom" keep their text on the right.
    if (has("top"))
        style &= ~(TextStyle::VCenter | TextStyle::Bottom);
    if (has("bottom")) {
        style &= ~TextStyle::VCenter;
        style |= TextStyle::Bottom;
    }
    return style;
}

void CLabelUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "align") {
        SetTextStyle(ApplyAlignment(textStyle_, value));
    } else if (name == "endellipsis") {
        SetTextStyle(AttributeValue::Boolean(value) ? textStyle_ | TextStyle::EndEllipsis
                                                    : textStyle_ & ~TextStyle::EndEllipsis);
    } else if (name == "font") {
        SetFont(AttributeValue::Integer(value));
    } else if (name == "textcolor") {
        SetTextColor(AttributeValue::Colour(value));
    } else if (name == "disabledtextcolor") {
        SetDisabledTextColor(AttributeValue::Colour(value));
    } else if (name == "textpadding") {
        SetTextPadding(AttributeValue::ReadRect(value));
    } else if (name == "showhtml") {
        SetShowHtml(AttributeValue::Boolean(value));
    } else {
        CControlUI::ApplyAttribute(name, value);
    }
}

int CLabelUI::MeasuredHeight(int margin) const
{
    if (fixedHeight_ > 0)
        return fixedHeight_;
    return (manager_ ? manager_->DefaultFontHeight() : 0) + margin;
}

UISize CLabelUI::MeasureSize(UISize) { return UISize{fixedWidth_, MeasuredHeight(labelMargin)}; }

Rect CLabelUI::TextRect() const
{
    return Rect{item_.left + textPadding_.left, item_.top + textPadding_.top, item_.right - textPadding_.right,
                item_.bottom - textPadding_.bottom};
}

platform::Point CLabelUI::CursorPoint(const UIEvent& event) const
{
    platform::WindowSystem* windows = platform::WindowSystem::current();
    if (!windows || !manager_ || manager_->GetPaintWindow() == platform::NoWindow)
        return event.mouse;
    return windows->screenToClient(manager_->GetPaintWindow(), windows->cursorPos());
}

std::uint32_t CLabelUI::TextColourNow(const UIDC& dc) const
{
    if (IsEnabled())
        return textColour_ != 0 ? textColour_ : (dc.resources ? dc.resources->textColour : 0xFF000000u);
    return disabledTextColour_ != 0 ? disabledTextColour_
                                    : (dc.resources ? dc.resources->disabledTextColour : 0xFFA7A6AAu);
}

void CLabelUI::PaintText(UIDC& dc)
{
    if (text_.empty())
        return;
    Rect rect = TextRect();
    const unsigned style = textStyle_ | (singleLine_ ? TextStyle::SingleLine : 0u);
    if (showHtml_) {
        int links = 0;
        CUIPainter::DrawMarkupText(dc, rect, text_, TextColourNow(dc), nullptr, nullptr, links, style);
    } else {
        CUIPainter::DrawText(dc, rect, text_, TextColourNow(dc), font_, style);
    }
}

void CLabelUI::DrawImage(UIDC& dc, std::string_view image, std::string_view modifier)
{
    if (!image.empty())
        CUIPainter::DrawImageDescription(dc, item_, dc.clip, image, modifier);
}

} // namespace pelmo::ui
