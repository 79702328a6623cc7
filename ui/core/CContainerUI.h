#pragma once

#include <vector>

#include "ui/core/CControlUI.h"
#include "ui/core/IContainerUI.h"
#include "ui/core/IScrollBarUI.h"

namespace pelmo::ui {

// A control holding an ordered list of children. It owns them unless
// auto-destroy is off; with delayed destroy, removed children are destroyed
// at the window's next cleanup message rather than at once. The base
// container gives each child its whole content area (the rectangle less the
// inset and any scroll bars); the layouts derive from it.
class CContainerUI : public CControlUI, public IContainerUI {
public:
    using ScrollBarFactory = IScrollBarUI* (*)(bool horizontal);

    CContainerUI();
    ~CContainerUI() override;

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;

    // IContainerUI.
    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    bool SetItemIndex(CControlUI* control, int index) override;
    int GetCount() const override { return static_cast<int>(items_.size()); }
    bool Add(CControlUI* control) override;
    bool InsertChildAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    void SetManager(CUIManager* manager, CControlUI* parent, bool initialise = true) override;
    void SetVisible(bool visible = true) override;
    void SetHiddenByParent(bool hidden) override;
    void SetPos(Rect rect) override;
    void HandleEvent(UIEvent& event) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void Paint(UIDC& dc, const Rect& dirty) override;
    CControlUI* LookupControl(FindControlProc proc, void* data, unsigned flags) override;

    virtual Rect GetInset() const { return inset_; }
    virtual void SetInset(const Rect& inset);
    virtual int ChildGap() const { return childPadding_; }
    virtual void SetChildGap(int padding);
    virtual bool IsAutoDestroy() const { return autoDestroy_; }
    virtual void SetAutoDestroy(bool destroy) { autoDestroy_ = destroy; }
    virtual bool IsDelayedDestroy() const { return delayedDestroy_; }
    virtual void SetDelayedDestroy(bool delayed) { delayedDestroy_ = delayed; }
    virtual bool ChildrenGetMouse() const { return mouseChildren_; }
    virtual void SetChildrenGetMouse(bool enabled) { mouseChildren_ = enabled; }
    // The index of the next enabled, visible child from `index` on in the
    // direction, or -1.
    virtual int NextSelectable(int index, bool forward) const;

    // Scrolling: positions and ranges as (horizontal, vertical).
    virtual UISize GetScrollPos() const;
    virtual UISize GetScrollRange() const;
    virtual void SetScrollPos(UISize position);
    virtual void LineUp();
    virtual void LineDown();
    virtual void PageUp();
    virtual void PageDown();
    virtual void ScrollToTop();
    virtual void ScrollToBottom();
    virtual void LineLeft();
    virtual void LineRight();
    virtual void PageLeft();
    virtual void PageRight();
    virtual void ScrollToLeftEnd();
    virtual void ScrollToRightEnd();
    virtual void ShowScrollBars(bool vertical, bool horizontal);
    virtual IScrollBarUI* GetVerticalScrollBar() const { return verticalBar_; }
    virtual IScrollBarUI* GetHorizontalScrollBar() const { return horizontalBar_; }

    // Where the scroll bar control comes from (installed by the controls).
    static void SetScrollBarFactory(ScrollBarFactory factory);

protected:
    virtual void PlaceFloatingChild(int index);
    virtual void UpdateScrollBars(const Rect& rect, int cxRequired, int cyRequired);
    // The rectangle less the inset and the visible scroll bars.
    Rect ContentRect() const;
    bool IsBarShown(const IScrollBarUI* bar) const;
    int LineSize() const;
    void DestroyChild(CControlUI* control);
    void PlaceScrollBars(const Rect& rect);

    std::vector<CControlUI*> items_;
    Rect inset_;
    int childPadding_ = 0;
    bool autoDestroy_ = true;
    bool delayedDestroy_ = true;
    bool mouseChildren_ = true;
    bool scrollProcess_ = false;  // a scroll bar update is relaying the container
    IScrollBarUI* verticalBar_ = nullptr;
    IScrollBarUI* horizontalBar_ = nullptr;
};

} // namespace pelmo::ui
