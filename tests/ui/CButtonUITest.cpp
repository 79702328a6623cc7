#include <gtest/gtest.h>

#include <string>

#include "platform/graphics/PngWriter.h"
#include "tests/platform/TemporaryFolder.h"
#include "tests/ui/LayoutTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/controls/CButtonUI.h"
#include "ui/controls/COptionUI.h"
#include "ui/resources/UIResources.h"

using namespace pelmo;
using namespace pelmo::ui;
using namespace pelmo::test;
using platform::Rect;

namespace {

constexpr std::uint32_t normalColour = 0xFFCC0000;
constexpr std::uint32_t hotColour = 0xFF00CC00;
constexpr std::uint32_t pushedColour = 0xFF0000CC;
constexpr std::uint32_t focusedColour = 0xFFCCCC00;
constexpr std::uint32_t disabledColour = 0xFF808080;
constexpr std::uint32_t selectedColour = 0xFF00CCCC;

// A skin of one-colour images, one per state, and a window whose top row
// holds a 40 x 20 button "state_btn" at (0, 0) and a 40 x 20 check box
// "state_option" at (40, 0).
struct CButtonUITest : ::testing::Test {
    CButtonUITest()
    {
        UIResources::Reset();
        UIResources::SetSkinFolder(skin.path());
        for (auto [name, colour] : {std::pair{"normal.png", normalColour}, {"hot.png", hotColour},
                                    {"pushed.png", pushedColour}, {"focused.png", focusedColour},
                                    {"disabled.png", disabledColour}, {"selected.png", selectedColour}})
            platform::PngWriter::write(solid(4, 4, colour), skin.file(name));
        window = std::make_unique<LayoutWindow>(200, 100, R"(<Window><VerticalLayout><HorizontalLayout height="20">
            <Button name="state_btn" width="40" normalimage="normal.png" hotimage="hot.png" pushedimage="pushed.png"
                    focusedimage="focused.png" disabledimage="disabled.png" />
            <Option name="state_option" width="40" normalimage="normal.png" hotimage="hot.png"
                    selectedimage="selected.png" />
            <Control />
          </HorizontalLayout><Control /></VerticalLayout></Window>)");
        display().runUntilIdle();
    }
    ~CButtonUITest() override { UIResources::Reset(); }

    platform::HeadlessDisplay& display() { return *screen.display; }
    std::uint32_t buttonColour() { return display().screenshot().pixel(20, 10); }
    std::uint32_t optionColour() { return display().screenshot().pixel(60, 10); }

    HeadlessScreen screen;
    TemporaryFolder skin;
    std::unique_ptr<LayoutWindow> window;
};

} // namespace

TEST_F(CButtonUITest, EachStateDrawsItsImageInTheOrderDisabledPushedHotFocused)
{
    EXPECT_EQ(buttonColour(), normalColour);
    display().mouseMove(20, 10);
    EXPECT_EQ(buttonColour(), hotColour);
    display().mouseDown();
    EXPECT_EQ(buttonColour(), pushedColour);
    // Dragged off the button: neither pushed nor hot, but focused by the press.
    display().mouseMove(150, 80);
    EXPECT_EQ(buttonColour(), focusedColour);
    display().mouseUp();
    EXPECT_EQ(window->count("click"), 0u);
    window->find<CButtonUI>("state_btn")->SetEnabled(false);
    display().runUntilIdle();
    EXPECT_EQ(buttonColour(), disabledColour);
    // A state without an image of its own shows the normal image.
    window->find<CButtonUI>("state_btn")->SetDisabledImage("");
    display().runUntilIdle();
    EXPECT_EQ(buttonColour(), normalColour);
}

TEST_F(CButtonUITest, ASelectedOptionDrawsItsSelectedImageInEveryState)
{
    EXPECT_EQ(optionColour(), normalColour);
    display().click(60, 10);
    EXPECT_TRUE(window->find<COptionUI>("state_option")->IsSelected());
    EXPECT_EQ(optionColour(), selectedColour);
    display().mouseMove(150, 80);
    EXPECT_EQ(optionColour(), selectedColour);
    display().click(60, 10);
    display().mouseMove(150, 80);
    EXPECT_EQ(optionColour(), normalColour);
}

TEST_F(CButtonUITest, SpaceAndReturnActivateTheFocusedButtonWhileADisabledButtonSendsNothing)
{
    auto* button = window->find<CButtonUI>("state_btn");
    ASSERT_NE(button, nullptr);
    button->SetFocus();
    display().pressKey(platform::VK_SPACE);
    display().pressKey(platform::VK_RETURN);
    EXPECT_EQ(window->count("click", "state_btn"), 2u);
    display().click(20, 10);
    EXPECT_EQ(window->count("click", "state_btn"), 3u);
    button->SetEnabled(false);
    EXPECT_FALSE(button->Activate());
    display().click(20, 10);
    EXPECT_EQ(window->count("click", "state_btn"), 3u);
}
