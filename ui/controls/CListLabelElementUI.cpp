#include "ui/controls/CListLabelElementUI.h"

#include "platform/graphics/Font.h"
#include "ui/controls/ControlState.h"
#include "ui/core/CUIManager.h"

namespace pelmo::ui {

namespace {
constexpr int itemMargin = 8;
} // namespace

std::string_view CListLabelElementUI::GetClass() const { return "ListLabelElementUI"; }

void* CListLabelElementUI::AsInterface(std::string_view name)
{
    if (name == "ListLabelElement")
        return static_cast<CListLabelElementUI*>(this);
    return CListElementUI::AsInterface(name);
}

void CListLabelElementUI::HandleEvent(UIEvent& event)
{
    if (!mouseEnabled_ && IsMouseEvent(event.type)) {
        CListElementUI::HandleEvent(event);
        return;
    }
    switch (event.type) {
    case UIEventType::ButtonDown:
    case UIEventType::RButtonDown:
        if (IsEnabled()) {
            const std::weak_ptr<bool> alive = life_;
            if (manager_)
                manager_->DispatchNotification(this, "itemclick");
            if (alive.expired())
                return;
            Select();
            Invalidate();
        }
        return;
    case UIEventType::MouseMove:
    case UIEventType::ButtonUp:
        return;
    case UIEventType::MouseEnter:
        if (IsEnabled()) {
            state_ |= UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEventType::MouseLeave:
        if (state_ & UISTATE_HOT) {
            state_ &= ~UISTATE_HOT;
            Invalidate();
        }
        return;
    default:
        break;
    }
    CListElementUI::HandleEvent(event);
}

UISize CListLabelElementUI::MeasureSize(UISize)
{
    if (fixedHeight_ > 0 || !manager_)
        return UISize{fixedWidth_, fixedHeight_};
    const ListItemSettings& settings = Settings();
    return UISize{fixedWidth_, manager_->GetFont(settings.font).metrics().height + itemMargin +
                                   settings.textPadding.top + settings.textPadding.bottom};
}

void CListLabelElementUI::DrawItemText(UIDC& dc, const Rect& rect) { Settings().PaintText(dc, rect, text_, ItemState()); }

} // namespace pelmo::ui
