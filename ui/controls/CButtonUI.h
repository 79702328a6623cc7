#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ui/controls/CLabelUI.h"
#include "ui/controls/ControlState.h"

namespace pelmo::ui {

// A push button: a label with an image per state and text colours for the
// hot, pushed and focused states. A press on the button followed by a
// release inside it, Space or Return while it has the focus, or its Alt
// shortcut activates it, which sends "click".
//
// It draws the image of its first active state in the order disabled,
// pushed, hot, focused when that image is set, and its normal image
// otherwise.
class CButtonUI : public CLabelUI {
public:
    CButtonUI();
    ~CButtonUI() override;

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    // The Tab key and the cursor when enabled; the Tab key only otherwise.
    unsigned ControlFlags() const override;
    // Sends "click" when the button is visible and enabled.
    bool Activate() override;

    unsigned GetState() const { return state_; }

    const std::string& GetNormalImage() const { return normalImage_; }
    void SetNormalImage(std::string_view image);
    const std::string& GetHotImage() const { return hotImage_; }
    void SetHotImage(std::string_view image);
    const std::string& GetPushedImage() const { return pushedImage_; }
    void SetPushedImage(std::string_view image);
    const std::string& GetFocusedImage() const { return focusedImage_; }
    void SetFocusedImage(std::string_view image);
    const std::string& GetDisabledImage() const { return disabledImage_; }
    void SetDisabledImage(std::string_view image);
    std::uint32_t GetHotTextColor() const { return hotTextColour_; }
    void SetHotTextColor(std::uint32_t colour);
    std::uint32_t GetPushedTextColor() const { return pushedTextColour_; }
    void SetPushedTextColor(std::uint32_t colour);
    std::uint32_t GetFocusedTextColor() const { return focusedTextColour_; }
    void SetFocusedTextColor(std::uint32_t colour);

    void HandleEvent(UIEvent& event) override;
    UISize MeasureSize(UISize available) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void PaintStateImage(UIDC& dc) override;

protected:
    std::uint32_t TextColourNow(const UIDC& dc) const override;
    // Takes the focused and disabled bits from the control.
    void RefreshState();
    void SetStateImage(std::string& field, std::string_view image);

    unsigned state_ = 0;
    std::string normalImage_;
    std::string hotImage_;
    std::string pushedImage_;
    std::string focusedImage_;
    std::string disabledImage_;
    std::uint32_t hotTextColour_ = 0;
    std::uint32_t pushedTextColour_ = 0;
    std::uint32_t focusedTextColour_ = 0;
    // Expires when the button is destroyed, so that code running after a
    // notification (whose listeners may destroy the window) can tell.
    std::shared_ptr<bool> life_ = std::make_shared<bool>(true);
};

} // namespace pelmo::ui
