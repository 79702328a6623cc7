#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/HeadlessDisplay.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"
#include "ui/core/CContainerUI.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CUIManager.h"
#include "ui/core/INotifyUI.h"
#include "ui/window/CWindowWnd.h"

namespace pelmo::test {

// A headless window system that is the current one for the test, with the
// UI's pre-message handling in its loop.
struct HeadlessScreen {
    HeadlessScreen()
    {
        auto backend = std::make_unique<platform::HeadlessDisplay>();
        display = backend.get();
        windows = std::make_unique<platform::WindowSystem>(std::move(backend));
        platform::WindowSystem::setCurrent(windows.get());
        display->setMessageFilter([](const platform::WindowMessage& message) {
            return ui::CUIManager::TranslateMessage(message);
        });
    }
    ~HeadlessScreen() { platform::WindowSystem::setCurrent(nullptr); }

    platform::HeadlessDisplay* display = nullptr;
    std::unique_ptr<platform::WindowSystem> windows;
};

// A control that behaves as a push button for the tests: it takes the Tab
// key, and a press followed by a release inside sends "click". It records
// the events it receives.
class TestButton : public ui::CControlUI {
public:
    explicit TestButton(std::string name = {}) { SetName(name); }
    unsigned ControlFlags() const override { return IsEnabled() ? ui::UIFLAG_TABSTOP | ui::UIFLAG_SETCURSOR : 0; }
    bool Activate() override
    {
        if (!ui::CControlUI::Activate())
            return false;
        if (GetManager())
            GetManager()->DispatchNotification(this, "click");
        return true;
    }
    void HandleEvent(ui::UIEvent& event) override
    {
        events.push_back(event.type);
        switch (event.type) {
        case ui::UIEventType::ButtonDown:
        case ui::UIEventType::DblClick:
            captured = true;
            return;
        case ui::UIEventType::ButtonUp:
            if (captured && GetPos().contains(event.mouse.x, event.mouse.y))
                Activate();
            captured = false;
            return;
        case ui::UIEventType::KeyDown:
            if (event.key == platform::VK_SPACE || event.key == platform::VK_RETURN) {
                Activate();
                return;
            }
            break;
        case ui::UIEventType::MouseEnter:
        case ui::UIEventType::MouseLeave:
            Invalidate();
            return;
        default:
            break;
        }
        ui::CControlUI::HandleEvent(event);
    }
    bool received(ui::UIEventType type) const
    {
        return std::find(events.begin(), events.end(), type) != events.end();
    }

    std::vector<ui::UIEventType> events;
    bool captured = false;
};

// A top-level window holding a manager; it records every notification as
// "type:sender".
class TestWindow : public ui::CWindowWnd, public ui::INotifyUI {
public:
    // Creates the window at `rect` (screen) with `root` as its tree.
    TestWindow(const platform::Rect& rect, ui::CControlUI* root, unsigned style = platform::WS_POPUP | platform::WS_VISIBLE)
        : root_(root)
    {
        Create(platform::NoWindow, "test", style, 0, rect.left, rect.top, rect.width(), rect.height());
    }
    ~TestWindow() override = default;

    void OnNotification(ui::UINotification& notification) override
    {
        const std::string sender = notification.sender ? notification.sender->GetName() : std::string("-");
        log.push_back(notification.type + ":" + sender);
        if (onNotify)
            onNotify(notification);
    }
    bool logged(const std::string& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }
    std::size_t count(const std::string& entry) const
    {
        return static_cast<std::size_t>(std::count(log.begin(), log.end(), entry));
    }

    ui::CUIManager manager;
    std::vector<std::string> log;
    std::function<void(ui::UINotification&)> onNotify;

protected:
    std::string WindowClassName() const override { return "TestWnd"; }
    unsigned ClassStyle() const override { return platform::CS_DBLCLKS; }
    platform::LResult HandleWindowMessage(unsigned message, platform::WParam wParam, platform::LParam lParam) override
    {
        if (message == platform::WM_CREATE) {
            manager.Init(GetHWND());
            manager.AttachRoot(root_);
            manager.AddNotificationListener(this);
            return 0;
        }
        platform::LResult result = 0;
        if (manager.HandleWindowMessage(message, wParam, lParam, result))
            return result;
        return CWindowWnd::HandleWindowMessage(message, wParam, lParam);
    }

private:
    ui::CControlUI* root_;
};

// A control of a fixed size, placed at (x, y) inside its parent when floating.
inline ui::CControlUI* fixedControl(const std::string& name, int width, int height)
{
    auto* control = new ui::CControlUI;
    control->SetName(name);
    control->SetFixedWidth(width);
    control->SetFixedHeight(height);
    return control;
}

} // namespace pelmo::test
