#include "ui/layout/CVerticalLayoutUI.h"

#include "ui/core/AttributeValue.h"
#include "ui/layout/LinearLayout.h"

namespace pelmo::ui {

std::string_view CVerticalLayoutUI::GetClass() const { return "VerticalLayoutUI"; }

void* CVerticalLayoutUI::AsInterface(std::string_view name)
{
    if (name == "VerticalLayout")
        return static_cast<CVerticalLayoutUI*>(this);
    return CContainerUI::AsInterface(name);
}

void CVerticalLayoutUI::SetPos(Rect rect)
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
        children.push_back(LinearLayout::Child{child, measured.cy, child->GetMinHeight(), child->GetMaxHeight(),
                                               measured.cx, child->GetMinWidth(), child->GetMaxWidth(), padding.top,
                                               padding.bottom, padding.left, padding.right});
    }
    std::vector<LinearLayout::Placement> placements;
    int widest = 0;
    const int used = LinearLayout::Arrange(children, content.top - scroll.cy, content.height(),
                                           content.left - scroll.cx, content.width(), childPadding_, placements,
                                           widest);
    for (std::size_t i = 0; i < children.size(); ++i) {
        const LinearLayout::Placement& at = placements[i];
        children[i].control->SetPos(
            Rect{at.crossStart, at.mainStart, at.crossStart + at.crossSize, at.mainStart + at.mainSize});
    }
    UpdateScrollBars(content, widest, used);
}

void CVerticalLayoutUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "sepheight")
        SetSepHeight(AttributeValue::Integer(value));
    else if (name == "sepimm")
        SetSepImmediate(AttributeValue::Boolean(value));
    else
        CContainerUI::ApplyAttribute(name, value);
}

} // namespace pelmo::ui
