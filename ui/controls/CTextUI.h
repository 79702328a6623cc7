#pragma once

#include <array>
#include <string>
#include <string_view>

#include "ui/controls/CLabelUI.h"

namespace pelmo::ui {

// Text that wraps at word boundaries within a text padding of 2 pixels left
// and right, and whose markup links can be clicked. The links' areas are
// taken while the text paints (up to maxLinks of them); over a link the
// cursor is the hand and the link takes the hovered link colour, and a
// release over link i sends "link" with wParam i.
class CTextUI : public CLabelUI {
public:
    static constexpr int maxLinks = 8;

    CTextUI();

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    // The cursor when enabled with links to point at.
    unsigned ControlFlags() const override;

    int GetLinkCount() const { return linkCount_; }
    // The area (window coordinates) and target of link i as last painted;
    // empty for an index out of range.
    Rect GetLinkRect(int index) const;
    std::string GetLinkText(int index) const;
    int GetHotLink() const { return hotLink_; }

    void HandleEvent(UIEvent& event) override;
    // The height of the text laid out at the larger of the fixed and the
    // available width, plus the top and bottom text padding; a fixed height
    // wins.
    UISize MeasureSize(UISize available) override;
    void PaintText(UIDC& dc) override;

private:
    int LinkAt(platform::Point point) const;

    std::array<Rect, maxLinks> linkRects_{};
    std::array<std::string, maxLinks> linkTexts_{};
    int linkCount_ = 0;
    int hotLink_ = -1;
};

} // namespace pelmo::ui
