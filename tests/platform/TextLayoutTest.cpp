#include <gtest/gtest.h>

#include <algorithm>

#include "platform/graphics/FontSystem.h"
#include "platform/graphics/TextLayout.h"

namespace pelmo::platform {
namespace {

const Font& verdana()
{
    static auto font = FontSystem::instance().open(FontDescription{"Verdana", 12});
    return *font;
}

std::vector<std::string> texts(const TextLayout& layout)
{
    std::vector<std::string> result;
    for (const auto& line : layout.lines())
        result.push_back(line.text);
    return result;
}

// The rows and columns that carry ink (any pixel not equal to the background).
Rect ink(const Surface& surface, std::uint32_t background)
{
    Rect result;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (surface.pixel(x, y) != background)
                result = result.united(Rect{x, y, x + 1, y + 1});
    return result;
}

TEST(TextLayoutTest, WordBreakWrapsAtBlanksAndCutsOnlyAWordTooWideAlone)
{
    const int width = std::max(verdana().measure("alpha beta"), verdana().measure("gamma delta")) + 2;
    TextLayout layout(verdana(), "alpha beta gamma delta", Rect{0, 0, width, 100}, TextStyle::WordBreak);
    EXPECT_EQ(texts(layout), (std::vector<std::string>{"alpha beta", "gamma delta"}));

    TextLayout narrow(verdana(), "unbreakable", Rect{0, 0, verdana().measure("unbr") + 1, 100}, TextStyle::WordBreak);
    ASSERT_GE(narrow.lines().size(), 2u);
    EXPECT_EQ(narrow.lines()[0].text, "unbr");
    for (const auto& line : narrow.lines())
        EXPECT_LE(line.width, verdana().measure("unbr") + 1);
}

TEST(TextLayoutTest, ChineseTextBreaksBetweenCharacters)
{
    const int width = verdana().measure("中文中") + 1;
    TextLayout layout(verdana(), "中文中文中文", Rect{0, 0, width, 100}, TextStyle::WordBreak);
    EXPECT_EQ(texts(layout), (std::vector<std::string>{"中文中", "文中文"}));
}

TEST(TextLayoutTest, LinesBreakAtNewlinesUnlessSingleLine)
{
    EXPECT_EQ(texts(TextLayout(verdana(), "one\r\ntwo", Rect{0, 0, 200, 50}, 0)),
              (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(TextLayout(verdana(), "one\ntwo", Rect{0, 0, 200, 50}, TextStyle::SingleLine).lines().size(), 1u);
}

TEST(TextLayoutTest, EndEllipsisShortensALineToFitWithThreeDots)
{
    const Rect rect{0, 0, verdana().measure("Profile 1 long") , 20};
    TextLayout layout(verdana(), "Profile 1 long name that does not fit", rect,
                      TextStyle::SingleLine | TextStyle::EndEllipsis);
    ASSERT_EQ(layout.lines().size(), 1u);
    const auto& line = layout.lines()[0];
    EXPECT_LE(line.width, rect.width());
    EXPECT_EQ(line.text.substr(line.text.size() - 3), "...");
    EXPECT_EQ(line.text.rfind("Profile", 0), 0u);

    TextLayout fits(verdana(), "Short", rect, TextStyle::SingleLine | TextStyle::EndEllipsis);
    EXPECT_EQ(fits.lines()[0].text, "Short");
}

TEST(TextLayoutTest, AmpersandsAreOrdinaryCharacters)
{
    TextLayout layout(verdana(), "Save && &Apply", Rect{0, 0, 300, 20}, TextStyle::SingleLine);
    EXPECT_EQ(layout.lines()[0].text, "Save && &Apply");
    EXPECT_EQ(layout.lines()[0].width, verdana().measure("Save && &Apply"));
}

TEST(TextLayoutTest, DrawingStaysInsideTheRectangleAndFollowsTheAlignment)
{
    Surface surface(120, 40);
    surface.clear(0xFFFFFFFF);
    const Rect rect{10, 5, 110, 35};
    TextLayout(verdana(), "Centred", rect, TextStyle::SingleLine | TextStyle::Center | TextStyle::VCenter)
        .draw(surface, surface.bounds(), 0xFF000000);
    Rect centred = ink(surface, 0xFFFFFFFF);
    ASSERT_FALSE(centred.isEmpty());
    EXPECT_NEAR((centred.left + centred.right) / 2, 60, 3);
    EXPECT_NEAR((centred.top + centred.bottom) / 2, 20, 4);

    surface.clear(0xFFFFFFFF);
    TextLayout(verdana(), "A line far too long for its little box", Rect{10, 5, 40, 35}, TextStyle::SingleLine)
        .draw(surface, surface.bounds(), 0xFF000000);
    Rect clipped = ink(surface, 0xFFFFFFFF);
    EXPECT_GE(clipped.left, 10);
    EXPECT_LE(clipped.right, 40);
}

TEST(TextLayoutTest, UnderlinedFontsDrawALineUnderTheText)
{
    auto underlined = FontSystem::instance().open(FontDescription{"Verdana", 12, false, true, false});
    Surface surface(80, 20);
    surface.clear(0xFFFFFFFF);
    int baseline = 14;
    int end = TextLayout::drawString(surface, surface.bounds(), *underlined, 2, baseline, "____ab", 0xFF0000FF);
    int row = baseline + underlined->metrics().underlineOffset;
    EXPECT_EQ(surface.pixel(end - 1, row), 0xFF0000FFu);
}

} // namespace
} // namespace pelmo::platform
