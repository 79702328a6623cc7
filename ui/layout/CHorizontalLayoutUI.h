#pragma once

#include "ui/core/CContainerUI.h"

namespace pelmo::ui {

// Places its visible children from left to right, sharing the width as the
// vertical layout shares the height.
class CHorizontalLayoutUI : public CContainerUI {
public:
    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    void SetPos(Rect rect) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;

    int GetSepWidth() const { return sepWidth_; }
    void SetSepWidth(int width) { sepWidth_ = width; }
    bool IsSepImmediate() const { return sepImmediate_; }
    void SetSepImmediate(bool immediate) { sepImmediate_ = immediate; }

private:
    int sepWidth_ = 0;
    bool sepImmediate_ = false;
};

} // namespace pelmo::ui
