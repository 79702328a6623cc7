#include <gtest/gtest.h>

#include "tests/ui/WindowTestSupport.h"
#include "ui/controls/CComboUI.h"
#include "ui/controls/CComboWnd.h"
#include "ui/controls/CListLabelElementUI.h"
#include "ui/layout/CVerticalLayoutUI.h"

using namespace pelmo;
using namespace pelmo::ui;
using namespace pelmo::test;
using platform::Rect;

namespace {

platform::WindowHandle findDropDown(platform::WindowSystem& windows)
{
    for (platform::WindowHandle window : windows.topLevelWindows())
        if (windows.className(window) == "ComboWnd")
            return window;
    return platform::NoWindow;
}

// A 300 x 200 window at (100, `top`) with a 24-pixel combo box "combo" at
// its top holding `count` items "opt0" ... with the second one current.
struct ComboBox : ::testing::Test {
    void open(int count = 5, int top = 100)
    {
        auto* root = new CVerticalLayoutUI;
        combo = new CComboUI;
        combo->SetName("combo");
        combo->SetFixedHeight(24);
        for (int i = 0; i < count; ++i) {
            auto* item = new CListLabelElementUI;
            item->SetName("opt" + std::to_string(i));
            item->SetText("Option " + std::to_string(i));
            combo->Add(item);
        }
        combo->SelectItemAt(1);
        root->Add(combo);
        root->Add(new CControlUI);
        window = std::make_unique<TestWindow>(Rect{100, top, 400, top + 200}, root);
        window->onNotify = [this](UINotification& notification) {
            if (notification.type == "itemselect")
                selections.emplace_back(static_cast<int>(notification.wParam), static_cast<int>(notification.lParam));
        };
        display().runUntilIdle();
        origin = platform::Point{100, top};
    }
    platform::HeadlessDisplay& display() { return *screen.display; }
    platform::WindowSystem& windows() { return *screen.windows; }
    void clickCombo() { display().click(origin.x + 50, origin.y + 12); }
    int itemHeight() const { return window->manager.DefaultFontHeight() + 8; }

    HeadlessScreen screen;
    CComboUI* combo = nullptr;
    std::unique_ptr<TestWindow> window;
    platform::Point origin;
    std::vector<std::pair<int, int>> selections;
};

} // namespace

TEST_F(ComboBox, APressOpensTheDropDownBelowTheBoxAsHighAsItsItems)
{
    open();
    EXPECT_EQ(combo->GetText(), "Option 1");
    clickCombo();
    const platform::WindowHandle dropDown = findDropDown(windows());
    ASSERT_NE(dropDown, platform::NoWindow);
    EXPECT_EQ(window->count("dropdown:combo"), 1u);
    EXPECT_EQ(windows().windowRect(dropDown), (Rect{100, 124, 400, 124 + 5 * itemHeight() + 4}));
    EXPECT_EQ(windows().focus(), dropDown);
    // The items are shown, and bound, there.
    CControlUI* item = combo->GetItemAt(2);
    EXPECT_EQ(item->GetManager(), &combo->GetDropDown()->Manager());
    EXPECT_EQ(item->GetPos().top, 2 + 2 * itemHeight());
}

TEST_F(ComboBox, EscapeInTheDropDownRestoresTheItemThatWasCurrentWhenItOpened)
{
    open();
    clickCombo();
    display().pressKey(platform::VK_DOWN);
    display().pressKey(platform::VK_DOWN);
    EXPECT_EQ(combo->GetCurSel(), 3);
    EXPECT_NE(findDropDown(windows()), platform::NoWindow);  // moving the selection keeps it open
    display().pressKey(platform::VK_ESCAPE);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(selections, (std::vector<std::pair<int, int>>{{2, 1}, {3, 2}, {1, 3}}));
    EXPECT_EQ(findDropDown(windows()), platform::NoWindow);
    EXPECT_EQ(combo->GetDropDown(), nullptr);
    // The items are back with the combo, out of the way, and it has the focus.
    EXPECT_EQ(combo->GetItemAt(2)->GetManager(), &window->manager);
    EXPECT_EQ(combo->GetItemAt(2)->GetPos(), Rect{});
    EXPECT_TRUE(combo->IsFocused());
    EXPECT_EQ(windows().focus(), window->GetHWND());
}

TEST_F(ComboBox, ReturnKeepsTheNewItemAndAClickOnAnItemTakesItAndCloses)
{
    open();
    clickCombo();
    display().pressKey(platform::VK_DOWN);
    display().pressKey(platform::VK_RETURN);
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(findDropDown(windows()), platform::NoWindow);
    display().advanceTime(1000);  // no double click
    clickCombo();
    const Rect drop = windows().windowRect(findDropDown(windows()));
    display().click(drop.left + 20, drop.top + 2 + 4 * itemHeight() + 3);
    EXPECT_EQ(combo->GetCurSel(), 4);
    EXPECT_EQ(combo->GetText(), "Option 4");
    EXPECT_EQ(findDropDown(windows()), platform::NoWindow);
}

TEST_F(ComboBox, AClickOutsideTheDropDownClosesItAndKeepsTheSelection)
{
    open();
    clickCombo();
    display().click(origin.x + 150, origin.y + 150);
    EXPECT_EQ(findDropDown(windows()), platform::NoWindow);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_TRUE(selections.empty());
}

TEST_F(ComboBox, NearTheBottomOfTheWorkAreaTheDropDownOpensAboveTheBox)
{
    open(5, 1080 - 60);
    clickCombo();
    const Rect drop = windows().windowRect(findDropDown(windows()));
    EXPECT_EQ(drop.bottom, 1080 - 60);
    EXPECT_EQ(drop.height(), 5 * itemHeight() + 4);
}

TEST_F(ComboBox, ADropDownOfManyItemsStopsAtTheDropBoxHeightAndScrolls)
{
    open(30);
    clickCombo();
    const platform::WindowHandle dropDown = findDropDown(windows());
    EXPECT_EQ(windows().windowRect(dropDown).height(), 150);
    display().pressKey(platform::VK_END);
    EXPECT_EQ(combo->GetCurSel(), 29);
    display().runUntilIdle();
    // The last item is scrolled into the drop-down's view.
    EXPECT_LE(combo->GetItemAt(29)->GetPos().bottom, 150 - 2);
}

TEST_F(ComboBox, KeysAndTheWheelMoveTheSelectionPastItemsThatCannotBeSelected)
{
    open();
    combo->GetItemAt(2)->SetEnabled(false);
    window->manager.SetFocus(combo);
    display().pressKey(platform::VK_DOWN);
    EXPECT_EQ(combo->GetCurSel(), 3);
    display().pressKey(platform::VK_HOME);
    EXPECT_EQ(combo->GetCurSel(), 0);
    display().pressKey(platform::VK_END);
    EXPECT_EQ(combo->GetCurSel(), 4);
    display().mouseMove(origin.x + 50, origin.y + 12);
    display().wheel(1);
    EXPECT_EQ(combo->GetCurSel(), 3);
    EXPECT_EQ(findDropDown(windows()), platform::NoWindow);
}

TEST_F(ComboBox, SelectItemAtClampsPastTheEndAndRefusesWhatCannotBeSelected)
{
    open();
    EXPECT_TRUE(combo->SelectItemAt(99));
    EXPECT_EQ(combo->GetCurSel(), 4);
    combo->GetItemAt(0)->SetVisible(false);
    EXPECT_FALSE(combo->SelectItemAt(0));
    EXPECT_FALSE(combo->SelectItemAt(-1));
    EXPECT_EQ(combo->GetCurSel(), 4);
}

TEST_F(ComboBox, RemovingTheComboWhileItsDropDownIsOpenClosesTheDropDownSafely)
{
    open();
    clickCombo();
    display().mouseMove(200, 124 + 10);  // an item of the drop-down is hovered
    ASSERT_NE(findDropDown(windows()), platform::NoWindow);
    static_cast<CContainerUI*>(window->manager.GetRoot())->Remove(combo);
    display().runUntilIdle();
    EXPECT_EQ(findDropDown(windows()), platform::NoWindow);
    display().mouseMove(210, 124 + 12);
}
