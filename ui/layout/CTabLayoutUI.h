#pragma once

#include "ui/core/CContainerUI.h"

namespace pelmo::ui {

// Pages of which one is shown: the child at the current index, laid over
// the content area. The first visible child added becomes current; later
// ones start hidden.
class CTabLayoutUI : public CContainerUI {
public:
    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;

    bool InsertChildAt(CControlUI* control, int index) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;
    void SetPos(Rect rect) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;

    int GetCurSel() const { return current_; }
    // Shows page `index`, focuses it and sends "tabselect" (new, old); the
    // current page again changes nothing.
    bool SelectItem(int index);
    bool SelectItem(CControlUI* control) { return SelectItem(GetItemIndex(control)); }

private:
    int current_ = -1;
};

} // namespace pelmo::ui
