#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/window/X11Display.h"
#include "tests/support/XvfbServer.h"
#include "tests/ui/WindowTestSupport.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "ui/painter/WindowShape.h"

using namespace pelmo;
using namespace pelmo::platform;
using namespace pelmo::ui;
using pelmo::test::TestButton;
using pelmo::test::TestWindow;

namespace {

// Runs the UI loop against the real server until `done` or the time is up.
bool pumpUntil(WindowSystem& windows, const std::function<bool()>& done, int milliseconds = 5000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
        WindowMessage message;
        while (windows.peekMessage(message, true)) {
            if (CUIManager::TranslateMessage(message))
                continue;
            windows.translateMessage(message);
            windows.dispatchMessage(message);
        }
        if (done())
            return true;
        windows.backend().waitForEvents(20);
    }
    return done();
}

constexpr std::uint32_t windowColour = 0xFF3060A0;
constexpr std::uint32_t buttonColour = 0xFFC04040;

} // namespace

TEST(X11Display, ShapedWindowAppearsAndASyntheticClickReachesItsButton)
{
    test::XvfbServer xvfb;
    ASSERT_TRUE(xvfb.running()) << "Xvfb did not start";
    std::string error;
    std::unique_ptr<WindowSystem> windows = WindowSystem::open(WindowSystem::Choice::X11, xvfb.display(), &error);
    ASSERT_TRUE(windows) << error;
    WindowSystem::setCurrent(windows.get());
    auto& x11 = static_cast<X11Display&>(windows->backend());
    ASSERT_TRUE(x11.hasShape());

    auto* root = new CVerticalLayoutUI;
    root->SetBkColor(windowColour);
    auto* button = new TestButton("ok_btn");
    button->SetFixedHeight(40);
    button->SetPadding(Rect{20, 20, 20, 0});
    button->SetBkColor(buttonColour);
    root->Add(button);
    root->Add(new CControlUI);
    {
        TestWindow window(Rect{100, 100, 300, 300}, root);
        windows->setWindowRegion(window.GetHWND(), WindowShape::roundCornerRegion(200, 200, 60, 60), true);
        // The window is mapped, painted and shaped: its colour shows inside
        // the outline and not in the cut corner.
        Surface shot;
        ASSERT_TRUE(pumpUntil(*windows, [&] {
            x11.sync();
            shot = x11.grabScreen();
            return shot.pixel(200, 250) == windowColour && shot.pixel(140, 130) == buttonColour;
        }));
        EXPECT_NE(shot.pixel(101, 101), windowColour);

        ASSERT_TRUE(x11.fakeMotion(200, 140));
        ASSERT_TRUE(x11.fakeButton(1, true));
        ASSERT_TRUE(x11.fakeButton(1, false));
        EXPECT_TRUE(pumpUntil(*windows, [&] { return window.logged("click:ok_btn"); }));
        EXPECT_TRUE(button->received(UIEventType::ButtonDown));
    }
    WindowSystem::setCurrent(nullptr);
}
