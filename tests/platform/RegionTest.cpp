#include <gtest/gtest.h>

#include <vector>

#include "platform/graphics/Region.h"

namespace pelmo::platform {
namespace {

TEST(RegionTest, UnionOfOverlappingRectanglesBecomesDisjointBands)
{
    const std::vector<Rect> rects{{0, 0, 4, 2}, {2, 1, 6, 3}};
    Region region = Region::fromRects(rects);

    const std::vector<Rect> expected{{0, 0, 4, 1}, {0, 1, 6, 2}, {2, 2, 6, 3}};
    EXPECT_EQ(region.rects(), expected);
    EXPECT_TRUE(region.contains(5, 1));
    EXPECT_FALSE(region.contains(5, 0));
    EXPECT_EQ(region.bounds(), (Rect{0, 0, 6, 3}));
}

TEST(RegionTest, RowsWithEqualSpansMergeAndOrderDoesNotMatter)
{
    const std::vector<Rect> rows{{1, 0, 3, 1}, {5, 0, 6, 1}, {1, 1, 3, 2}, {5, 1, 6, 2}, {0, 2, 2, 3}};
    Region a = Region::fromRects(rows);
    Region b = Region::fromRects(std::vector<Rect>(rows.rbegin(), rows.rend()));

    const std::vector<Rect> expected{{1, 0, 3, 2}, {5, 0, 6, 2}, {0, 2, 2, 3}};
    EXPECT_EQ(a.rects(), expected);
    EXPECT_EQ(a, b);
}

TEST(RegionTest, UniteOrsRegionsAndIgnoresEmptyOnes)
{
    Region region(Rect{0, 0, 2, 2});
    region.unite(Region(Rect{2, 0, 4, 2})).unite(Region{}).unite(Region(Rect{5, 5, 5, 9}));
    EXPECT_EQ(region.rects(), std::vector<Rect>{(Rect{0, 0, 4, 2})});
}

TEST(RegionTest, RoundRectangleCutsOnlyTheCorners)
{
    const Rect rect{0, 0, 20, 10};
    Region region = Region::roundRect(rect, 8, 8);

    EXPECT_FALSE(region.contains(0, 0));
    EXPECT_FALSE(region.contains(19, 9));
    EXPECT_TRUE(region.contains(10, 0));   // top edge between the corners
    EXPECT_TRUE(region.contains(0, 5));    // left edge between the corners
    EXPECT_TRUE(region.contains(19, 5));
    EXPECT_EQ(region.bounds(), rect);
    // A corner too small to round leaves the rectangle.
    EXPECT_EQ(Region::roundRect(rect, 1, 1).rects(), std::vector<Rect>{rect});
}

} // namespace
} // namespace pelmo::platform
