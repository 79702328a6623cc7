#pragma once

#include <cstdint>
#include <string>

#include "ui/controls/CLabelUI.h"

namespace pelmo::ui {

class CEditWnd;

// A one-line text box. It paints its text itself while idle; while it has
// the focus a native edit window (CEditWnd) lies over it and takes the
// typing, sending "textchanged" for each change and "edit_return" when it
// closes. A read-only edit never opens it. Without images it draws a plain
// white box whose border shows hover and focus.
class CEditUI : public CLabelUI {
public:
    CEditUI();
    ~CEditUI() override;

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    unsigned ControlFlags() const override;

    void SetText(std::string_view text) override;
    int GetMaxChar() const { return maxChar_; }
    void SetMaxChar(int count);
    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool IsPasswordMode() const { return password_; }
    void SetPasswordMode(bool password);
    char32_t GetPasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char32_t character);
    // The background of the native edit window; 0xFFFFFFFF keeps the
    // system's colours there.
    std::uint32_t GetNativeBackground() const { return nativeBkColour_; }
    void SetNativeBackground(std::uint32_t colour);
    void SetNormalImage(std::string_view image);
    void SetHotImage(std::string_view image);
    void SetFocusedImage(std::string_view image);
    void SetDisabledImage(std::string_view image);
    // The native edit window while it is open.
    CEditWnd* GetEditWindow() const { return window_; }

    void SetPos(Rect rect) override;
    void HandleEvent(UIEvent& event) override;
    // Without a fixed height: the default font's height and a margin.
    UISize MeasureSize(UISize available) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void PaintStateImage(UIDC& dc) override;
    void PaintText(UIDC& dc) override;

private:
    friend class CEditWnd;
    void OpenEditWindow();
    void EditWindowClosed(CEditWnd* window);

    int maxChar_ = 255;
    bool readOnly_ = false;
    bool password_ = false;
    char32_t passwordChar_ = U'*';
    std::uint32_t nativeBkColour_ = 0xFFFFFFFF;
    std::string normalImage_;
    std::string hotImage_;
    std::string focusedImage_;
    std::string disabledImage_;
    unsigned state_ = 0;
    CEditWnd* window_ = nullptr;
};

} // namespace pelmo::ui
