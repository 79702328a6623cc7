#pragma once

#include "ui/layout/CVerticalLayoutUI.h"

namespace pelmo::ui {

// The scrolling column that holds a list's items. The list owns it.
class CListBodyUI : public CVerticalLayoutUI {
public:
    std::string_view GetClass() const override;
    // The part of the body the items show in: its rectangle less the inset
    // and the scroll bars.
    Rect VisibleRect() const { return ContentRect(); }
};

} // namespace pelmo::ui
