#pragma once

#include "ui/core/CContainerUI.h"

namespace pelmo::ui {

// Stacks its visible children from top to bottom. Children with a height
// (fixed or measured) get it, within their limits; the rest share what is
// left equally, the last of them taking the remainder.
class CVerticalLayoutUI : public CContainerUI {
public:
    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    void SetPos(Rect rect) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;

    // A separator to drag the layout's height by, at the bottom (negative:
    // at the top); kept for the controls that draw and drag it.
    int GetSepHeight() const { return sepHeight_; }
    void SetSepHeight(int height) { sepHeight_ = height; }
    bool IsSepImmediate() const { return sepImmediate_; }
    void SetSepImmediate(bool immediate) { sepImmediate_ = immediate; }

private:
    int sepHeight_ = 0;
    bool sepImmediate_ = false;
};

} // namespace pelmo::ui
