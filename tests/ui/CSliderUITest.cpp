#include <gtest/gtest.h>

#include <memory>

#include "platform/graphics/PngWriter.h"
#include "tests/platform/TemporaryFolder.h"
#include "tests/ui/LayoutTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/controls/CProgressUI.h"
#include "ui/controls/CSliderUI.h"
#include "ui/resources/UIResources.h"

using namespace pelmo;
using namespace pelmo::ui;
using namespace pelmo::test;
using platform::Rect;

namespace {

// A slider of 0..100 at (0, 0), 110 x 10 with a 10 x 10 thumb, so that the
// track runs from x = 5 to x = 105 and x = 5 + v is value v.
struct CSliderUITest : ::testing::Test {
    CSliderUITest()
    {
        window = std::make_unique<LayoutWindow>(200, 100, R"(<Window><VerticalLayout>
            <Slider name="speed_slider" width="110" height="10" min="0" max="100" value="0" step="3" />
            <Control />
          </VerticalLayout></Window>)");
        display().runUntilIdle();
        slider = window->find<CSliderUI>("speed_slider");
        window->notifications.clear();
    }
    platform::HeadlessDisplay& display() { return *screen.display; }

    HeadlessScreen screen;
    std::unique_ptr<LayoutWindow> window;
    CSliderUI* slider = nullptr;
};

} // namespace

TEST_F(CSliderUITest, DraggingTheThumbFollowsTheMouseAndNotifiesOnlyOnRelease)
{
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetThumbRect(), (Rect{0, 0, 10, 10}));
    display().mouseMove(5, 5);
    display().mouseDown();
    EXPECT_TRUE(slider->GetState() & UISTATE_CAPTURED);
    display().mouseMove(55, 5);
    EXPECT_EQ(slider->GetValue(), 50);
    EXPECT_EQ(slider->GetThumbRect(), (Rect{50, 0, 60, 10}));
    display().mouseMove(190, 60);
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_EQ(window->count("valuechanged"), 0u);
    display().mouseMove(75, 60);
    display().mouseUp();
    EXPECT_EQ(slider->GetValue(), 70);
    EXPECT_FALSE(slider->GetState() & UISTATE_CAPTURED);
    EXPECT_EQ(window->count("valuechanged", "speed_slider"), 1u);
}

TEST_F(CSliderUITest, AClickBesideTheThumbJumpsThereAndTheEndsOfTheTrackGiveTheLimits)
{
    struct Case {
        int x;
        int value;
    } cases[] = {{30, 25}, {105, 100}, {104, 99}, {6, 1}, {5, 0}, {1, 0}};
    for (const Case& each : cases) {
        SCOPED_TRACE(each.x);
        slider->SetValue(50);
        display().click(each.x, 5);
        EXPECT_EQ(slider->GetValue(), each.value);
    }
    EXPECT_EQ(window->count("valuechanged", "speed_slider"), std::size(cases));
}

TEST_F(CSliderUITest, TheWheelStepsWithinTheRangeAndNotifiesEvenAtTheLimit)
{
    slider->SetValue(100);
    display().mouseMove(50, 5);
    display().wheel(1);
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_EQ(window->count("valuechanged", "speed_slider"), 1u);
    display().wheel(-1);
    EXPECT_EQ(slider->GetValue(), 97);
    slider->SetValue(2);
    display().wheel(-1);
    EXPECT_EQ(slider->GetValue(), 0);
    EXPECT_EQ(window->count("valuechanged", "speed_slider"), 3u);
}

TEST_F(CSliderUITest, ValuesSetByTheProgramSendNothingAndAnEmptyRangeGrowsToOneStepWhenPainted)
{
    slider->SetValue(40);
    EXPECT_EQ(window->count("valuechanged"), 0u);
    slider->SetMinValue(5);
    slider->SetMaxValue(5);
    display().runUntilIdle();
    EXPECT_EQ(slider->GetMaxValue(), 6);
    EXPECT_EQ(slider->GetValue(), 6);
    EXPECT_EQ(slider->GetThumbRect(), (Rect{100, 0, 110, 10}));
}

TEST_F(CSliderUITest, AVerticalSliderRunsFromTheBottomUp)
{
    LayoutWindow column(100, 300, R"(<Window><HorizontalLayout>
        <Slider name="vertical_slider" hor="false" width="10" height="110" value="30" />
        <Control />
      </HorizontalLayout></Window>)");
    display().runUntilIdle();
    auto* vertical = column.find<CSliderUI>("vertical_slider");
    ASSERT_NE(vertical, nullptr);
    EXPECT_EQ(vertical->GetThumbRect(), (Rect{0, 70, 10, 80}));
    display().click(5, 105);
    EXPECT_EQ(vertical->GetValue(), 0);
    display().click(5, 25);
    EXPECT_EQ(vertical->GetValue(), 80);
    display().click(5, 2);
    EXPECT_EQ(vertical->GetValue(), 100);
}

TEST_F(CSliderUITest, AProgressBarFillsItsShareWithItsForeImageFromTheLeftOrFromTheBottom)
{
    TemporaryFolder skin;
    UIResources::SetSkinFolder(skin.path());
    platform::PngWriter::write(solid(4, 4, 0xFF00AA00), skin.file("fill.png"));
    LayoutWindow bars(300, 200, R"(<Window><VerticalLayout bkcolor="#FFFFFFFF">
        <Progress name="wide_progress" width="100" value="25" fgimage="fill.png" />
        <Progress name="tall_progress" hor="false" width="10" height="100" min="100" max="300" value="250"
                  fgimage="fill.png" />
        <Control />
      </VerticalLayout></Window>)");
    display().runUntilIdle();
    ASSERT_EQ(bars.find<CProgressUI>("wide_progress")->GetPos(), (Rect{0, 0, 100, 12}));
    const platform::Surface shot = display().screenshot();
    EXPECT_EQ(inkBounds(shot, Rect{0, 0, 100, 12}, 0xFFFFFFFF), (Rect{0, 0, 25, 12}));
    EXPECT_EQ(inkBounds(shot, Rect{0, 12, 10, 112}, 0xFFFFFFFF), (Rect{0, 37, 10, 112}));
    UIResources::Reset();
}
