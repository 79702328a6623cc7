#include <gtest/gtest.h>

#include "platform/graphics/PngWriter.h"
#include "tests/platform/TemporaryFolder.h"
#include "tests/ui/WindowTestSupport.h"
#include "ui/resources/UIResources.h"
#include "ui/controls/CScrollBarUI.h"
#include "ui/layout/CVerticalLayoutUI.h"

using namespace pelmo;
using namespace pelmo::ui;
using namespace pelmo::test;
using platform::Rect;

namespace {

// A 200 x 100 window at (100, 100) whose root column holds ten 30-pixel
// rows, 300 pixels in all: its vertical bar has a range of 200.
struct ScrolledColumn : ::testing::Test {
    ScrolledColumn()
    {
        root = new CVerticalLayoutUI;
        root->SetName("root");
        root->ApplyAttribute("vscrollbar", "true");
        for (int i = 0; i < 10; ++i)
            root->Add(fixedControl("row" + std::to_string(i), 0, 30));
        window = std::make_unique<TestWindow>(Rect{100, 100, 300, 200}, root);
        display().runUntilIdle();
        bar = dynamic_cast<CScrollBarUI*>(root->GetVerticalScrollBar());
    }
    platform::HeadlessDisplay& display() { return *screen.display; }
    // Screen coordinates of a point in the window's client area.
    void press(int x, int y)
    {
        display().mouseMove(100 + x, 100 + y);
        display().mouseDown();
    }
    int line() const { return window->manager.DefaultFontHeight() + 8; }
    int scrolled() const { return root->GetScrollPos().cy; }

    HeadlessScreen screen;
    CVerticalLayoutUI* root = nullptr;
    CScrollBarUI* bar = nullptr;
    std::unique_ptr<TestWindow> window;
};

} // namespace

TEST_F(ScrolledColumn, OverflowingContentShowsTheBarWithTheExcessAsRange)
{
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(bar->GetScrollRange(), 200);
    EXPECT_EQ(bar->GetPos(), (Rect{200 - CScrollBarUI::defaultThickness, 0, 200, 100}));
    // A third of the content is visible, and the thumb is a third of the rail.
    const int rail = 100 - 2 * CScrollBarUI::defaultThickness;
    EXPECT_EQ(bar->ThumbRect().height(), rail * 100 / 300);
    EXPECT_EQ(root->GetItemAt(0)->GetPos().right, 200 - CScrollBarUI::defaultThickness);
}

TEST_F(ScrolledColumn, ArrowsScrollALineAndTheContentMovesWithoutANewLayout)
{
    const Rect down = bar->Button2Rect();
    display().click(100 + down.left + 2, 100 + down.top + 2);
    EXPECT_EQ(scrolled(), line());
    EXPECT_EQ(root->GetItemAt(0)->GetPos().top, -line());
    const Rect up = bar->Button1Rect();
    display().click(100 + up.left + 2, 100 + up.top + 2);
    EXPECT_EQ(scrolled(), 0);
    display().click(100 + up.left + 2, 100 + up.top + 2);
    EXPECT_EQ(scrolled(), 0);
}

TEST_F(ScrolledColumn, AHeldArrowRepeatsFromTheSixthTickOfTheFiftyMillisecondTimer)
{
    const Rect down = bar->Button2Rect();
    press(down.left + 2, down.top + 2);
    EXPECT_EQ(scrolled(), line());
    display().advanceTime(5 * CScrollBarUI::repeatPeriodMs);
    EXPECT_EQ(scrolled(), line());
    display().advanceTime(CScrollBarUI::repeatPeriodMs);
    EXPECT_EQ(scrolled(), 2 * line());
    display().advanceTime(CScrollBarUI::repeatPeriodMs);
    EXPECT_EQ(scrolled(), 3 * line());
    display().mouseUp();
    display().advanceTime(10 * CScrollBarUI::repeatPeriodMs);
    EXPECT_EQ(scrolled(), 3 * line());
}

TEST_F(ScrolledColumn, DraggingTheThumbMovesTheContentAtTheNextTickSoThatTheThumbFollowsThePointer)
{
    const Rect thumb = bar->ThumbRect();
    press(thumb.left + 3, thumb.top + 2);
    display().mouseMove(100 + thumb.left + 3, 100 + thumb.top + 2 + 10);
    EXPECT_EQ(scrolled(), 0);
    display().advanceTime(CScrollBarUI::repeatPeriodMs);
    const int rail = 100 - 2 * CScrollBarUI::defaultThickness;
    const int travel = rail - thumb.height();
    EXPECT_EQ(scrolled(), 10 * 200 / travel);
    EXPECT_NEAR(bar->ThumbRect().top, thumb.top + 10, 1);
    // Far past the end the position stops at the range.
    display().mouseMove(100 + thumb.left + 3, 100 + 400);
    display().advanceTime(CScrollBarUI::repeatPeriodMs);
    EXPECT_EQ(scrolled(), 200);
    display().mouseUp();
}

TEST_F(ScrolledColumn, PressingTheRailPagesTowardsThePressUntilTheThumbReachesIt)
{
    const Rect below{bar->GetPos().left + 3, bar->Button2Rect().top - 3, 0, 0};
    press(below.left, below.top);
    EXPECT_EQ(scrolled(), 100);  // one page: the content height
    display().advanceTime(20 * CScrollBarUI::repeatPeriodMs);
    EXPECT_EQ(scrolled(), 200);
    display().mouseUp();
}

TEST_F(ScrolledColumn, TheWheelOverTheBarScrollsItsContainer)
{
    const Rect thumb = bar->ThumbRect();
    display().mouseMove(100 + thumb.left + 3, 100 + thumb.top + 3);
    display().wheel(-1);
    EXPECT_EQ(scrolled(), line());
}

TEST_F(ScrolledColumn, ContentThatFitsAgainHidesTheBarAndReturnsToTheTop)
{
    display().click(100 + bar->Button2Rect().left + 2, 100 + bar->Button2Rect().top + 2);
    while (root->GetCount() > 3)
        root->RemoveAt(root->GetCount() - 1);
    display().runUntilIdle();
    EXPECT_FALSE(bar->IsVisible());
    EXPECT_EQ(root->GetItemAt(0)->GetPos().top, 0);
}

TEST(CScrollBarUI, AVScrollBarDefaultListStylesTheBarsContainersCreateLater)
{
    HeadlessScreen screen;
    auto* root = new CVerticalLayoutUI;
    TestWindow window(Rect{0, 0, 100, 100}, root);
    window.manager.AddDefaultAttributes("VScrollBar", "width=\"9\" showbutton1=\"false\" linesize=\"3\"");
    root->ShowScrollBars(true, false);
    auto* bar = dynamic_cast<CScrollBarUI*>(root->GetVerticalScrollBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetFixedWidth(), 9);
    EXPECT_FALSE(bar->IsShowButton1());
    EXPECT_EQ(bar->GetLineSize(), 3);
}

TEST(CScrollBarUI, ABarWithoutOwnerKeepsItsOwnPositionAndSendsScroll)
{
    HeadlessScreen screen;
    auto* root = new CVerticalLayoutUI;
    auto* bar = new CScrollBarUI;
    bar->SetName("bar");
    bar->ApplyAttributeString("hor=\"true\" range=\"50\" linesize=\"20\" value=\"40\"");
    root->Add(bar);
    root->Add(new CControlUI);
    TestWindow window(Rect{0, 0, 200, 100}, root);
    screen.display->runUntilIdle();
    EXPECT_EQ(bar->GetPos(), (Rect{0, 0, 200, CScrollBarUI::defaultThickness}));
    EXPECT_EQ(bar->GetScrollPos(), 40);
    const Rect forward = bar->Button2Rect();
    screen.display->click(forward.left + 2, forward.top + 2);
    EXPECT_EQ(bar->GetScrollPos(), 50);
    EXPECT_EQ(window.count("scroll:bar"), 1u);
    // At the end nothing moves and nothing is sent.
    screen.display->click(forward.left + 2, forward.top + 2);
    EXPECT_EQ(window.count("scroll:bar"), 1u);
    // Setting the position from code is silent.
    bar->SetScrollPos(0);
    EXPECT_EQ(window.count("scroll:bar"), 1u);
}

TEST_F(ScrolledColumn, EachPartDrawsTheImageOfItsStateAndTheRestKeepThePlainLook)
{
    TemporaryFolder skin;
    UIResources::SetSkinFolder(skin.path());
    auto solid = [&](const std::string& name, std::uint32_t colour) {
        platform::Surface image(4, 4);
        image.clear(colour);
        platform::PngWriter::write(image, skin.file(name));
    };
    solid("thumb.png", 0xFF00A000);
    solid("thumb_hot.png", 0xFFA00000);
    bar->ApplyAttributeString("thumbnormalimage=\"thumb.png\" thumbhotimage=\"thumb_hot.png\"");
    display().runUntilIdle();
    const platform::Surface& pixels = *screen.windows->surface(window->GetHWND());
    const Rect thumb = bar->ThumbRect();
    const int x = (thumb.left + thumb.right) / 2;
    const int y = (thumb.top + thumb.bottom) / 2;
    EXPECT_EQ(pixels.pixel(x, y), 0xFF00A000u);
    display().mouseMove(100 + x, 100 + y);
    display().runUntilIdle();
    EXPECT_EQ(pixels.pixel(x, y), 0xFFA00000u);
    // The arrows have no images: their plain look differs from the thumb's.
    const Rect up = bar->Button1Rect();
    EXPECT_NE(pixels.pixel(up.left + 1, up.top + 1), 0xFF00A000u);
    UIResources::Reset();
}
