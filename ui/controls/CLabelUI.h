#pragma once

#include <cstdint>
#include <string_view>

#include "ui/core/CControlUI.h"

namespace pelmo::ui {

// A line of text in the control's rectangle, less a text padding: plain text
// in one of the window's fonts, or markup text. The text style holds the
// text-drawing flags (platform::TextStyle); the default is left aligned and
// vertically centred, and a label always draws on one line.
//
// Colours of 0 stand for the window's defaults: its text colour while the
// label is enabled, its disabled text colour otherwise.
class CLabelUI : public CControlUI {
public:
    CLabelUI();

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;

    std::uint32_t GetTextColor() const { return textColour_; }
    void SetTextColor(std::uint32_t colour);
    std::uint32_t GetDisabledTextColor() const { return disabledTextColour_; }
    void SetDisabledTextColor(std::uint32_t colour);
    // An index into the window's font list; -1 (or any index outside the
    // list) is the window's default font.
    int GetFont() const { return font_; }
    void SetFont(int index);
    unsigned GetTextStyle() const { return textStyle_; }
    void SetTextStyle(unsigned style);
    Rect GetTextPadding() const { return textPadding_; }
    void SetTextPadding(const Rect& padding);
    bool IsShowHtml() const { return showHtml_; }
    void SetShowHtml(bool show);

    // Without a fixed height, the default font's height and a margin.
    UISize MeasureSize(UISize available) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void PaintText(UIDC& dc) override;

    // The text style after the alignment words of an `align` value, found
    // anywhere in it and applied in the order left, center, right, top,
    // bottom: each horizontal word replaces the horizontal alignment (and
    // clears bottom alignment), "top" and "bottom" replace the vertical one.
    // Other text is ignored, so "centerwrap" means centre.
    static unsigned ApplyAlignment(unsigned style, std::string_view words);

protected:
    // The colour the text is drawn in now, with the window's defaults
    // standing in for colours of 0.
    virtual std::uint32_t TextColourNow(const UIDC& dc) const;
    // The default font's height plus `margin`, unless a height is fixed.
    int MeasuredHeight(int margin) const;
    Rect TextRect() const;
    // Where the cursor is, in client coordinates: a SetCursor event comes
    // before the move that brought the cursor there, so its mouse point may
    // be the previous one.
    platform::Point CursorPoint(const UIEvent& event) const;
    // Draws an image description string over the control (nothing for an
    // empty one); the modifier overrides keys of its last image.
    void DrawImage(UIDC& dc, std::string_view image, std::string_view modifier = {});

    std::uint32_t textColour_ = 0;
    std::uint32_t disabledTextColour_ = 0;
    int font_ = -1;
    unsigned textStyle_;
    Rect textPadding_;
    bool showHtml_ = false;
    bool singleLine_ = true;
};

} // namespace pelmo::ui
