#pragma once

#include <cstdint>
#include <string>

#include "ui/core/CControlUI.h"

namespace pelmo::ui {

// One column heading of a list: its text, images per state and a separator
// at its right edge (left for a negative width) by which a draggable item
// is resized. A click on it sends "headerclick". Without images it draws a
// plain light heading with a divider.
class CListHeaderItemUI : public CControlUI {
public:
    // The plain look's background and divider (the header continues it).
    static constexpr std::uint32_t plainBackground = 0xFFF5F6F8;
    static constexpr std::uint32_t plainDivider = 0xFFD0D3D8;

    CListHeaderItemUI();

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    unsigned ControlFlags() const override;

    bool IsDragable() const { return dragable_; }
    void SetDragable(bool dragable) { dragable_ = dragable; }
    int GetSepWidth() const { return sepWidth_; }
    void SetSepWidth(int width) { sepWidth_ = width; }
    unsigned GetTextStyle() const { return textStyle_; }
    void SetTextStyle(unsigned style);
    void SetTextColor(std::uint32_t colour);
    void SetFont(int index);
    void SetTextPadding(const Rect& padding);
    void SetShowHtml(bool show);

    void HandleEvent(UIEvent& event) override;
    // Without a fixed height: the default font's height and a margin.
    UISize MeasureSize(UISize available) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void PaintStateImage(UIDC& dc) override;
    void PaintText(UIDC& dc) override;

private:
    Rect SeparatorRect() const;
    void DrawImage(UIDC& dc, const std::string& image, std::string_view modifier = {});

    bool dragable_ = true;
    int sepWidth_ = 4;
    unsigned textStyle_;
    std::uint32_t textColour_ = 0;
    int font_ = -1;
    Rect textPadding_;
    bool showHtml_ = false;
    std::string normalImage_;
    std::string hotImage_;
    std::string pushedImage_;
    std::string focusedImage_;
    std::string sepImage_;
    unsigned state_ = 0;
    platform::Point lastMouse_;
};

} // namespace pelmo::ui
