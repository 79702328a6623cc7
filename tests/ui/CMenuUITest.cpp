#include <gtest/gtest.h>

#include "tests/ui/WindowTestSupport.h"
#include "ui/controls/CLabelUI.h"
#include "ui/controls/CListUI.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "ui/menu/CMenuElementUI.h"
#include "ui/menu/CMenuUI.h"

using namespace pelmo;
using namespace pelmo::ui;
using namespace pelmo::test;
using platform::Point;
using platform::Rect;

namespace {

// A window that keeps the identifiers of the WM_COMMAND messages it gets.
class CommandWindow : public TestWindow {
public:
    explicit CommandWindow(const Rect& rect) : TestWindow(rect, new CVerticalLayoutUI) {}
    std::vector<unsigned> commands;

protected:
    platform::LResult HandleWindowMessage(unsigned message, platform::WParam wParam, platform::LParam lParam) override
    {
        if (message == platform::WM_COMMAND) {
            commands.push_back(platform::lowWord(wParam));
            return 0;
        }
        return TestWindow::HandleWindowMessage(message, wParam, lParam);
    }
};

std::vector<platform::WindowHandle> menuWindows(platform::WindowSystem& windows)
{
    std::vector<platform::WindowHandle> found;
    for (platform::WindowHandle window : windows.topLevelWindows())
        if (windows.className(window) == "MenuUI" && windows.isVisible(window))
            found.push_back(window);
    return found;
}

// An owner window at (100, 100), 400 x 300, and a menu made for it: "Copy"
// (2010), a separator, "Paste" (2011) and "More" (2000) with a sub-menu of
// "Left" (2020) and "Right" (2021).
struct OpenMenu : ::testing::Test {
    OpenMenu() : owner(Rect{100, 100, 500, 400}) { display().runUntilIdle(); }

    CMenuUI* make(Point at)
    {
        auto* menu = new CMenuUI;
        EXPECT_TRUE(menu->Init(at, owner.GetHWND()));
        menu->AddItem("Copy", 2010);
        menu->AddSeparator(0xFF808080);
        menu->AddItem("Paste", 2011);
        CMenuElementUI* more = menu->AddItem("More", 2000, {}, 0xFFFFFFFF, 0, true);
        more->GetSubMenu()->AddItem("Left", 2020);
        more->GetSubMenu()->AddItem("Right", 2021);
        menu->Show();
        display().runUntilIdle();
        return menu;
    }
    platform::HeadlessDisplay& display() { return *screen.display; }
    platform::WindowSystem& windows() { return *screen.windows; }
    // The screen point in the middle of row `row` of a menu window.
    Point rowOf(platform::WindowHandle menu, int top)
    {
        const Rect rect = windows().windowRect(menu);
        return Point{rect.left + 40, rect.top + top + 10};
    }

    HeadlessScreen screen;
    CommandWindow owner;
};

// Rows: Copy at 2..22, separator at 22..24, Paste at 24..44, More at 44..64.
constexpr int copyTop = 2;
constexpr int pasteTop = 24;
constexpr int moreTop = 44;

} // namespace

TEST_F(OpenMenu, ItOpensAtThePointAsWideAsTheMenuAndAsHighAsItsRows)
{
    make(Point{200, 200});
    const auto menus = menuWindows(windows());
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(windows().windowRect(menus[0]), (Rect{200, 200, 350, 200 + 20 + 2 + 20 + 20 + 4}));
    EXPECT_EQ(windows().activeWindow(), menus[0]);
    EXPECT_EQ(CMenuUI::MenuOwnerWindow(), owner.GetHWND());
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(OpenMenu, ChoosingARowPostsItsIdThenEveryClosingMenuPosts1999)
{
    CMenuUI* menu = make(Point{200, 200});
    auto* paste = dynamic_cast<CLabelUI*>(
        static_cast<CMenuElementUI*>(menu->GetList()->GetItemAt(2))->GetLabel());
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->GetName(), "MenuElementLabel7db");
    const Point at = rowOf(menuWindows(windows())[0], pasteTop);
    display().click(at.x, at.y);
    EXPECT_EQ(owner.commands, (std::vector<unsigned>{2011, CMenuUI::closedCommand}));
    EXPECT_TRUE(menuWindows(windows()).empty());
    EXPECT_TRUE(CMenuUI::OpenMenus().empty());
}

TEST_F(OpenMenu, ClickingElsewhereClosesTheMenuWithOnly1999)
{
    make(Point{200, 200});
    display().click(450, 350);  // in the owner window, away from the menu
    EXPECT_EQ(owner.commands, (std::vector<unsigned>{CMenuUI::closedCommand}));
    EXPECT_TRUE(menuWindows(windows()).empty());
}

TEST_F(OpenMenu, EscapeClosesTheMenu)
{
    make(Point{200, 200});
    display().pressKey(platform::VK_ESCAPE);
    EXPECT_EQ(owner.commands, (std::vector<unsigned>{CMenuUI::closedCommand}));
}

TEST_F(OpenMenu, EnteringARowColoursItsLabelAndShowsItsSubMenuBesideIt)
{
    CMenuUI* menu = make(Point{200, 200});
    const platform::WindowHandle top = menuWindows(windows())[0];
    auto* copy = static_cast<CMenuElementUI*>(menu->GetList()->GetItemAt(0));
    const Point copyAt = rowOf(top, copyTop);
    display().mouseMove(copyAt.x, copyAt.y);
    EXPECT_EQ(copy->GetLabel()->GetTextColor(), CMenuElementUI::hotLabelColour);
    EXPECT_EQ(menu->GetList()->GetCurSel(), 0);

    const Point moreAt = rowOf(top, moreTop);
    display().mouseMove(moreAt.x, moreAt.y);
    EXPECT_EQ(copy->GetLabel()->GetTextColor(), CMenuElementUI::labelColour);
    const auto menus = menuWindows(windows());
    ASSERT_EQ(menus.size(), 2u);
    const platform::WindowHandle sub = menus[0] == top ? menus[1] : menus[0];
    EXPECT_EQ(windows().windowRect(sub), (Rect{350, 200 + moreTop, 500, 200 + moreTop + 44}));

    // Back on another row, the sub-menu hides; choosing from it closes both.
    display().mouseMove(copyAt.x, copyAt.y);
    EXPECT_FALSE(windows().isVisible(sub));
    display().mouseMove(moreAt.x, moreAt.y);
    const Point rightAt = rowOf(sub, 22);
    display().click(rightAt.x, rightAt.y);
    EXPECT_EQ(owner.commands, (std::vector<unsigned>{2021, CMenuUI::closedCommand, CMenuUI::closedCommand}));
    EXPECT_TRUE(CMenuUI::OpenMenus().empty());
}

TEST_F(OpenMenu, PastTheRightEdgeMenusOpenToTheLeftOfThePointAndOfTheirParent)
{
    make(Point{1900, 100});
    const platform::WindowHandle top = menuWindows(windows())[0];
    EXPECT_EQ(windows().windowRect(top).left, 1900 - 150);
    const Point moreAt = rowOf(top, moreTop);
    display().mouseMove(moreAt.x, moreAt.y);
    const auto menus = menuWindows(windows());
    ASSERT_EQ(menus.size(), 2u);
    const platform::WindowHandle sub = menus[0] == top ? menus[1] : menus[0];
    EXPECT_EQ(windows().windowRect(sub).left, 1900 - 150 - 150);
}

TEST_F(OpenMenu, PastTheBottomEdgeAMenuMovesUpByItsHeightButStaysBelowTheTop)
{
    make(Point{100, 1070});
    EXPECT_EQ(windows().windowRect(menuWindows(windows())[0]).top, 1070 - 66);
    CMenuUI::CloseAllMenus();
    display().runUntilIdle();

    auto* tall = new CMenuUI;
    tall->Init(Point{100, 1000}, owner.GetHWND());
    for (unsigned id = 0; id < 60; ++id)
        tall->AddItem("row", 3000 + id);
    tall->Show();
    display().runUntilIdle();
    EXPECT_EQ(windows().windowRect(menuWindows(windows())[0]).top, 4);
}

TEST_F(OpenMenu, AMenuWithoutRowsClosesWhenShown)
{
    auto* empty = new CMenuUI;
    empty->Init(Point{200, 200}, owner.GetHWND());
    empty->Show();
    display().runUntilIdle();
    EXPECT_TRUE(menuWindows(windows()).empty());
    EXPECT_EQ(owner.commands, (std::vector<unsigned>{CMenuUI::closedCommand}));
}

TEST_F(OpenMenu, OpeningAMenuClosesTheOneBefore)
{
    make(Point{200, 200});
    make(Point{300, 300});
    const auto menus = menuWindows(windows());
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(windows().windowRect(menus[0]).left, 300);
    EXPECT_EQ(owner.commands, (std::vector<unsigned>{CMenuUI::closedCommand}));
}
