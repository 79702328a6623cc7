#include "ui/controls/CEditUI.h"

#include "platform/graphics/TextLayout.h"
#include "platform/graphics/Utf8.h"
#include "platform/window/EditWindow.h"
#include "platform/window/WindowSystem.h"
#include "ui/controls/CEditWnd.h"
#include "ui/controls/ControlState.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"
#include "ui/painter/CUIPainter.h"

namespace pelmo::ui {

using platform::TextStyle;

namespace {

constexpr int editMargin = 6;
// The plain look of an edit box without images.
constexpr std::uint32_t plainBorder = 0xFFABADB3;
constexpr std::uint32_t plainHotBorder = 0xFF7EB4EA;
constexpr std::uint32_t plainFocusBorder = 0xFF3388DD;

} // namespace

CEditUI::CEditUI()
{
    textPadding_ = Rect{4, 3, 4, 3};
    bkColour_[0] = 0xFFFFFFFF;
}

CEditUI::~CEditUI()
{
    if (window_)
        window_->OwnerGone();
}

std::string_view CEditUI::GetClass() const { return "EditUI"; }

void* CEditUI::AsInterface(std::string_view name)
{
    if (name == "Edit")
        return static_cast<CEditUI*>(this);
    return CLabelUI::AsInterface(name);
}

unsigned CEditUI::ControlFlags() const { return IsEnabled() ? UIFLAG_TABSTOP | UIFLAG_SETCURSOR : 0u; }

void CEditUI::SetText(std::string_view text)
{
    CLabelUI::SetText(text);
    if (window_) {
        const std::string copy(text);
        window_->SendMessage(platform::WM_SETTEXT, 0, reinterpret_cast<platform::LParam>(copy.c_str()));
    }
}

void CEditUI::SetMaxChar(int count)
{
    maxChar_ = count;
    if (window_)
        window_->SendMessage(platform::EM_LIMITTEXT, static_cast<platform::WParam>(count > 0 ? count : 0));
}

void CEditUI::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    if (window_)
        window_->SendMessage(platform::EM_SETREADONLY, readOnly ? 1 : 0);
    Invalidate();
}

void CEditUI::SetPasswordMode(bool password)
{
    password_ = password;
    if (window_)
        window_->SendMessage(platform::EM_SETPASSWORDCHAR, password ? static_cast<platform::WParam>(passwordChar_) : 0);
    Invalidate();
}

void CEditUI::SetPasswordChar(char32_t character)
{
    passwordChar_ = character;
    if (window_ && password_)
        window_->SendMessage(platform::EM_SETPASSWORDCHAR, static_cast<platform::WParam>(character));
    Invalidate();
}

void CEditUI::SetNativeBackground(std::uint32_t colour)
{
    nativeBkColour_ = colour;
    if (window_)
        platform::WindowSystem::current()->invalidateRect(window_->GetHWND(), nullptr, false);
}

void CEditUI::SetNormalImage(std::string_view image)
{
    normalImage_ = image;
    Invalidate();
}

void CEditUI::SetHotImage(std::string_view image)
{
    hotImage_ = image;
    Invalidate();
}

void CEditUI::SetFocusedImage(std::string_view image)
{
    focusedImage_ = image;
    Invalidate();
}

void CEditUI::SetDisabledImage(std::string_view image)
{
    disabledImage_ = image;
    Invalidate();
}

void CEditUI::OpenEditWindow()
{
    if (window_ || readOnly_ || !IsEnabled())
        return;
    window_ = CEditWnd::Open(this);
    Invalidate();
}

void CEditUI::EditWindowClosed(CEditWnd* window)
{
    if (window_ != window)
        return;
    window_ = nullptr;
    Invalidate();
}

void CEditUI::SetPos(Rect rect)
{
    CLabelUI::SetPos(rect);
    // After a new layout the open window moves with the control.
    if (window_)
        window_->Reposition();
}

void CEditUI::HandleEvent(UIEvent& event)
{
    if (!mouseEnabled_ && IsMouseEvent(event.type)) {
        CLabelUI::HandleEvent(event);
        return;
    }
    switch (event.type) {
    case UIEventType::SetCursor:
        if (IsEnabled()) {
            if (platform::WindowSystem* windows = platform::WindowSystem::current())
                windows->setCursor(platform::CursorShape::IBeam);
            return;
        }
        break;
    case UIEventType::SetFocus:
        CLabelUI::HandleEvent(event);
        OpenEditWindow();
        return;
    case UIEventType::ButtonDown:
    case UIEventType::DblClick:
    case UIEventType::RButtonDown:
        if (!IsEnabled())
            return;
        if (manager_)
            manager_->ReleaseCapture();
        if (IsFocused())
            OpenEditWindow();
        // A press on the box selects all of its text (the first position
        // when it is empty).
        if (window_)
            window_->SendMessage(platform::EM_SETSEL, 0, -1);
        return;
    case UIEventType::ScrollWheel:
        if (window_)
            return;
        break;
    case UIEventType::MouseMove:
    case UIEventType::ButtonUp:
        return;
    case UIEventType::MouseEnter:
        if (IsEnabled()) {
            state_ |= UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEventType::MouseLeave:
        if (state_ & UISTATE_HOT) {
            state_ &= ~UISTATE_HOT;
            Invalidate();
        }
        return;
    default:
        break;
    }
    CLabelUI::HandleEvent(event);
}

UISize CEditUI::MeasureSize(UISize) { return UISize{fixedWidth_, MeasuredHeight(editMargin)}; }

void CEditUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "readonly")
        SetReadOnly(AttributeValue::Boolean(value));
    else if (name == "password")
        SetPasswordMode(AttributeValue::Boolean(value));
    else if (name == "maxchar")
        SetMaxChar(AttributeValue::Integer(value));
    else if (name == "normalimage")
        SetNormalImage(value);
    else if (name == "hotimage")
        SetHotImage(value);
    else if (name == "focusedimage")
        SetFocusedImage(value);
    else if (name == "disabledimage")
        SetDisabledImage(value);
    else if (name == "nativebkcolor")
        SetNativeBackground(AttributeValue::Colour(value));
    else
        CLabelUI::ApplyAttribute(name, value);
}

void CEditUI::PaintStateImage(UIDC& dc)
{
    const std::string* image = &normalImage_;
    if (!IsEnabled()) {
        if (!disabledImage_.empty())
            image = &disabledImage_;
    } else if (IsFocused()) {
        if (!focusedImage_.empty())
            image = &focusedImage_;
    } else if ((state_ & UISTATE_HOT) && !hotImage_.empty()) {
        image = &hotImage_;
    }
    if (!image->empty()) {
        DrawImage(dc, *image);
        return;
    }
    // The plain look: a border that shows hover and focus.
    if (normalImage_.empty() && borderColour_ == 0) {
        const std::uint32_t border = !IsEnabled()              ? plainBorder
                                     : IsFocused()              ? plainFocusBorder
                                     : (state_ & UISTATE_HOT)   ? plainHotBorder
                                                                : plainBorder;
        CUIPainter::StrokeRect(dc, item_, 1, border);
    }
}

void CEditUI::PaintText(UIDC& dc)
{
    // While the native window is open it shows the text.
    if (window_ || text_.empty())
        return;
    std::string shown = text_;
    if (password_) {
        shown.clear();
        for (std::size_t offset = 0; offset < text_.size();) {
            platform::Utf8::next(text_, offset);
            platform::Utf8::append(shown, passwordChar_);
        }
    }
    Rect rect = TextRect();
    CUIPainter::DrawText(dc, rect, shown, TextColourNow(dc), font_, textStyle_ | TextStyle::SingleLine);
}

} // namespace pelmo::ui
