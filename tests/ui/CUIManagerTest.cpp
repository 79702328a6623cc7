#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/WindowTestSupport.h"
#include "ui/layout/CHorizontalLayoutUI.h"
#include "ui/layout/CTabLayoutUI.h"
#include "ui/layout/CVerticalLayoutUI.h"

using namespace pelmo;
using namespace pelmo::ui;
using namespace pelmo::test;
using platform::Rect;

namespace {

// A window at (100, 100), 200 x 200, holding a column of three 30-pixel
// buttons ("first_btn", "second_btn", "third_btn") above a filler.
struct ButtonColumn : ::testing::Test {
    ButtonColumn()
    {
        auto* root = new CVerticalLayoutUI;
        root->SetName("root");
        for (const char* name : {"first_btn", "second_btn", "third_btn"}) {
            buttons.push_back(new TestButton(name));
            buttons.back()->SetFixedHeight(30);
            root->Add(buttons.back());
        }
        filler = new CControlUI;
        filler->SetName("filler");
        root->Add(filler);
        window = std::make_unique<TestWindow>(Rect{100, 100, 300, 300}, root);
        display().runUntilIdle();
    }
    platform::HeadlessDisplay& display() { return *screen.display; }
    std::ptrdiff_t position(const std::string& entry) const
    {
        auto found = std::find(window->log.begin(), window->log.end(), entry);
        return found == window->log.end() ? -1 : found - window->log.begin();
    }

    HeadlessScreen screen;
    std::vector<TestButton*> buttons;
    CControlUI* filler = nullptr;
    std::unique_ptr<TestWindow> window;
};

} // namespace

TEST_F(ButtonColumn, FirstPaintLaysOutTheTreeAndSendsWindowinitOnce)
{
    EXPECT_EQ(buttons[1]->GetPos(), (Rect{0, 30, 200, 60}));
    EXPECT_EQ(window->count("windowinit:root"), 1u);
    screen.windows->invalidateRect(window->GetHWND(), nullptr, false);
    display().runUntilIdle();
    EXPECT_EQ(window->count("windowinit:root"), 1u);
}

TEST_F(ButtonColumn, ReleaseOutsideTheButtonGivesNoClickAndReleaseInsideGivesClickAfterButtonUp)
{
    display().mouseMove(150, 110);
    display().mouseDown();
    display().mouseMove(150, 250);
    display().mouseUp();
    EXPECT_TRUE(buttons[0]->received(UIEventType::ButtonUp));
    EXPECT_FALSE(window->logged("click:first_btn"));

    bool buttonUpFirst = false;
    window->onNotify = [&](UINotification& notification) {
        if (notification.type == "click")
            buttonUpFirst = buttons[0]->events.back() == UIEventType::ButtonUp;
    };
    display().click(150, 110);
    EXPECT_EQ(window->count("click:first_btn"), 1u);
    EXPECT_TRUE(buttonUpFirst);
}

TEST_F(ButtonColumn, FocusMovingSendsKillfocusForTheOldControlBeforeSetfocusForTheNew)
{
    buttons[0]->SetFocus();
    window->log.clear();
    display().click(150, 145);
    ASSERT_GE(position("killfocus:first_btn"), 0);
    EXPECT_LT(position("killfocus:first_btn"), position("setfocus:second_btn"));
    EXPECT_TRUE(buttons[1]->IsFocused());
    EXPECT_FALSE(buttons[0]->IsFocused());
}

TEST_F(ButtonColumn, QueuedNotificationArrivesAfterTheHandlerReturned)
{
    bool arrivedInsideHandler = false;
    window->onNotify = [&](UINotification& notification) {
        if (notification.type != "click")
            return;
        window->manager.DispatchNotification(notification.sender, "answer", 0, 0, true);
        arrivedInsideHandler = window->logged("answer:first_btn");
    };
    display().click(150, 110);
    EXPECT_FALSE(arrivedInsideHandler);
    EXPECT_GT(position("answer:first_btn"), position("click:first_btn"));
}

TEST_F(ButtonColumn, QueuedNotificationLosesItsSenderWhenTheSenderIsDestroyed)
{
    auto* root = static_cast<CContainerUI*>(window->manager.GetRoot());
    root->SetDelayedDestroy(false);
    window->manager.DispatchNotification(buttons[2], "answer", 0, 0, true);
    root->Remove(buttons[2]);
    buttons.pop_back();
    display().runUntilIdle();
    EXPECT_TRUE(window->logged("answer:-"));
}

TEST_F(ButtonColumn, TabMovesTheFocusThroughTabStopsAndShiftTabGoesBack)
{
    buttons[1]->SetEnabled(false);
    display().pressKey(platform::VK_TAB);
    EXPECT_TRUE(buttons[0]->IsFocused());
    display().pressKey(platform::VK_TAB);
    EXPECT_TRUE(buttons[2]->IsFocused());
    display().pressKey(platform::VK_TAB);
    EXPECT_TRUE(buttons[0]->IsFocused());
    display().keyDown(platform::VK_SHIFT);
    display().pressKey(platform::VK_TAB);
    display().keyUp(platform::VK_SHIFT);
    EXPECT_TRUE(buttons[2]->IsFocused());
    // The Tab key never reaches the focused control.
    EXPECT_FALSE(buttons[2]->received(UIEventType::KeyDown));
    // Space on the focused button activates it.
    display().pressKey(platform::VK_SPACE);
    EXPECT_TRUE(window->logged("click:third_btn"));
}

TEST_F(ButtonColumn, AltShortcutFocusesAndActivatesItsControl)
{
    buttons[1]->SetShortcut('s');
    display().keyDown(platform::VK_MENU);
    display().pressKey('S');
    display().keyUp(platform::VK_MENU);
    EXPECT_TRUE(buttons[1]->IsFocused());
    EXPECT_TRUE(window->logged("click:second_btn"));
}

TEST_F(ButtonColumn, HoverEnterLeaveAndHoverEventsFollowThePointer)
{
    display().mouseMove(150, 110);
    EXPECT_TRUE(buttons[0]->received(UIEventType::MouseEnter));
    EXPECT_EQ(window->manager.GetHover(), buttons[0]);
    display().mouseMove(150, 140);
    EXPECT_TRUE(buttons[0]->received(UIEventType::MouseLeave));
    EXPECT_TRUE(buttons[1]->received(UIEventType::MouseEnter));
    display().advanceTime(1000);
    EXPECT_TRUE(buttons[1]->received(UIEventType::MouseHover));
    // Leaving the window: the hovered control hears of it too.
    display().mouseMove(500, 500);
    EXPECT_TRUE(buttons[1]->received(UIEventType::MouseLeave));
    EXPECT_EQ(window->manager.GetHover(), nullptr);
}

TEST_F(ButtonColumn, TooltipShowsAfterTheHoverDelayAndHidesWhenThePointerMoves)
{
    buttons[2]->SetToolTip("Apply all settings");
    display().mouseMove(150, 170);
    display().advanceTime(999);
    EXPECT_EQ(window->manager.GetTooltipWindow(), platform::NoWindow);
    display().advanceTime(1);
    const platform::WindowHandle tip = window->manager.GetTooltipWindow();
    ASSERT_NE(tip, platform::NoWindow);
    EXPECT_TRUE(screen.windows->isVisible(tip));
    EXPECT_EQ(screen.windows->className(tip), "tooltips_class32");
    // Below the pointer, and over every other window.
    EXPECT_GE(screen.windows->windowRect(tip).top, 170);
    EXPECT_EQ(screen.windows->topLevelWindows().front(), tip);
    display().mouseMove(150, 110);
    EXPECT_FALSE(screen.windows->isVisible(tip));
    // The next hover shows the tip sooner: the tooltip's own delay.
    display().mouseMove(150, 175);
    display().advanceTime(500);
    EXPECT_TRUE(screen.windows->isVisible(tip));
}

TEST_F(ButtonColumn, TimersFireAsNotificationsAndNeverForADestroyedControl)
{
    CUIManager& manager = window->manager;
    ASSERT_TRUE(manager.SetTimer(buttons[0], 7, 100));
    EXPECT_FALSE(manager.SetTimer(buttons[0], 7, 100));  // already running
    ASSERT_TRUE(manager.SetTimer(buttons[1], 7, 100));
    display().advanceTime(250);
    EXPECT_EQ(window->count("timer:first_btn"), 2u);

    auto* root = static_cast<CContainerUI*>(manager.GetRoot());
    root->Remove(buttons[0]);  // queued for deletion, destroyed at the next message
    display().advanceTime(500);
    EXPECT_EQ(window->count("timer:first_btn"), 2u);
    EXPECT_EQ(window->count("timer:second_btn"), 7u);

    // A killed timer set again runs again.
    manager.KillTimer(buttons[1], 7);
    display().advanceTime(300);
    EXPECT_EQ(window->count("timer:second_btn"), 7u);
    ASSERT_TRUE(manager.SetTimer(buttons[1], 7, 100));
    display().advanceTime(100);
    EXPECT_EQ(window->count("timer:second_btn"), 8u);
}

TEST_F(ButtonColumn, NameTableKeepsTheFirstNameAndForgetsOnlyItsOwnControl)
{
    CUIManager& manager = window->manager;
    auto* root = static_cast<CContainerUI*>(manager.GetRoot());
    auto* twin = new TestButton("first_btn");
    root->Add(twin);
    EXPECT_EQ(manager.LookupControl("first_btn"), buttons[0]);

    // Renaming does not change the table.
    buttons[0]->SetName("renamed_btn");
    EXPECT_EQ(manager.LookupControl("renamed_btn"), nullptr);
    EXPECT_EQ(manager.LookupControl("first_btn"), buttons[0]);

    // Destroying the twin leaves the entry alone; it never named the twin.
    root->Remove(twin);
    display().runUntilIdle();
    EXPECT_EQ(manager.LookupControl("first_btn"), buttons[0]);

    // The named control keeps its entry while queued, and loses it when destroyed.
    root->Remove(buttons[0]);
    EXPECT_EQ(manager.LookupControl("first_btn"), buttons[0]);
    display().runUntilIdle();
    EXPECT_EQ(manager.LookupControl("first_btn"), nullptr);
}

TEST_F(ButtonColumn, DisabledAndMouseTransparentControlsPassMouseInputOn)
{
    CUIManager& manager = window->manager;
    EXPECT_EQ(manager.LookupControl(platform::Point{50, 150}), filler);
    filler->SetMouseEnabled(false);
    EXPECT_EQ(manager.LookupControl(platform::Point{50, 150}), manager.GetRoot());
    buttons[0]->SetEnabled(false);
    EXPECT_EQ(manager.LookupControl(platform::Point{50, 10}), manager.GetRoot());
    display().click(150, 110);
    EXPECT_FALSE(buttons[0]->received(UIEventType::ButtonDown));
    EXPECT_FALSE(window->logged("click:first_btn"));
}

TEST(CUIManagerTabs, SelectingTheCurrentTabAgainSendsNothing)
{
    HeadlessScreen screen;
    auto* tabs = new CTabLayoutUI;
    tabs->SetName("pages");
    for (const char* name : {"page0", "page1", "page2"}) {
        auto* page = new CContainerUI;
        page->SetName(name);
        page->Add(new TestButton(std::string(name) + "_btn"));
        tabs->Add(page);
    }
    TestWindow window(Rect{0, 0, 200, 100}, tabs);
    std::vector<std::pair<platform::WParam, platform::LParam>> selections;
    window.onNotify = [&](UINotification& notification) {
        if (notification.type == "tabselect")
            selections.emplace_back(notification.wParam, notification.lParam);
    };
    screen.display->runUntilIdle();
    EXPECT_TRUE(tabs->SelectItem(2));
    EXPECT_TRUE(tabs->SelectItem(2));
    screen.display->runUntilIdle();
    ASSERT_EQ(selections.size(), 1u);
    EXPECT_EQ(selections[0], (std::pair<platform::WParam, platform::LParam>{2, 0}));
    // The shown page's button took the focus after the layout.
    EXPECT_TRUE(window.manager.LookupControl("page2_btn")->IsFocused());
}

TEST(CUIManagerPaint, HoverRepaintPresentsOnlyTheChangedControls)
{
    HeadlessScreen screen;
    // 300 controls: 30 rows of 10 buttons, 20 x 10 pixels each.
    auto* root = new CVerticalLayoutUI;
    root->SetBkColor(0xFF202020);
    std::vector<TestButton*> cells;
    for (int row = 0; row < 30; ++row) {
        auto* line = new CHorizontalLayoutUI;
        line->SetFixedHeight(10);
        for (int column = 0; column < 10; ++column) {
            cells.push_back(new TestButton);
            cells.back()->SetBkColor(0xFF808080);
            cells.back()->SetFixedWidth(20);
            line->Add(cells.back());
        }
        root->Add(line);
    }
    TestWindow window(Rect{0, 0, 200, 300}, root);
    screen.display->runUntilIdle();
    screen.display->clearPresented();

    screen.display->mouseMove(5, 5);    // the first button of the first row
    screen.display->mouseMove(45, 15);  // the third button of the second row
    const auto& presented = screen.display->presented();
    std::vector<Rect> areas;
    for (const auto& each : presented)
        areas.push_back(each.area);
    EXPECT_EQ(areas, (std::vector<Rect>{Rect{0, 0, 20, 10}, Rect{0, 0, 20, 10}, Rect{40, 10, 60, 20}}));
}
