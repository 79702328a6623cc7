#pragma once

#include <string>

#include "ui/window/CWindowWnd.h"

namespace pelmo::ui {

class CEditUI;

// The native edit window of an edit control: a child of the control's
// window, superclassing the layer's edit class, placed over the control's
// text area (at the font's height, centred, when the area is taller). It
// copies each change of its text into the control ("textchanged"), closes
// when it loses the keyboard focus (Return gives the focus back to the
// window) and sends "edit_return" once it is gone. It deletes itself.
class CEditWnd : public CWindowWnd {
public:
    // Opens the window over the control and gives it the keyboard focus;
    // none when it cannot be made.
    static CEditWnd* Open(CEditUI* owner);

    std::string Text() const;
    // Follows the control to its new place.
    void Reposition();
    // The control goes away first: the window closes without it.
    void OwnerGone();

protected:
    std::string WindowClassName() const override { return "EditWnd"; }
    std::string SuperclassName() const override;
    platform::LResult HandleWindowMessage(unsigned message, platform::WParam wParam, platform::LParam lParam) override;
    void FinalMessage(platform::WindowHandle window) override;

private:
    explicit CEditWnd(CEditUI* owner) : owner_(owner) {}
    platform::Rect PlaceOverOwner() const;

    CEditUI* owner_;
    // Changes are reported only once the window holds the control's text.
    bool initialised_ = false;
};

} // namespace pelmo::ui
