#pragma once

#include <cstdint>
#include <string>

#include "ui/core/CControlUI.h"
#include "ui/core/IScrollBarUI.h"

namespace pelmo::ui {

class CContainerUI;

// A horizontal or vertical bar of two arrow buttons (each may be hidden),
// a rail between them and a thumb whose length shows how much of the
// content is visible. Pressing an arrow scrolls a line, pressing the rail a
// page towards the press, and the thumb is dragged; held presses repeat
// from a 50 ms timer. A bar owned by a container scrolls that container;
// a bar without an owner keeps its own position and sends "scroll".
//
// Each part is drawn from its state image when one is set, and otherwise in
// a plain flat look, so that bars nobody styled still look finished.
class CScrollBarUI : public CControlUI, public IScrollBarUI {
public:
    // The timer id of the repeat timer, and its period.
    static constexpr unsigned repeatTimerId = 10;
    static constexpr unsigned repeatPeriodMs = 50;
    // Ticks to wait before a held arrow or rail press repeats.
    static constexpr int repeatDelayTicks = 5;
    static constexpr int defaultThickness = 14;

    CScrollBarUI();

    // Installs the bar as the scroll bar of every container; idempotent.
    static void Install();

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;

    // IScrollBarUI.
    CControlUI* AsControl() override { return this; }
    void SetOwner(CContainerUI* owner) override { owner_ = owner; }
    int GetScrollRange() const override { return range_; }
    void SetScrollRange(int range) override;
    int GetScrollPos() const override { return position_; }
    void SetScrollPos(int position) override;
    int GetLineSize() const override { return lineSize_; }

    CContainerUI* GetOwner() const { return owner_; }
    bool IsHorizontal() const { return horizontal_; }
    // Turns the bar and swaps its fixed thickness to the other side.
    void SetHorizontal(bool horizontal);
    void SetLineSize(int size);
    bool IsShowButton1() const { return showButton1_; }
    void SetShowButton1(bool show);
    bool IsShowButton2() const { return showButton2_; }
    void SetShowButton2(bool show);

    void SetEnabled(bool enabled = true) override;
    void SetPos(Rect rect) override;
    void HandleEvent(UIEvent& event) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void PaintStateImage(UIDC& dc) override;

    // The parts' rectangles (window coordinates), for painting and tests.
    const Rect& Button1Rect() const { return button1_; }
    const Rect& Button2Rect() const { return button2_; }
    const Rect& ThumbRect() const { return thumb_; }

private:
    // The images of one part in the order normal, hot, pushed, disabled.
    struct PartImages {
        std::string normal;
        std::string hot;
        std::string pushed;
        std::string disabled;
    };
    enum class Part { None, Button1, Button2, Thumb, RailBefore, RailAfter };

    static IScrollBarUI* CreateForContainer(bool horizontal);
    // The image of the first state in the order disabled, pushed, hot
    // that has one; else the normal image.
    static const std::string& ImageFor(const PartImages& images, unsigned state);
    Part PartAt(platform::Point point) const;
    void LayoutParts();
    // The user moved the bar: through the owner when there is one.
    void LineBack();
    void LineForward();
    void PageBack();
    void PageForward();
    void ScrollTo(int position);
    void PaintPart(UIDC& dc, const Rect& rect, const PartImages& images, unsigned state, Part part);
    void PaintPlainPart(UIDC& dc, const Rect& rect, unsigned state, Part part);
    void PaintArrow(UIDC& dc, const Rect& rect, bool forward, std::uint32_t colour);
    // The thumb's possible travel in pixels along the bar.
    int Travel() const;

    CContainerUI* owner_ = nullptr;
    bool horizontal_ = false;
    int range_ = 100;
    int position_ = 0;
    int lineSize_ = 8;
    bool showButton1_ = true;
    bool showButton2_ = true;

    Rect button1_;
    Rect button2_;
    Rect thumb_;
    Rect rail_;
    unsigned button1State_ = 0;
    unsigned button2State_ = 0;
    unsigned thumbState_ = 0;
    unsigned barState_ = 0;
    Part pressed_ = Part::None;

    // The press in progress: where the mouse was at the press and last,
    // the position the drag started from and the offset it has reached.
    platform::Point pressPoint_;
    platform::Point lastMouse_;
    int dragStartPos_ = 0;
    int dragOffset_ = 0;
    int repeatTicks_ = 0;

    PartImages button1Images_;
    PartImages button2Images_;
    PartImages thumbImages_;
    PartImages railImages_;
    PartImages bkImages_;
};

} // namespace pelmo::ui
