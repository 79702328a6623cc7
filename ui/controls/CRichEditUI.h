#pragma once

#include <cstdint>

#include "ui/core/CContainerUI.h"
#include "ui/core/IMessageFilterUI.h"

namespace pelmo::ui {

// The rich edit element of the layout language. No window of the program
// uses one, so it keeps its settings and shows its text as plain text in
// its font and colour (wrapped when multi-line); it edits nothing and
// filters no messages.
class CRichEditUI : public CContainerUI, public IMessageFilterUI {
public:
    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;

    bool IsMultiLine() const { return multiLine_; }
    bool IsReadOnly() const { return readOnly_; }
    bool IsPasswordMode() const { return password_; }
    bool IsNumberOnly() const { return numberOnly_; }
    bool IsRich() const { return rich_; }
    bool IsWantTab() const { return wantTab_; }
    bool IsWantReturn() const { return wantReturn_; }
    bool IsWantCtrlReturn() const { return wantCtrlReturn_; }
    bool IsAutoVScroll() const { return autoVScroll_; }
    bool IsAutoHScroll() const { return autoHScroll_; }
    int GetFont() const { return font_; }
    std::uint32_t GetTextColor() const { return textColour_; }

    platform::LResult FilterMessage(unsigned message, platform::WParam wParam, platform::LParam lParam,
                                    bool& handled) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void PaintText(UIDC& dc) override;

private:
    bool multiLine_ = true;
    bool readOnly_ = false;
    bool password_ = false;
    bool numberOnly_ = false;
    bool rich_ = true;
    bool wantTab_ = true;
    bool wantReturn_ = true;
    bool wantCtrlReturn_ = true;
    bool autoVScroll_ = false;
    bool autoHScroll_ = false;
    int font_ = -1;
    std::uint32_t textColour_ = 0;
    unsigned textStyle_ = 0;
};

} // namespace pelmo::ui
