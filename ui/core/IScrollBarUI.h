#pragma once

namespace pelmo::ui {

class CContainerUI;
class CControlUI;

// What a container needs of its scroll bars: a control with a range and a
// position that scrolls its owner. The scroll bar control implements it and
// installs a factory with CContainerUI::SetScrollBarFactory; without one,
// containers have no bars and scroll only through their operations.
class IScrollBarUI {
public:
    virtual ~IScrollBarUI() = default;
    virtual CControlUI* AsControl() = 0;
    virtual void SetOwner(CContainerUI* owner) = 0;
    virtual int GetScrollRange() const = 0;
    virtual void SetScrollRange(int range) = 0;
    virtual int GetScrollPos() const = 0;
    virtual void SetScrollPos(int position) = 0;
    virtual int GetLineSize() const = 0;
};

} // namespace pelmo::ui
