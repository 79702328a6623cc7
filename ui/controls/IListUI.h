#pragma once

#include "ui/controls/IListOwnerUI.h"

namespace pelmo::ui {

class CContainerUI;
class CListHeaderUI;

// A list: an owner of items with a header and a scrolling body.
class IListUI : public IListOwnerUI {
public:
    virtual CListHeaderUI* GetHeader() const = 0;
    virtual CContainerUI* GetList() const = 0;
    // Expanding lets an item show more (an item decides what); without
    // multi-expanding, one item at a time is expanded.
    virtual bool ExpandItem(int index, bool expand = true) = 0;
    virtual int GetExpandedItem() const = 0;

protected:
    ~IListUI() = default;
};

} // namespace pelmo::ui
