#include <gtest/gtest.h>

#include "platform/graphics/Font.h"
#include "platform/graphics/FontSystem.h"

namespace pelmo::platform {
namespace {

std::shared_ptr<Font> open(const char* face, int height, bool bold = false)
{
    return FontSystem::instance().open(FontDescription{face, height, bold, false, false});
}

TEST(FontTest, WindowsFaceNamesResolveToInstalledFacesWithSaneMetrics)
{
    for (const char* face : {"Verdana", "Microsoft JhengHei", "微软雅黑", "No Such Face At All"}) {
        auto font = open(face, 14);
        const FontMetrics& metrics = font->metrics();
        EXPECT_GT(metrics.ascent, 8) << face;
        EXPECT_GT(metrics.descent, 0) << face;
        EXPECT_EQ(metrics.height, metrics.ascent + metrics.descent) << face;
        EXPECT_LT(metrics.height, 28) << face;
        EXPECT_GT(font->advance(U'M'), 0) << face;
    }
}

TEST(FontTest, ChineseCharactersComeFromAFallbackFaceOfALatinFont)
{
    auto font = open("Verdana", 14);
    const Glyph& glyph = font->glyph(U'中');
    EXPECT_GE(glyph.advance, 12);
    EXPECT_FALSE(glyph.coverage.empty());
    // The character is drawn, not the missing-glyph box of the Latin face:
    // its ink has a full-height vertical stroke in the middle.
    int inked = 0;
    for (int y = 0; y < glyph.height; ++y)
        inked += glyph.coverage[static_cast<std::size_t>(y * glyph.width + glyph.width / 2)] > 128;
    EXPECT_GE(inked, glyph.height - 2);
}

TEST(FontTest, EqualDescriptionsShareOneFontAndItsGlyphCache)
{
    auto a = open("Verdana", 13);
    auto b = open("Verdana", 13);
    EXPECT_EQ(a.get(), b.get());

    std::size_t before = a->cache().size();
    a->measure("glyphs once");
    std::size_t after = a->cache().size();
    b->measure("glyphs once");
    EXPECT_GT(after, before);
    EXPECT_EQ(b->cache().size(), after);
}

TEST(FontTest, BoldTextIsWiderAndSizesOutOfRangeAreClamped)
{
    EXPECT_GT(open("Verdana", 14, true)->measure("Bold text"), open("Verdana", 14)->measure("Bold text"));
    EXPECT_EQ(open("Verdana", 0)->description().height, FontSystem::defaultGuiFontDescription().height);
    EXPECT_EQ(open("Verdana", 100000)->description().height, 256);
}

TEST(FontTest, ControlCharactersHaveNoInkAndNoAdvance)
{
    auto font = open("Verdana", 12);
    EXPECT_EQ(font->advance(U'\t'), 0);
    EXPECT_TRUE(font->glyph(U'\n').coverage.empty());
}

} // namespace
} // namespace pelmo::platform
