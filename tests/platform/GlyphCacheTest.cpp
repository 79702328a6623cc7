#include <gtest/gtest.h>

#include "platform/graphics/GlyphCache.h"

namespace pelmo::platform {
namespace {

Glyph glyphOf(std::size_t bytes, int advance)
{
    Glyph glyph;
    glyph.advance = advance;
    glyph.coverage.assign(bytes, 0xFF);
    return glyph;
}

TEST(GlyphCacheTest, FindsLatinAndOtherCharactersItWasGiven)
{
    GlyphCache cache;
    cache.insert(U'a', glyphOf(4, 7));
    cache.insert(U'中', glyphOf(4, 14));
    ASSERT_TRUE(cache.find(U'a'));
    EXPECT_EQ(cache.find(U'a')->advance, 7);
    EXPECT_EQ(cache.find(U'中')->advance, 14);
    EXPECT_FALSE(cache.find(U'b'));
    EXPECT_EQ(cache.size(), 2u);
}

TEST(GlyphCacheTest, EmptiesItselfRatherThanGrowPastItsLimit)
{
    GlyphCache cache;
    cache.insert(U'a', glyphOf(GlyphCache::byteLimit / 2, 1));
    cache.insert(U'中', glyphOf(GlyphCache::byteLimit / 2, 2));
    EXPECT_EQ(cache.size(), 2u);
    cache.insert(U'b', glyphOf(16, 3));
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_FALSE(cache.find(U'a'));
    EXPECT_EQ(cache.find(U'b')->advance, 3);
}

} // namespace
} // namespace pelmo::platform
