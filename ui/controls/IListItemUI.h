#pragma once

#include "platform/graphics/Rect.h"
#include "ui/painter/UIDC.h"

namespace pelmo::ui {

class IListOwnerUI;

// An item of a list or combo box: it knows its index in its owner and its
// owner, can be selected and expanded, and draws itself (the combo box
// draws its current item's text in its own box).
class IListItemUI {
public:
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int index) = 0;
    virtual IListOwnerUI* GetOwner() const = 0;
    virtual void SetOwner(IListOwnerUI* owner) = 0;
    virtual bool IsSelected() const = 0;
    // Selecting an item also makes it its owner's current item. False when
    // the item cannot be selected (it is disabled).
    virtual bool Select(bool selected = true) = 0;
    virtual bool IsExpanded() const = 0;
    virtual bool Expand(bool expand = true) = 0;
    // The background (for its state) and the text.
    virtual void DrawItem(UIDC& dc, const platform::Rect& rect) = 0;
    virtual void DrawItemText(UIDC& dc, const platform::Rect& rect) = 0;

protected:
    ~IListItemUI() = default;
};

} // namespace pelmo::ui
