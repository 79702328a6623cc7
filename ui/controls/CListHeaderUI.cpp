#include "ui/controls/CListHeaderUI.h"

#include <algorithm>

#include "ui/controls/CListHeaderItemUI.h"
#include "ui/core/CUIManager.h"
#include "ui/painter/CUIPainter.h"

namespace pelmo::ui {

namespace {
constexpr int headerMargin = 6;
} // namespace

std::string_view CListHeaderUI::GetClass() const { return "ListHeaderUI"; }

void* CListHeaderUI::AsInterface(std::string_view name)
{
    if (name == "ListHeader")
        return static_cast<CListHeaderUI*>(this);
    return CHorizontalLayoutUI::AsInterface(name);
}

UISize CListHeaderUI::MeasureSize(UISize available)
{
    if (fixedHeight_ > 0 || GetCount() == 0)
        return UISize{fixedWidth_, fixedHeight_};
    int height = manager_ ? manager_->DefaultFontHeight() + headerMargin : 0;
    for (CControlUI* item : items_)
        if (item->IsVisible())
            height = std::max(height, item->MeasureSize(available).cy);
    return UISize{fixedWidth_, height};
}

void CListHeaderUI::PaintBackgroundColour(UIDC& dc)
{
    if (bkColour_[0] != 0 || !bkImage_.empty()) {
        CHorizontalLayoutUI::PaintBackgroundColour(dc);
        return;
    }
    CUIPainter::FillColour(dc, item_, CListHeaderItemUI::plainBackground);
    CUIPainter::FillColour(dc, Rect{item_.left, item_.bottom - 1, item_.right, item_.bottom},
                           CListHeaderItemUI::plainDivider);
}

} // namespace pelmo::ui
