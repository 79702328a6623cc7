#include <gtest/gtest.h>

#include "platform/graphics/FontSystem.h"
#include "platform/graphics/TextLayout.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/painter/CUIPainter.h"
#include "ui/painter/MarkupText.h"

namespace pelmo::ui {
namespace {

using platform::FontDescription;
using platform::Rect;
using platform::TextStyle;
using test::PaintBench;

constexpr unsigned singleLine = TextStyle::SingleLine;
constexpr std::uint32_t white = 0xFFFFFFFF;

int width(PaintBench& bench, std::string_view markup, unsigned style = singleLine, Rect rect = {0, 0, 400, 40})
{
    return MarkupText(bench.resources, markup, rect, 0xFF000000, style).extent().width();
}

const platform::Font& derived(PaintBench& bench, bool bold, bool underline, bool italic)
{
    FontDescription description = bench.resources.DefaultFont().description();
    description.bold = bold;
    description.underline = underline;
    description.italic = italic;
    static std::vector<std::shared_ptr<platform::Font>> keep;
    keep.push_back(platform::FontSystem::instance().open(description));
    return *keep.back();
}

// The columns of row y whose pixel is exactly `colour`.
std::pair<int, int> run(const platform::Surface& surface, int y, std::uint32_t colour)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < surface.width(); ++x)
        if (surface.pixel(x, y) == colour) {
            if (first < 0)
                first = x;
            last = x;
        }
    return {first, last + 1};
}

TEST(MarkupTextTest, UnderlineCoversTheTextButNotTheBlanksAroundIt)
{
    PaintBench bench(200, 30, white);
    const auto& font = bench.resources.DefaultFont();
    Rect rect{0, 0, 200, 30};
    int links = 0;
    CUIPainter::DrawMarkupText(bench.dc, rect, " {u}V1.05{/u} ", 0xFF0000FF, nullptr, nullptr, links, singleLine);

    const auto& underlined = derived(bench, false, true, false);
    int row = font.metrics().ascent + underlined.metrics().underlineOffset;
    auto [left, right] = run(bench.surface, row, 0xFF0000FF);
    EXPECT_EQ(left, font.advance(U' '));
    EXPECT_EQ(right, font.advance(U' ') + underlined.measure("V1.05"));
    EXPECT_EQ(width(bench, " {u}V1.05{/u} "), 2 * font.advance(U' ') + underlined.measure("V1.05"));
}

TEST(MarkupTextTest, LinksRecordTheirAreasAndTargetsUpToTheCallersCapacity)
{
    PaintBench bench(300, 30, white);
    const auto& link = derived(bench, false, true, false);
    const auto& plain = bench.resources.DefaultFont();
    Rect rect{10, 0, 300, 30};
    Rect areas[2];
    std::string targets[2];
    int count = 2;
    CUIPainter::DrawMarkupText(bench.dc, rect, "{a home}Home{/a} and {a}Help{/a}", 0xFF000000, areas, targets, count,
                               singleLine);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(targets[0], "home");
    EXPECT_EQ(targets[1], "");
    EXPECT_EQ(areas[0].left, 10);
    EXPECT_EQ(areas[0].width(), link.measure("Home"));
    EXPECT_EQ(areas[1].left, 10 + link.measure("Home") + plain.measure(" and "));

    count = 1;
    CUIPainter::DrawMarkupText(bench.dc, rect, "{a one}1{/a}{a two}2{/a}", 0xFF000000, areas, targets, count,
                               singleLine);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(targets[0], "one");
}

TEST(MarkupTextTest, TheLinkUnderTheMouseTakesTheHoverColour)
{
    PaintBench bench(300, 30, white);
    const auto& link = derived(bench, false, true, false);
    bench.resources.mouseX = link.measure("Home") + 3;
    bench.resources.mouseY = 10;
    Rect rect{0, 0, 300, 30};
    int count = 0;
    CUIPainter::DrawMarkupText(bench.dc, rect, "{a}Home{/a}{a}Help{/a}", 0xFF000000, nullptr, nullptr, count,
                               singleLine);
    int row = bench.resources.DefaultFont().metrics().ascent + link.metrics().underlineOffset;
    auto normal = run(bench.surface, row, bench.resources.linkColour);
    auto hovered = run(bench.surface, row, bench.resources.linkHoverColour);
    EXPECT_EQ(normal, std::make_pair(0, link.measure("Home")));
    EXPECT_EQ(hovered, std::make_pair(link.measure("Home"), link.measure("HomeHelp")));
}

TEST(MarkupTextTest, EndEllipsisCutsTheRunAndDropsTheRestOfTheLine)
{
    PaintBench bench;
    const auto& font = bench.resources.DefaultFont();
    Rect narrow{0, 0, font.measure("Profile nam"), 20};
    MarkupText text(bench.resources, "Profile name too long {b}and bold{/b}{n}next", narrow, 0xFF000000,
                    TextStyle::EndEllipsis);
    EXPECT_EQ(text.lineCount(), 2u);
    EXPECT_LE(text.extent().width(), narrow.width());
    std::string shortened = platform::TextLayout::ellipsize(font, "Profile name too long ", narrow.width());
    EXPECT_EQ(text.extent().width(), std::max(font.measure(shortened), font.measure("next")));
}

TEST(MarkupTextTest, WhatIsNotATagIsDrawnAsText)
{
    PaintBench bench;
    const auto& font = bench.resources.DefaultFont();
    struct Case {
        const char* markup;
        const char* drawn;
    };
    const Case cases[] = {
        {"<{>x<}>", "{x}"},
        {"{<}x{>}", "<x>"},
        {"{z}", "{z}"},            // no such tag
        {"{B}", "{B}"},            // not lower case
        {"{bold}", "{bold}"},      // the letter must be followed by a blank or a closing bracket
        {"{b", "{b"},              // never closed
        {"{r}{b}x{/b}{/r}", "{b}x{/b}"},
        {"<b>", ""},               // angle brackets work as braces
    };
    for (const Case& c : cases)
        EXPECT_EQ(width(bench, c.markup), font.measure(c.drawn)) << c.markup;
}

TEST(MarkupTextTest, InlineImagesMoveThePenByOneStripAndSitOnTheLine)
{
    PaintBench bench(60, 30, white);
    // Two 6 x 10 frames: red, then blue.
    platform::Surface strip(12, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            strip.setPixel(x, y, x < 6 ? 0xFFFF0000 : 0xFF0000FF);
    bench.addImage("strip.png", strip);

    EXPECT_EQ(width(bench, "{x 4}{i strip.png 2 1 }"), 10);
    EXPECT_EQ(width(bench, "{i strip.png}"), 12);
    // An {i} with nothing but blanks is the italic tag, and draws nothing.
    EXPECT_EQ(width(bench, "{i   }"), 0);

    Rect rect{0, 0, 60, 30};
    int count = 0;
    CUIPainter::DrawMarkupText(bench.dc, rect, "{x 4}{i strip.png 2 1}{i strip.png 2 7}", 0xFF000000, nullptr, nullptr,
                               count, singleLine);
    const int bottom = 10; // a line of images only is as high as its tallest image
    EXPECT_EQ(bench.surface.pixel(3, bottom - 1), white);
    EXPECT_EQ(bench.surface.pixel(4, bottom - 1), 0xFF0000FFu);  // frame 1
    EXPECT_EQ(bench.surface.pixel(10, bottom - 1), 0xFFFF0000u); // frame 7 is out of range: frame 0
    EXPECT_EQ(bench.surface.pixel(4, bottom), white);
}

TEST(MarkupTextTest, LineBreaksParagraphsAndLineHeights)
{
    PaintBench bench;
    const int lineHeight = bench.resources.DefaultFont().metrics().height;
    Rect rect{0, 0, 300, 200};
    EXPECT_EQ(MarkupText(bench.resources, "one{n}two", rect, 0, 0).extent().height(), 2 * lineHeight);
    EXPECT_EQ(MarkupText(bench.resources, "one{n}{y 30}two", rect, 0, 0).extent().height(), lineHeight + 30);
    EXPECT_EQ(MarkupText(bench.resources, "one{p 5}two{/p}three", rect, 0, 0).lineCount(), 3u);
    EXPECT_EQ(MarkupText(bench.resources, "one{p 5}two{/p}three", rect, 0, 0).extent().height(), 3 * lineHeight + 5);
}

TEST(MarkupTextTest, WordBreakWrapsAndOnlySingleLinesAreAligned)
{
    PaintBench bench;
    const auto& font = bench.resources.DefaultFont();
    Rect rect{0, 0, font.measure("alpha beta") + 2, 200};
    MarkupText wrapped(bench.resources, "alpha beta {b}gamma{/b}", rect, 0, TextStyle::WordBreak | TextStyle::Center);
    EXPECT_EQ(wrapped.lineCount(), 2u);
    EXPECT_EQ(wrapped.extent().left, 0);

    Rect wide{0, 0, 200, 40};
    MarkupText centred(bench.resources, "short", wide, 0, singleLine | TextStyle::Center | TextStyle::VCenter);
    EXPECT_EQ(centred.extent().left, (200 - font.measure("short")) / 2);
    EXPECT_EQ(centred.extent().top, (40 - font.metrics().height) / 2);
    MarkupText right(bench.resources, "short", wide, 0, singleLine | TextStyle::Right);
    EXPECT_EQ(right.extent().right, 200);
}

TEST(MarkupTextTest, FontsByIndexAndByDescription)
{
    PaintBench bench;
    bench.resources.AddFont({"Verdana", 20});
    auto big = platform::FontSystem::instance().open(FontDescription{"Verdana", 20});
    auto bold = platform::FontSystem::instance().open(FontDescription{"Microsoft JhengHei", 16, true});
    EXPECT_EQ(width(bench, "{f 0}Text{/f}"), big->measure("Text"));
    EXPECT_EQ(width(bench, "{f 9}Text{/f}"), bench.resources.DefaultFont().measure("Text"));
    EXPECT_EQ(width(bench, "{f Microsoft JhengHei 16 BOLD}Text{/f}"), bold->measure("Text"));
    EXPECT_EQ(width(bench, "{b}B{/b}{/b}{/b}x"), derived(bench, true, false, false).measure("B") +
                                                     bench.resources.DefaultFont().measure("x"));
}

TEST(MarkupTextTest, ColoursAndSelectionPaintTheirPixels)
{
    PaintBench bench(200, 30, white);
    Rect rect{0, 0, 200, 30};
    int count = 0;
    CUIPainter::DrawMarkupText(bench.dc, rect, "{s}{c #FF00AA00}{u}ab{/u}{/c}{/s}", 0xFF000000, nullptr, nullptr,
                               count, singleLine);
    EXPECT_EQ(bench.surface.pixel(0, 0), 0xFF000000u | bench.resources.selectedBackgroundColour);
    const auto& underlined = derived(bench, false, true, false);
    int row = bench.resources.DefaultFont().metrics().ascent + underlined.metrics().underlineOffset;
    EXPECT_EQ(bench.surface.pixel(1, row), 0xFF00AA00u);
}

} // namespace
} // namespace pelmo::ui
