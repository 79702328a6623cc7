#pragma once

#include "ui/core/CUIManager.h"
#include "ui/window/CWindowWnd.h"

namespace pelmo::ui {

class CComboUI;
class CVerticalLayoutUI;

// The drop-down window of a combo box: a popup tool window with its own
// manager whose root column shows the combo's items (they stay the combo's:
// the column does not destroy them). It opens below the combo box, or above
// it when the work area ends first, and closes on Return, on Escape (which
// first selects the item that was current when it opened), on a release
// over an item and when the focus goes to another window. Its other keys
// and the wheel move the combo's selection. On closing, the items go back
// to the combo, which takes the focus. It deletes itself.
class CComboWnd : public CWindowWnd {
public:
    // Opens the drop-down for the combo; none when the window cannot be made.
    static CComboWnd* Open(CComboUI* owner);

    CUIManager& Manager() { return manager_; }
    // Scrolls the column so that the item is fully visible.
    void EnsureVisible(int index);
    // The combo goes away first: its items go back to it and the window
    // closes at once.
    void Dismiss();

protected:
    std::string WindowClassName() const override { return "ComboWnd"; }
    unsigned ClassStyle() const override;
    platform::LResult HandleWindowMessage(unsigned message, platform::WParam wParam, platform::LParam lParam) override;
    void FinalMessage(platform::WindowHandle window) override;

private:
    explicit CComboWnd(CComboUI* owner);
    void BuildRoot();
    // Hands the items back to the combo.
    void ReturnItems();
    // Passes a key or the wheel to the combo, keeping the drop-down open.
    void ForwardToOwner(UIEvent event);

    CComboUI* owner_;
    CUIManager manager_;
    CVerticalLayoutUI* layout_ = nullptr;
    int oldSelection_ = -1;
    bool closing_ = false;
};

} // namespace pelmo::ui
