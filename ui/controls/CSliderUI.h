#pragma once

#include <string>
#include <string_view>

#include "ui/controls/CProgressUI.h"
#include "ui/controls/ControlState.h"

namespace pelmo::ui {

// A progress bar with a thumb the user moves. Pressing on the thumb starts
// a drag that follows the mouse without notifying; the release (anywhere,
// also after a press beside the thumb, which makes a click jump there) sets
// the value from the release position and sends "valuechanged". The wheel
// moves the value by the step, away from the user up and towards the user
// down, clamped to the range, and sends "valuechanged" even when the value
// could not move. Values set by the program send nothing.
class CSliderUI : public CProgressUI {
public:
    CSliderUI();

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    // The cursor only, when enabled.
    unsigned ControlFlags() const override;

    unsigned GetState() const { return state_; }
    int GetChangeStep() const { return step_; }
    void SetChangeStep(int step) { step_ = step; }
    UISize GetThumbSize() const { return thumbSize_; }
    void SetThumbSize(UISize size);
    const std::string& GetThumbImage() const { return thumbImage_; }
    void SetThumbImage(std::string_view image);
    const std::string& GetThumbHotImage() const { return thumbHotImage_; }
    void SetThumbHotImage(std::string_view image);
    const std::string& GetThumbPushedImage() const { return thumbPushedImage_; }
    void SetThumbPushedImage(std::string_view image);

    // The thumb's rectangle in window coordinates for the current value.
    Rect GetThumbRect();
    // The value a mouse position stands for: the ends of the track (half a
    // thumb in from each edge) give the minimum and the maximum, points
    // between them the proportional value, truncated.
    int ValueAt(platform::Point point);

    void HandleEvent(UIEvent& event) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void PaintStateImage(UIDC& dc) override;

private:
    void SetThumbField(std::string& field, std::string_view image);
    void Notify();

    unsigned state_ = 0;
    int step_ = 1;
    UISize thumbSize_{10, 10};
    std::string thumbImage_;
    std::string thumbHotImage_;
    std::string thumbPushedImage_;
};

} // namespace pelmo::ui
