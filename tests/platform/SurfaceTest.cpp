#include <gtest/gtest.h>

#include "platform/graphics/Surface.h"

namespace pelmo::platform {
namespace {

TEST(SurfaceTest, StartsTransparentAndRefusesImpossibleSizes)
{
    Surface surface(3, 2);
    EXPECT_EQ(surface.width(), 3);
    EXPECT_EQ(surface.height(), 2);
    for (std::uint32_t pixel : surface.pixels())
        EXPECT_EQ(pixel, 0u);

    EXPECT_TRUE(Surface(0, 5).isEmpty());
    EXPECT_TRUE(Surface(-1, 5).isEmpty());
    EXPECT_TRUE(Surface(Surface::maxSide + 1, 1).isEmpty());
}

TEST(SurfaceTest, CopyClipsAtBothSurfacesEdges)
{
    Surface source(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            source.setPixel(x, y, 0xFF000000u | static_cast<std::uint32_t>(y * 4 + x));
    Surface target(3, 3);
    target.clear(0xFFFFFFFF);

    target.copyFrom(source, Rect{1, 1, 4, 4}, -1, 1);

    EXPECT_EQ(target.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(target.pixel(0, 1), 0xFF000006u); // source (2, 1)
    EXPECT_EQ(target.pixel(1, 2), 0xFF00000Bu); // source (3, 2)
    EXPECT_EQ(target.pixel(2, 1), 0xFFFFFFFFu); // past the source's right edge
}

TEST(SurfaceTest, PremultipliesAndRecoversColours)
{
    struct Case {
        std::uint32_t colour;
        std::uint32_t premultiplied;
    };
    const Case cases[] = {
        {0xFF123456, 0xFF123456},
        {0x80FF0000, 0x80800000},
        {0x00FFFFFF, 0x00000000},
        {0x40FFFFFF, 0x40404040},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(premultiply(c.colour), c.premultiplied) << std::hex << c.colour;
        if (c.colour >> 24) {
            EXPECT_EQ(unpremultiply(c.premultiplied), c.colour) << std::hex << c.colour;
        }
    }
}

} // namespace
} // namespace pelmo::platform
