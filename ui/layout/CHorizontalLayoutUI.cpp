#include "ui/layout/CHorizontalLayoutUI.h"

#include "ui/core/AttributeValue.h"
#include "ui/layout/LinearLayout.h"

namespace pelmo::ui {

std::string_view CHorizontalLayoutUI::GetClass() const { return "HorizontalLayoutUI"; }

void* CHorizontalLayoutUI::AsInterface(std::string_view name)
{
    if (name == "HorizontalLayout")
        return static_cast<CHorizontalLayoutUI*>(this);
    return CContainerUI::AsInterface(name);
}

void CHorizontalLayoutUI::SetPos(Rect rect)
{
    CControlUI::SetPos(rect);
    PlaceScrollBars(item_);
    const Rect content = ContentRect();
    const UISize scroll = GetScrollPos();
    std::vector<LinearLayout::Child> children;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = items_[static_cast<std::size_t>(i)];
        if (!child->IsVisible())
            continue;
        if (child->IsFloat()) {
            PlaceFloatingChild(i);
            continue;
        }
        const UISize measured = child->MeasureSize(UISize{content.width(), content.height()});
        const Rect padding = child->GetPadding();
        children.push_back(LinearLayout::Child{child, measured.cx, child->GetMinWidth(), child->GetMaxWidth(),
                                               measured.cy, child->GetMinHeight(), child->GetMaxHeight(), padding.left,
                                               padding.right, padding.top, padding.bottom});
    }
    std::vector<LinearLayout::Placement> placements;
    int tallest = 0;
    const int used = LinearLayout::Arrange(children, content.left - scroll.cx, content.width(),
                                           content.top - scroll.cy, content.height(), childPadding_, placements,
                                           tallest);
    for (std::size_t i = 0; i < children.size(); ++i) {
        const LinearLayout::Placement& at = placements[i];
        children[i].control->SetPos(
            Rect{at.mainStart, at.crossStart, at.mainStart + at.mainSize, at.crossStart + at.crossSize});
    }
    UpdateScrollBars(content, used, tallest);
}

void CHorizontalLayoutUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "sepwidth")
        SetSepWidth(AttributeValue::Integer(value));
    else if (name == "sepimm")
        SetSepImmediate(AttributeValue::Boolean(value));
    else
        CContainerUI::ApplyAttribute(name, value);
}

} // namespace pelmo::ui
