#pragma once

#include "ui/controls/CListElementUI.h"

namespace pelmo::ui {

// A list item showing its text. A left or right press on it sends
// "itemclick" and then selects it.
class CListLabelElementUI : public CListElementUI {
public:
    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;

    void HandleEvent(UIEvent& event) override;
    // Without a fixed height: the item font's height, a margin and the
    // item text padding.
    UISize MeasureSize(UISize available) override;
    void DrawItemText(UIDC& dc, const Rect& rect) override;
};

} // namespace pelmo::ui
