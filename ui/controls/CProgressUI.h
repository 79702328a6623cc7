#pragma once

#include <string>
#include <string_view>

#include "ui/controls/CLabelUI.h"

namespace pelmo::ui {

// A bar that fills with its fore image in proportion to a value within a
// range: from the left when horizontal, from the bottom when vertical. The
// range and the value are settled when the bar paints: a maximum not above
// the minimum becomes the minimum plus one, and the value is clamped into
// the range and kept so. A new bar is 12 pixels high.
class CProgressUI : public CLabelUI {
public:
    CProgressUI();

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;

    bool IsHorizontal() const { return horizontal_; }
    void SetHorizontal(bool horizontal = true);
    int GetMinValue() const { return min_; }
    void SetMinValue(int value);
    int GetMaxValue() const { return max_; }
    void SetMaxValue(int value);
    int GetValue() const { return value_; }
    // Stores the value and repaints; sends nothing.
    void SetValue(int value);
    const std::string& GetFillImage() const { return foreImage_; }
    void SetFillImage(std::string_view image);

    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void PaintStateImage(UIDC& dc) override;

protected:
    // Applies the painting rule for the range and the value.
    void SettleRange();
    // The part `length` * (value - min) / (max - min) of a length, for a
    // settled range.
    int Portion(int length) const;

    bool horizontal_ = true;
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    std::string foreImage_;
};

} // namespace pelmo::ui
