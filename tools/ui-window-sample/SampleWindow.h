#pragma once

#include <string>

#include "ui/core/CUIManager.h"
#include "ui/core/INotifyUI.h"
#include "ui/window/CWindowWnd.h"

namespace pelmo::tools {

// The sample's window: a caption band to drag it by, a column of buttons
// that switch the pages of a tab layout, a floating badge, and rounded
// corners. The buttons are a small control of the sample's own that draws
// its text and a hot state; the framework's standard controls come later.
class SampleWindow : public ui::CWindowWnd, public ui::INotifyUI {
public:
    static constexpr int width = 520;
    static constexpr int height = 340;
    static constexpr int captionHeight = 40;

    void OnNotification(ui::UINotification& notification) override;
    ui::CUIManager& Manager() { return manager_; }

protected:
    std::string WindowClassName() const override { return "PelmoSampleWnd"; }
    unsigned ClassStyle() const override { return platform::CS_DBLCLKS; }
    platform::LResult HandleWindowMessage(unsigned message, platform::WParam wParam, platform::LParam lParam) override;

private:
    ui::CControlUI* BuildTree();

    ui::CUIManager manager_;
};

} // namespace pelmo::tools
