#pragma once

#include "ui/layout/CHorizontalLayoutUI.h"

namespace pelmo::ui {

// The row of column headings above a list's body. Its items' places are the
// columns the list's text items draw in.
class CListHeaderUI : public CHorizontalLayoutUI {
public:
    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    // Without a fixed height: as tall as its tallest heading, at least the
    // default font's height and a margin; nothing at all without headings.
    UISize MeasureSize(UISize available) override;
    // Without a colour or image of its own, the plain look of the headings
    // continues past the last one.
    void PaintBackgroundColour(UIDC& dc) override;
};

} // namespace pelmo::ui
