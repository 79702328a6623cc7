#include <gtest/gtest.h>

#include "tests/ui/WindowTestSupport.h"
#include "ui/controls/CListBodyUI.h"
#include "ui/controls/CListHeaderItemUI.h"
#include "ui/controls/CListHeaderUI.h"
#include "ui/controls/CListLabelElementUI.h"
#include "ui/controls/CListTextElementUI.h"
#include "ui/controls/CListUI.h"
#include "ui/controls/CScrollBarUI.h"
#include "ui/layout/CVerticalLayoutUI.h"

using namespace pelmo;
using namespace pelmo::ui;
using namespace pelmo::test;
using platform::Rect;

namespace {

// A 200 x 100 window at (0, 0) filled by a list of twenty 20-pixel items
// "item0" ... "item19" with a vertical scroll bar and no header: five items
// show at a time.
struct TwentyItems : ::testing::Test {
    TwentyItems()
    {
        list = new CListUI;
        list->SetName("list");
        list->ApplyAttributeString("header=\"hidden\" vscrollbar=\"true\"");
        for (int i = 0; i < 20; ++i) {
            auto* item = new CListLabelElementUI;
            item->SetName("item" + std::to_string(i));
            item->SetText("Item " + std::to_string(i));
            item->SetFixedHeight(20);
            list->Add(item);
        }
        window = std::make_unique<TestWindow>(Rect{0, 0, 200, 100}, list);
        window->onNotify = [this](UINotification& notification) {
            if (notification.type == "itemselect")
                selections.emplace_back(static_cast<int>(notification.wParam), static_cast<int>(notification.lParam));
        };
        display().runUntilIdle();
    }
    platform::HeadlessDisplay& display() { return *screen.display; }
    CControlUI* item(int index) { return list->GetItemAt(index); }
    // Clicks the middle of an item as it is placed now.
    void clickItem(int index)
    {
        const Rect at = item(index)->GetPos();
        display().click(at.left + 10, (at.top + at.bottom) / 2);
    }

    HeadlessScreen screen;
    CListUI* list = nullptr;
    std::unique_ptr<TestWindow> window;
    std::vector<std::pair<int, int>> selections;
};

} // namespace

TEST_F(TwentyItems, ItemsStackInTheBodyWithTheirIndicesAndOwner)
{
    EXPECT_EQ(list->GetCount(), 20);
    EXPECT_EQ(item(1)->GetPos(), (Rect{0, 20, 200 - CScrollBarUI::defaultThickness, 40}));
    auto* listItem = static_cast<IListItemUI*>(item(7)->AsInterface("ListItem"));
    EXPECT_EQ(listItem->GetIndex(), 7);
    EXPECT_EQ(listItem->GetOwner(), static_cast<IListOwnerUI*>(list));
    EXPECT_EQ(list->GetVerticalScrollBar()->GetScrollRange(), 300);
}

TEST_F(TwentyItems, AClickSendsItemclickThenSelectsTheItem)
{
    clickItem(2);
    EXPECT_EQ(list->GetCurSel(), 2);
    ASSERT_GE(window->log.size(), 2u);
    const auto click = std::find(window->log.begin(), window->log.end(), "itemclick:item2");
    const auto select = std::find(window->log.begin(), window->log.end(), "itemselect:list");
    EXPECT_LT(click, select);
    clickItem(4);
    EXPECT_EQ(selections, (std::vector<std::pair<int, int>>{{2, -1}, {4, 2}}));
    EXPECT_FALSE(static_cast<IListItemUI*>(item(2)->AsInterface("ListItem"))->IsSelected());
    EXPECT_TRUE(static_cast<IListItemUI*>(item(4)->AsInterface("ListItem"))->IsSelected());
    // Clicking the current item again changes nothing.
    clickItem(4);
    EXPECT_EQ(selections.size(), 2u);
}

TEST_F(TwentyItems, KeysMoveTheSelectionSkippingItemsThatCannotBeSelectedAndScrollItIntoView)
{
    item(3)->SetEnabled(false);
    item(4)->SetVisible(false);
    display().runUntilIdle();
    clickItem(2);
    display().pressKey(platform::VK_DOWN);
    EXPECT_EQ(list->GetCurSel(), 5);
    display().pressKey(platform::VK_UP);
    EXPECT_EQ(list->GetCurSel(), 2);
    display().pressKey(platform::VK_END);
    EXPECT_EQ(list->GetCurSel(), 19);
    const Rect last = item(19)->GetPos();
    EXPECT_EQ(last.bottom, 100);  // the body scrolled to show the whole item
    display().pressKey(platform::VK_HOME);
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_EQ(item(0)->GetPos().top, 0);
}

TEST_F(TwentyItems, SelectingAnItemThatCannotBeSelectedFailsAndKeepsTheSelection)
{
    ASSERT_TRUE(list->SelectItemAt(1));
    item(6)->SetEnabled(false);
    for (int index : {-1, 20, 6})
        EXPECT_FALSE(list->SelectItemAt(index)) << index;
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(selections.size(), 1u);
}

TEST_F(TwentyItems, ReturnAndADoubleClickActivateTheItem)
{
    clickItem(1);
    display().pressKey(platform::VK_RETURN);
    EXPECT_EQ(window->count("itemactivate:item1"), 1u);
    display().advanceTime(1000);
    clickItem(3);
    clickItem(3);
    EXPECT_EQ(window->count("itemactivate:item3"), 1u);
}

TEST_F(TwentyItems, TheWheelScrollsALineOrWithScrollSelectMovesTheSelection)
{
    display().mouseMove(50, 50);
    display().wheel(-1);
    EXPECT_EQ(list->GetScrollPos().cy, window->manager.DefaultFontHeight() + 8);
    EXPECT_EQ(list->GetCurSel(), -1);
    list->ApplyAttribute("scrollselect", "true");
    list->SelectItemAt(5);
    display().wheel(-1);
    EXPECT_EQ(list->GetCurSel(), 6);
    display().wheel(1);
    EXPECT_EQ(list->GetCurSel(), 5);
}

TEST_F(TwentyItems, RemovingItemsKeepsTheCurrentIndexOnTheSameItem)
{
    list->SelectItemAt(5);
    list->RemoveAt(2);
    EXPECT_EQ(list->GetCurSel(), 4);
    EXPECT_EQ(static_cast<IListItemUI*>(item(4)->AsInterface("ListItem"))->GetIndex(), 4);
    list->Remove(item(4));
    EXPECT_EQ(list->GetCurSel(), -1);
    list->InsertChildAt(new CListLabelElementUI, 0);
    EXPECT_EQ(static_cast<IListItemUI*>(item(18)->AsInterface("ListItem"))->GetIndex(), 18);
    list->RemoveAll();
    EXPECT_EQ(list->GetCount(), 0);
    display().runUntilIdle();
}

TEST(CListUI, TextItemsDrawEachTextInTheColumnOfItsHeading)
{
    HeadlessScreen screen;
    auto* list = new CListUI;
    for (int width : {60, 80}) {
        auto* heading = new CListHeaderItemUI;
        heading->SetFixedWidth(width);
        list->Add(heading);
    }
    auto* row = new CListTextElementUI;
    row->SetColumnText(0, "first");
    row->SetColumnText(1, "second");
    list->Add(row);
    TestWindow window(Rect{0, 0, 200, 100}, list);
    screen.display->runUntilIdle();
    EXPECT_EQ(list->GetHeader()->GetCount(), 2);
    EXPECT_EQ(list->GetCount(), 1);
    EXPECT_GT(list->GetHeader()->GetPos().height(), 0);
    EXPECT_EQ(row->GetPos().top, list->GetHeader()->GetPos().bottom);
    ASSERT_EQ(list->GetItemSettings().columnCount, 2);
    EXPECT_EQ(list->GetItemSettings().columns[1].left, 60);
    EXPECT_EQ(list->GetItemSettings().columns[1].right, 140);
    EXPECT_EQ(row->GetText(), "first");
}
