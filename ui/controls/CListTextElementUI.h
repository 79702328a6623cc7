#pragma once

#include <string>
#include <vector>

#include "ui/controls/CListLabelElementUI.h"

namespace pelmo::ui {

// A list item with one text per column of its list's header, each drawn in
// its column; without columns the first text fills the item. With markup
// text its links are live: over one the cursor is a hand, and a release on
// link i sends "link" with wParam i.
class CListTextElementUI : public CListLabelElementUI {
public:
    static constexpr int maxLinks = 8;

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    unsigned ControlFlags() const override;

    // The text of a column; column 0 is also the item's text.
    std::string GetColumnText(int column) const;
    void SetColumnText(int column, std::string_view text);
    void SetText(std::string_view text) override;

    void HandleEvent(UIEvent& event) override;
    void DrawItemText(UIDC& dc, const Rect& rect) override;

private:
    int LinkAt(platform::Point point) const;

    std::vector<std::string> texts_;
    Rect links_[maxLinks];
    int linkCount_ = 0;
    int hotLink_ = -1;
};

} // namespace pelmo::ui
