#include "ui/controls/CEditWnd.h"

#include "platform/graphics/Font.h"
#include "platform/window/EditWindow.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"
#include "ui/controls/CEditUI.h"
#include "ui/core/CUIManager.h"

namespace pelmo::ui {

using namespace pelmo::platform;

std::string CEditWnd::SuperclassName() const { return EditWindow::className; }

Rect CEditWnd::PlaceOverOwner() const
{
    const Rect& item = owner_->GetPos();
    const Rect padding = owner_->GetTextPadding();
    Rect rect{item.left + padding.left, item.top + padding.top, item.right - padding.right,
              item.bottom - padding.bottom};
    const int fontHeight = owner_->GetManager()->GetFont(owner_->GetFont()).metrics().height;
    if (rect.height() > fontHeight) {
        rect.top += (rect.height() - fontHeight) / 2;
        rect.bottom = rect.top + fontHeight;
    }
    return rect;
}

CEditWnd* CEditWnd::Open(CEditUI* owner)
{
    CUIManager* manager = owner->GetManager();
    if (!manager || manager->GetPaintWindow() == NoWindow)
        return nullptr;
    auto* window = new CEditWnd(owner);
    const Rect rect = window->PlaceOverOwner();
    const unsigned style = WS_CHILD | ES_AUTOHSCROLL | (owner->IsPasswordMode() ? ES_PASSWORD : 0u);
    if (window->Create(manager->GetPaintWindow(), "", style, 0, rect.left, rect.top, rect.width(), rect.height()) ==
        NoWindow) {
        delete window;
        return nullptr;
    }
    const FontDescription font = manager->GetFont(owner->GetFont()).description();
    window->SendMessage(WM_SETFONT, reinterpret_cast<WParam>(&font));
    window->SendMessage(EM_LIMITTEXT, static_cast<WParam>(owner->GetMaxChar()));
    if (owner->IsPasswordMode())
        window->SendMessage(EM_SETPASSWORDCHAR, static_cast<WParam>(owner->GetPasswordChar()));
    const std::string text = owner->GetText();
    window->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LParam>(text.c_str()));
    window->SendMessage(EM_SETMODIFY, 0);
    window->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    WindowSystem& windows = window->Windows();
    windows.enableWindow(window->GetHWND(), owner->IsEnabled());
    window->SendMessage(EM_SETREADONLY, owner->IsReadOnly() ? 1 : 0);
    window->ShowWindow(true, false);
    windows.setFocus(window->GetHWND());
    window->initialised_ = true;
    return window;
}

std::string CEditWnd::Text() const
{
    return window_ != NoWindow ? EditWindow::text(Windows(), window_) : std::string();
}

void CEditWnd::Reposition()
{
    if (owner_ && window_ != NoWindow)
        Windows().moveWindow(window_, PlaceOverOwner());
}

void CEditWnd::OwnerGone()
{
    owner_ = nullptr;
    Close();
}

LResult CEditWnd::HandleWindowMessage(unsigned message, WParam wParam, LParam lParam)
{
    switch (message) {
    case OCM_BASE + WM_COMMAND:
        if (highWord(wParam) == EN_CHANGE && initialised_ && owner_) {
            owner_->text_ = Text();
            if (CUIManager* manager = owner_->GetManager())
                manager->DispatchNotification(owner_, "textchanged");
        }
        return 0;
    case OCM_BASE + WM_CTLCOLOREDIT:
    case OCM_BASE + WM_CTLCOLORSTATIC: {
        // A background of the control's own: its text colour on it.
        auto* colours = reinterpret_cast<EditColours*>(wParam);
        if (!owner_ || !colours || owner_->GetNativeBackground() == 0xFFFFFFFF)
            return 0;
        std::uint32_t text = owner_->GetTextColor();
        if (text == 0 && owner_->GetManager())
            text = owner_->GetManager()->PaintResources().textColour;
        colours->text = text;
        colours->background = owner_->GetNativeBackground();
        return 1;
    }
    case WM_KEYDOWN:
        // Return ends the editing: the focus goes back to the window.
        if (wParam == VK_RETURN) {
            Windows().setFocus(Windows().parent(window_));
            return 0;
        }
        break;
    case WM_KILLFOCUS: {
        const LResult result = CWindowWnd::HandleWindowMessage(message, wParam, lParam);
        if (owner_)
            owner_->text_ = Text();
        Close();
        return result;
    }
    default:
        break;
    }
    return CWindowWnd::HandleWindowMessage(message, wParam, lParam);
}

void CEditWnd::FinalMessage(WindowHandle)
{
    if (CEditUI* owner = owner_) {
        owner->EditWindowClosed(this);
        if (CUIManager* manager = owner->GetManager())
            manager->DispatchNotification(owner, "edit_return");
    }
    delete this;
}

} // namespace pelmo::ui
