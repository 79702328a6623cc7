#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/graphics/Font.h"
#include "platform/graphics/TextLayout.h"
#include "tests/ui/LayoutTestSupport.h"
#include "ui/controls/CLabelUI.h"
#include "ui/controls/CTextUI.h"
#include "ui/painter/UIPaintResources.h"

using namespace pelmo;
using namespace pelmo::ui;
using namespace pelmo::test;
using platform::Rect;

namespace {

constexpr std::uint32_t white = 0xFFFFFFFF;

struct CLabelUITest : ::testing::Test {
    platform::HeadlessDisplay& display() { return *screen.display; }
    HeadlessScreen screen;
};

} // namespace

TEST_F(CLabelUITest, AlignmentPlacesTheTextWithinTheTextPadding)
{
    struct Case {
        const char* attributes;
        bool (*placed)(const Rect& ink, const Rect& label);
    } cases[] = {
        {R"(align="left")", [](const Rect& ink, const Rect& label) { return ink.left - label.left <= 2; }},
        {R"(align="centerwrap")",
         [](const Rect& ink, const Rect& label) {
             return std::abs((ink.left + ink.right) - (label.left + label.right)) <= 4;
         }},
        {R"(align="right")", [](const Rect& ink, const Rect& label) { return label.right - ink.right <= 2; }},
        {R"(align="right" textpadding="0,0,30,0")",
         [](const Rect& ink, const Rect& label) { return ink.right <= label.right - 30 && ink.right >= label.right - 32; }},
        {R"(align="top")", [](const Rect& ink, const Rect& label) { return ink.top - label.top <= 6; }},
        {R"(align="bottom")", [](const Rect& ink, const Rect& label) { return label.bottom - ink.bottom <= 6; }},
        {"",
         [](const Rect& ink, const Rect& label) {
             return ink.left - label.left <= 2 && std::abs((ink.top + ink.bottom) - (label.top + label.bottom)) <= 6;
         }},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.attributes);
        LayoutWindow window(200, 60, std::string(R"(<Window><VerticalLayout bkcolor="#FFFFFFFF">)") +
                                         R"(<Label name="aligned_label" height="50" textcolor="#FF000000" text="Hg" )" +
                                         each.attributes + " /><Control /></VerticalLayout></Window>");
        display().runUntilIdle();
        const Rect label = window.find<CLabelUI>("aligned_label")->GetPos();
        const Rect ink = inkBounds(display().screenshot(), label, white);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(each.placed(ink, label)) << "ink " << ink.left << "," << ink.top << "," << ink.right << ","
                                             << ink.bottom;
    }
}

TEST_F(CLabelUITest, EndEllipsisShortensTextThatDoesNotFitToEndInDots)
{
    const std::string text = "Configuration utility for the mouse";
    // The same text shortened by hand is the reference the label must match.
    LayoutWindow probe(10, 10, "<Window><Control /></Window>");
    const std::string shortened =
        platform::TextLayout::ellipsize(probe.manager.PaintResources().DefaultFont(), text, 60);
    ASSERT_NE(shortened, text);
    LayoutWindow window(200, 100, R"(<Window><VerticalLayout bkcolor="#FFFFFFFF">
        <Label name="ellipsis_label" width="60" height="20" endellipsis="true" text=")" + text + R"(" />
        <Label name="reference_label" width="60" height="20" text=")" + shortened + R"(" />
        <Label name="clipped_label" width="60" height="20" text=")" + text + R"(" />
        <Control />
      </VerticalLayout></Window>)");
    display().runUntilIdle();
    const platform::Surface shot = display().screenshot();
    auto rowsEqual = [&](int topA, int topB) {
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 60; ++x)
                if (shot.pixel(x, topA + y) != shot.pixel(x, topB + y))
                    return false;
        return true;
    };
    EXPECT_TRUE(rowsEqual(0, 20));
    EXPECT_FALSE(rowsEqual(0, 40));
}

TEST_F(CLabelUITest, ATextsLinksAreClickedByIndexAndShowTheHandCursor)
{
    LayoutWindow window(300, 100, R"(<Window><VerticalLayout>
        <Text name="help_text" height="40" showhtml="true"
              text="Read {a manual}the manual{/a} or {a site}the site{/a}." />
        <Control />
      </VerticalLayout></Window>)");
    display().runUntilIdle();
    auto* help = window.find<CTextUI>("help_text");
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(help->GetLinkCount(), 2);
    EXPECT_EQ(help->GetLinkText(0), "manual");
    EXPECT_EQ(help->GetLinkText(1), "site");
    const Rect site = help->GetLinkRect(1);
    ASSERT_FALSE(site.isEmpty());

    display().mouseMove((site.left + site.right) / 2, (site.top + site.bottom) / 2);
    EXPECT_EQ(help->GetHotLink(), 1);
    EXPECT_EQ(display().cursor(), platform::CursorShape::Hand);
    display().mouseDown();
    display().mouseUp();
    ASSERT_EQ(window.count("link", "help_text"), 1u);
    EXPECT_EQ(window.notifications.back().wParam, 1u);

    // Beside the links: no link, the arrow, no hot link.
    display().click(help->GetPos().left + 3, (site.top + site.bottom) / 2);
    EXPECT_EQ(window.count("link"), 1u);
    EXPECT_EQ(help->GetHotLink(), -1);
    EXPECT_EQ(display().cursor(), platform::CursorShape::Arrow);
}

TEST_F(CLabelUITest, ATextWithoutAFixedHeightIsAsTallAsItsWrappedLines)
{
    const std::string text = "A longer text that has to wrap over several lines";
    // Measured at the width the layout offers (wider than any fixed width).
    LayoutWindow window(80, 300, R"(<Window><VerticalLayout>
        <Text name="wrapped_text" width="50" textpadding="2,3,2,5" text=")" + text + R"(" />
        <Control />
      </VerticalLayout></Window>)");
    display().runUntilIdle();
    const platform::TextLayout lines(window.manager.PaintResources().DefaultFont(), text, Rect{0, 0, 76, 9999},
                                     platform::TextStyle::WordBreak);
    ASSERT_GT(lines.lines().size(), 1u);
    EXPECT_EQ(window.find<CTextUI>("wrapped_text")->GetPos().height(), lines.extent().height() + 8);
}
