#pragma once

#include <vector>

#include "ui/core/CContainerUI.h"

namespace pelmo::ui {

// Stretch flags of the layout attribute `stretch`.
constexpr unsigned UISTRETCH_NEWGROUP = 0x01;
constexpr unsigned UISTRETCH_NEWLINE = 0x02;
constexpr unsigned UISTRETCH_MOVE_X = 0x04;
constexpr unsigned UISTRETCH_MOVE_Y = 0x08;
constexpr unsigned UISTRETCH_SIZE_X = 0x10;
constexpr unsigned UISTRETCH_SIZE_Y = 0x20;

// Places each child at its fixed position and size within the layout, and
// moves or resizes the children given a stretch mode by as much as the
// layout has grown since it was first placed.
class CDialogLayoutUI : public CContainerUI {
public:
    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    void SetPos(Rect rect) override;

    // Records the child's fixed rectangle (relative to the layout) and mode.
    void SetStretchMode(CControlUI* control, unsigned mode);
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

private:
    struct Stretch {
        CControlUI* control;
        unsigned mode;
        Rect fixed;
    };
    Rect FixedRect(const CControlUI* control) const;

    std::vector<Stretch> stretches_;
    UISize firstSize_;
};

} // namespace pelmo::ui
