#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/graphics/Surface.h"
#include "tests/ui/WindowTestSupport.h"
#include "ui/builder/CLayoutBuilder.h"
#include "ui/builder/IDialogBuilderCallback.h"

namespace pelmo::test {

// A top-level window at the screen's top-left corner (so screen and client
// coordinates agree) whose tree a CLayoutBuilder builds for its manager when
// the window is created. It records every notification.
class LayoutWindow : public ui::CWindowWnd, public ui::INotifyUI {
public:
    using Build = std::function<ui::CControlUI*(ui::CLayoutBuilder&, ui::CUIManager&)>;

    struct Notification {
        std::string type;
        std::string sender;
        platform::WParam wParam = 0;
    };

    LayoutWindow(int width, int height, Build build) : build_(std::move(build))
    {
        Create(platform::NoWindow, "layout", platform::WS_POPUP | platform::WS_VISIBLE, 0, 0, 0, width, height);
    }
    // Builds layout text (which begins with "<") or a layout file.
    LayoutWindow(int width, int height, const std::string& layout, ui::IDialogBuilderCallback* callback = nullptr)
        : LayoutWindow(width, height, [layout, callback](ui::CLayoutBuilder& layoutBuilder, ui::CUIManager& windowManager) {
              return layoutBuilder.Create(layout, {}, callback, &windowManager);
          })
    {
    }

    void OnNotification(ui::UINotification& notification) override
    {
        notifications.push_back(Notification{notification.type,
                                             notification.sender ? notification.sender->GetName() : std::string("-"),
                                             notification.wParam});
    }
    std::size_t count(const std::string& type, const std::string& sender) const
    {
        return static_cast<std::size_t>(std::count_if(notifications.begin(), notifications.end(),
                                                      [&](const Notification& each) {
                                                          return each.type == type && each.sender == sender;
                                                      }));
    }
    std::size_t count(const std::string& type) const
    {
        return static_cast<std::size_t>(std::count_if(notifications.begin(), notifications.end(),
                                                      [&](const Notification& each) { return each.type == type; }));
    }

    // The named control as the class it is expected to be, or none.
    template <class Control>
    Control* find(const std::string& name)
    {
        return dynamic_cast<Control*>(manager.LookupControl(name));
    }

    ui::CUIManager manager;
    ui::CLayoutBuilder builder;
    ui::CControlUI* built = nullptr;
    std::vector<Notification> notifications;

protected:
    std::string WindowClassName() const override { return "LayoutTestWnd"; }
    unsigned ClassStyle() const override { return platform::CS_DBLCLKS; }
    platform::LResult HandleWindowMessage(unsigned message, platform::WParam wParam, platform::LParam lParam) override
    {
        if (message == platform::WM_CREATE) {
            manager.Init(GetHWND());
            built = build_(builder, manager);
            if (built)
                manager.AttachRoot(built);
            manager.AddNotificationListener(this);
            return 0;
        }
        platform::LResult result = 0;
        if (manager.HandleWindowMessage(message, wParam, lParam, result))
            return result;
        return CWindowWnd::HandleWindowMessage(message, wParam, lParam);
    }

private:
    Build build_;
};

// The smallest rectangle within `area` of the pixels that differ from
// `background`; empty when there are none.
inline platform::Rect inkBounds(const platform::Surface& surface, const platform::Rect& area,
                                std::uint32_t background)
{
    platform::Rect ink{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (surface.pixel(x, y) != background) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
    return ink.isEmpty() ? platform::Rect{} : ink;
}

} // namespace pelmo::test
