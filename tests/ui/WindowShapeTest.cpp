#include <gtest/gtest.h>

#include "tests/ui/UiTestSupport.h"
#include "ui/painter/WindowShape.h"

namespace pelmo::ui {
namespace {

using platform::Rect;

TEST(WindowShapeTest, MaskRegionIsTheRunsOfNonWhitePixels)
{
    auto region = WindowShape::loadMaskRegion(test::uiFixture("shape_mask.bmp"));
    ASSERT_TRUE(region);
    // Row 3 holds one pixel (254, 255, 255): not pure white, so it is window.
    const std::vector<Rect> expected{{1, 0, 5, 1}, {0, 1, 2, 2}, {4, 1, 6, 2}, {0, 2, 6, 3}, {2, 3, 3, 4}};
    EXPECT_EQ(region->rects(), expected);
}

TEST(WindowShapeTest, AnAllWhiteMaskGivesAnEmptyRegionAndAMissingOneNone)
{
    auto white = WindowShape::loadMaskRegion(test::uiFixture("all_white_mask.bmp"));
    ASSERT_TRUE(white);
    EXPECT_TRUE(white->isEmpty());
    EXPECT_FALSE(WindowShape::loadMaskRegion(test::uiFixture("no_such_mask.bmp")));
}

TEST(WindowShapeTest, ManyRunsAreMergedAcrossBatches)
{
    // Every other pixel of 100 rows: 5,000 runs, more than two batches.
    platform::Surface mask(100, 100);
    mask.clear(0xFFFFFFFF);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; x += 2)
            mask.setPixel(x, y, 0xFF000000);
    platform::Region region = WindowShape::buildMaskRegion(mask);
    EXPECT_EQ(region.rects().size(), 50u); // one column rectangle per run, all rows merged
    EXPECT_TRUE(region.contains(98, 99));
    EXPECT_FALSE(region.contains(99, 0));
}

TEST(WindowShapeTest, RoundCornersSpanOnePixelPastTheWindowSize)
{
    platform::Region region = WindowShape::roundCornerRegion(200, 100, 3, 3);
    EXPECT_EQ(region.bounds(), (Rect{0, 0, 201, 101}));
    EXPECT_FALSE(region.contains(0, 0));
    EXPECT_TRUE(region.contains(100, 0));
    EXPECT_TRUE(region.contains(200, 50));
}

} // namespace
} // namespace pelmo::ui
