#include "ui/layout/CTileLayoutUI.h"

#include <algorithm>
#include <vector>

#include "ui/core/AttributeValue.h"

namespace pelmo::ui {

std::string_view CTileLayoutUI::GetClass() const { return "TileLayoutUI"; }

void* CTileLayoutUI::AsInterface(std::string_view name)
{
    if (name == "TileLayout")
        return static_cast<CTileLayoutUI*>(this);
    return CContainerUI::AsInterface(name);
}

void CTileLayoutUI::SetColumns(int columns)
{
    if (columns <= 0)
        return;
    columns_ = columns;
    RequestLayout();
}

void CTileLayoutUI::SetPos(Rect rect)
{
    CControlUI::SetPos(rect);
    PlaceScrollBars(item_);
    const Rect content = ContentRect();
    const UISize scroll = GetScrollPos();
    const int cellWidth = content.width() / columns_;
    std::vector<CControlUI*> cells;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = items_[static_cast<std::size_t>(i)];
        if (!child->IsVisible())
            continue;
        if (child->IsFloat())
            PlaceFloatingChild(i);
        else
            cells.push_back(child);
    }
    int top = content.top - scroll.cy;
    for (std::size_t row = 0; row * columns_ < cells.size(); ++row) {
        const std::size_t first = row * static_cast<std::size_t>(columns_);
        const std::size_t last = std::min(cells.size(), first + static_cast<std::size_t>(columns_));
        int rowHeight = 0;
        for (std::size_t i = first; i < last; ++i) {
            const Rect padding = cells[i]->GetPadding();
            const int asked = cells[i]->MeasureSize(UISize{cellWidth, content.height()}).cy;
            if (asked > 0)
                rowHeight = std::max(rowHeight, padding.top + asked + padding.bottom);
        }
        if (rowHeight == 0)
            rowHeight = cellWidth;
        for (std::size_t i = first; i < last; ++i) {
            const Rect padding = cells[i]->GetPadding();
            const int left = content.left - scroll.cx + static_cast<int>(i - first) * cellWidth;
            Rect placed{left + padding.left, top + padding.top, left + cellWidth - padding.right,
                        top + rowHeight - padding.bottom};
            placed.right = placed.left + std::clamp(placed.width(), cells[i]->GetMinWidth(),
                                                    std::max(cells[i]->GetMinWidth(), cells[i]->GetMaxWidth()));
            placed.bottom = placed.top + std::clamp(placed.height(), cells[i]->GetMinHeight(),
                                                    std::max(cells[i]->GetMinHeight(), cells[i]->GetMaxHeight()));
            cells[i]->SetPos(placed);
        }
        top += rowHeight + childPadding_;
    }
    const int used = top - childPadding_ - (content.top - scroll.cy);
    UpdateScrollBars(content, 0, std::max(0, used));
}

void CTileLayoutUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "columns")
        SetColumns(AttributeValue::Integer(value));
    else
        CContainerUI::ApplyAttribute(name, value);
}

} // namespace pelmo::ui
