#pragma once

#include "ui/core/UIEvent.h"

namespace pelmo::ui {

struct ListItemSettings;

// What a list item asks of the control that holds it (a list or a combo
// box): the settings items are drawn with, the current item, selecting an
// item, and the events the item does not handle itself (keys and the wheel
// move the selection of the owner).
class IListOwnerUI {
public:
    virtual ListItemSettings& GetItemSettings() = 0;
    virtual int GetCurSel() const = 0;
    virtual bool SelectItemAt(int index, bool takeFocus = false) = 0;
    virtual void HandleEvent(UIEvent& event) = 0;

protected:
    ~IListOwnerUI() = default;
};

} // namespace pelmo::ui
