#include "tools/ui-window-sample/SampleWindow.h"

#include <algorithm>

#include "platform/graphics/TextLayout.h"
#include "platform/window/WindowSystem.h"
#include "ui/layout/CHorizontalLayoutUI.h"
#include "ui/layout/CTabLayoutUI.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "ui/painter/CUIPainter.h"
#include "ui/painter/WindowShape.h"

namespace pelmo::tools {

using namespace pelmo::platform;
using namespace pelmo::ui;

namespace {

// A push button drawn with a fill, a border and centred text; lighter while
// the pointer is over it. Sends "click" on a press and release inside.
class SampleButton : public CControlUI {
public:
    SampleButton(const char* name, const char* text, std::uint32_t colour) : colour_(colour)
    {
        SetName(name);
        SetText(text);
        SetBkColor(colour);
        SetBorderColor(0xFF0E1420);
        SetBorderRound(UISize{8, 8});
    }
    std::string_view GetClass() const override { return "ButtonUI"; }
    unsigned ControlFlags() const override { return UIFLAG_TABSTOP | UIFLAG_SETCURSOR; }
    bool Activate() override
    {
        if (!CControlUI::Activate())
            return false;
        GetManager()->DispatchNotification(this, "click");
        return true;
    }
    void HandleEvent(UIEvent& event) override
    {
        switch (event.type) {
        case UIEventType::MouseEnter:
            SetBkColor(lighter(colour_));
            return;
        case UIEventType::MouseLeave:
            SetBkColor(colour_);
            return;
        case UIEventType::ButtonDown:
            pressed_ = true;
            return;
        case UIEventType::ButtonUp:
            if (pressed_ && GetPos().contains(event.mouse.x, event.mouse.y))
                Activate();
            pressed_ = false;
            return;
        case UIEventType::SetCursor:
            WindowSystem::current()->setCursor(CursorShape::Hand);
            return;
        default:
            CControlUI::HandleEvent(event);
        }
    }
    void PaintText(UIDC& dc) override
    {
        Rect rect = GetPos();
        CUIPainter::DrawText(dc, rect, GetText(), 0xFFFFFFFF, -1,
                             TextStyle::Center | TextStyle::VCenter | TextStyle::SingleLine);
    }

private:
    static std::uint32_t lighter(std::uint32_t colour)
    {
        std::uint32_t result = colour & 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
            const std::uint32_t channel = (colour >> shift) & 0xFF;
            result |= std::min<std::uint32_t>(255, channel + 40) << shift;
        }
        return result;
    }

    std::uint32_t colour_;
    bool pressed_ = false;
};

// A panel with a caption line of text.
class SamplePanel : public CContainerUI {
public:
    SamplePanel(const char* name, const char* text, std::uint32_t top, std::uint32_t bottom)
    {
        SetName(name);
        SetText(text);
        SetBkColor(top);
        SetBkColor2(bottom);
        SetBorderColor(0xFF0E1420);
        SetBorderRound(UISize{10, 10});
    }
    void PaintText(UIDC& dc) override
    {
        // A short panel is a caption: its text sits in the middle.
        const int top = GetPos().height() < 40 ? GetPos().top : GetPos().top + 10;
        Rect rect{GetPos().left + 14, top, GetPos().right - 14, top + std::min(24, GetPos().height())};
        CUIPainter::DrawText(dc, rect, GetText(), 0xFFFFFFFF, 0, TextStyle::SingleLine | TextStyle::VCenter);
    }
};

CControlUI* spacer() { return new CControlUI; }

} // namespace

CControlUI* SampleWindow::BuildTree()
{
    auto* root = new CVerticalLayoutUI;
    root->SetName("root");
    root->SetBkColor(0xFF26324A);
    root->SetBkColor2(0xFF121826);
    root->SetBorderColor(0xFF6F86B8);
    root->SetBorderRound(UISize{14, 14});

    auto* caption = new CHorizontalLayoutUI;
    caption->SetFixedHeight(captionHeight);
    caption->SetInset(Rect{14, 6, 8, 6});
    caption->SetBkColor(0xFF3A4A70);
    caption->SetBkColor2(0xFF1F2A40);
    auto* title = new SamplePanel("title", "Pelmo window sample", 0, 0);
    title->SetBorderColor(0);
    title->SetBorderRound(UISize{});
    caption->Add(title);
    auto* close = new SampleButton("close_btn", "x", 0xFFA03030);
    close->SetFixedWidth(28);
    close->SetToolTip("Close the sample");
    caption->Add(close);
    root->Add(caption);

    auto* body = new CHorizontalLayoutUI;
    body->SetInset(Rect{14, 14, 14, 14});
    body->SetChildGap(14);
    auto* column = new CVerticalLayoutUI;
    column->SetFixedWidth(150);
    column->SetChildGap(10);
    const char* names[] = {"page1_btn", "page2_btn", "page3_btn"};
    const char* texts[] = {"Buttons", "Sensor", "Lighting"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new SampleButton(names[i], texts[i], 0xFF3D5A8C);
        button->SetFixedHeight(36);
        button->SetToolTip(std::string("Show the ") + texts[i] + " page");
        column->Add(button);
    }
    column->Add(spacer());
    body->Add(column);

    auto* pages = new CTabLayoutUI;
    pages->SetName("pages");
    pages->Add(new SamplePanel("page1", "Buttons: a vertical layout of three", 0xFF2E6B4F, 0xFF1B3D2E));
    pages->Add(new SamplePanel("page2", "Sensor: the second page", 0xFF6B4F2E, 0xFF3D2E1B));
    pages->Add(new SamplePanel("page3", "Lighting: the third page", 0xFF4F2E6B, 0xFF2E1B3D));
    auto* badge = new CControlUI;
    badge->ApplyAttributeString("float=\"true\" pos=\"-70,-44,-14,-14\" bkcolor=\"#FFE0A030\" borderround=\"12,12\" "
                                "bordercolor=\"#FF0E1420\"");
    body->Add(pages);
    body->Add(badge);
    root->Add(body);
    return root;
}

LResult SampleWindow::HandleWindowMessage(unsigned message, WParam wParam, LParam lParam)
{
    WindowSystem& windows = *WindowSystem::current();
    switch (message) {
    case WM_CREATE:
        manager_.Init(GetHWND());
        manager_.SetRoundCorner(14, 14);
        manager_.SetInitSize(width, height);
        manager_.AttachRoot(BuildTree());
        manager_.AddNotificationListener(this);
        return 0;
    case WM_SIZE: {
        const UISize corner = manager_.GetRoundCorner();
        const Rect client = windows.clientRect(GetHWND());
        windows.setWindowRegion(GetHWND(), WindowShape::roundCornerRegion(client.width(), client.height(), corner.cx, corner.cy),
                                true);
        break;
    }
    case WM_NCHITTEST: {
        const Point client = windows.screenToClient(GetHWND(), Point{xFromLParam(lParam), yFromLParam(lParam)});
        CControlUI* control = manager_.LookupControl(client);
        if (client.y < captionHeight && (!control || control->GetClass() != "ButtonUI"))
            return HTCAPTION;
        return HTCLIENT;
    }
    case WM_DESTROY:
        windows.postQuitMessage(0);
        break;
    default:
        break;
    }
    LResult result = 0;
    if (manager_.HandleWindowMessage(message, wParam, lParam, result))
        return result;
    return CWindowWnd::HandleWindowMessage(message, wParam, lParam);
}

void SampleWindow::OnNotification(UINotification& notification)
{
    if (notification.type != "click" || !notification.sender)
        return;
    const std::string& name = notification.sender->GetName();
    if (name == "close_btn") {
        Close();
        return;
    }
    auto* pages = static_cast<CTabLayoutUI*>(manager_.LookupControl("pages"));
    if (name == "page1_btn")
        pages->SelectItem(0);
    else if (name == "page2_btn")
        pages->SelectItem(1);
    else if (name == "page3_btn")
        pages->SelectItem(2);
}

} // namespace pelmo::tools
