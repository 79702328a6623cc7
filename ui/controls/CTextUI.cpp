#include "ui/controls/CTextUI.h"

#include <algorithm>

#include "platform/graphics/TextLayout.h"
#include "platform/window/WindowSystem.h"
#include "ui/core/CUIManager.h"
#include "ui/painter/CUIPainter.h"

namespace pelmo::ui {

using platform::TextStyle;

namespace {
// The height text is measured in: enough for any text a window shows.
constexpr int measureHeight = 9999;
} // namespace

CTextUI::CTextUI()
{
    textStyle_ = TextStyle::WordBreak;
    textPadding_ = Rect{2, 0, 2, 0};
    singleLine_ = false;
}

std::string_view CTextUI::GetClass() const { return "TextUI"; }

void* CTextUI::AsInterface(std::string_view name)
{
    if (name == "Text")
        return static_cast<CTextUI*>(this);
    return CLabelUI::AsInterface(name);
}

unsigned CTextUI::ControlFlags() const { return IsEnabled() && linkCount_ > 0 ? UIFLAG_SETCURSOR : 0u; }

Rect CTextUI::GetLinkRect(int index) const
{
    return index >= 0 && index < linkCount_ ? linkRects_[static_cast<std::size_t>(index)] : Rect{};
}

std::string CTextUI::GetLinkText(int index) const
{
    return index >= 0 && index < linkCount_ ? linkTexts_[static_cast<std::size_t>(index)] : std::string();
}

int CTextUI::LinkAt(platform::Point point) const
{
    for (int i = 0; i < linkCount_; ++i)
        if (linkRects_[static_cast<std::size_t>(i)].contains(point.x, point.y))
            return i;
    return -1;
}

void CTextUI::HandleEvent(UIEvent& event)
{
    if (!IsMouseEnabled() && IsMouseEvent(event.type)) {
        if (parent_)
            parent_->HandleEvent(event);
        else
            CLabelUI::HandleEvent(event);
        return;
    }
    switch (event.type) {
    case UIEventType::SetCursor:
        if (LinkAt(CursorPoint(event)) >= 0) {
            if (platform::WindowSystem* windows = platform::WindowSystem::current())
                windows->setCursor(platform::CursorShape::Hand);
            return;
        }
        break;
    case UIEventType::ButtonDown:
    case UIEventType::DblClick:
        if (IsEnabled() && LinkAt(event.mouse) >= 0) {
            Invalidate();
            return;
        }
        break;
    case UIEventType::ButtonUp:
        if (IsEnabled()) {
            const int link = LinkAt(event.mouse);
            if (link >= 0) {
                if (manager_)
                    manager_->DispatchNotification(this, "link", static_cast<platform::WParam>(link));
                return;
            }
        }
        break;
    case UIEventType::MouseMove: {
        const int link = LinkAt(event.mouse);
        if (link != hotLink_) {
            hotLink_ = link;
            Invalidate();
        }
        if (link >= 0)
            return;
        break;
    }
    case UIEventType::MouseLeave:
        if (hotLink_ != -1) {
            hotLink_ = -1;
            Invalidate();
        }
        break;
    default:
        break;
    }
    CLabelUI::HandleEvent(event);
}

UISize CTextUI::MeasureSize(UISize available)
{
    if (fixedHeight_ > 0 || !manager_)
        return UISize{fixedWidth_, fixedHeight_};
    const int width = std::max(fixedWidth_, available.cx) - textPadding_.left - textPadding_.right;
    Rect rect{0, 0, std::max(0, width), measureHeight};
    UIDC dc{nullptr, rect, nullptr, &manager_->PaintResources()};
    const unsigned style = textStyle_ | TextStyle::CalcRect;
    if (showHtml_) {
        int links = 0;
        CUIPainter::DrawMarkupText(dc, rect, text_, 0, nullptr, nullptr, links, style);
    } else {
        CUIPainter::DrawText(dc, rect, text_, 0, font_, style);
    }
    return UISize{fixedWidth_, rect.height() + textPadding_.top + textPadding_.bottom};
}

void CTextUI::PaintText(UIDC& dc)
{
    linkCount_ = 0;
    if (text_.empty())
        return;
    Rect rect = TextRect();
    if (showHtml_) {
        int links = maxLinks;
        CUIPainter::DrawMarkupText(dc, rect, text_, TextColourNow(dc), linkRects_.data(), linkTexts_.data(), links,
                                   textStyle_);
        linkCount_ = links;
    } else {
        CUIPainter::DrawText(dc, rect, text_, TextColourNow(dc), font_, textStyle_);
    }
}

} // namespace pelmo::ui

