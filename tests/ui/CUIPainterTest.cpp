#include <gtest/gtest.h>

#include "platform/graphics/TextLayout.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/painter/CUIPainter.h"

namespace pelmo::ui {
namespace {

using platform::Rect;
using test::PaintBench;

constexpr std::uint32_t red = 0xFFFF0000;
constexpr std::uint32_t green = 0xFF00FF00;
constexpr std::uint32_t blue = 0xFF0000FF;
constexpr std::uint32_t white = 0xFFFFFFFF;
constexpr std::uint32_t black = 0xFF000000;

TEST(CUIPainterTest, FillsAreOpaqueBlendedOrNothingByTheAlphaByte)
{
    PaintBench bench(8, 8, white);
    CUIPainter::FillColour(bench.dc, Rect{0, 0, 2, 2}, 0xFF123456);
    CUIPainter::FillColour(bench.dc, Rect{2, 0, 4, 2}, 0x80000000);
    CUIPainter::FillColour(bench.dc, Rect{4, 0, 6, 2}, 0x00FF0000);
    EXPECT_EQ(bench.surface.pixel(1, 1), 0xFF123456u);
    EXPECT_EQ(bench.surface.pixel(2, 0), 0xFF7F7F7Fu); // white under half-opaque black
    EXPECT_EQ(bench.surface.pixel(4, 0), white);
    EXPECT_EQ(bench.surface.pixel(2, 2), white);
}

TEST(CUIPainterTest, DrawingStopsAtTheClipAndTheClipRegion)
{
    PaintBench bench(8, 8, white);
    bench.dc.clip = Rect{0, 0, 4, 8};
    platform::Region region(Rect{0, 0, 8, 4});
    bench.dc.clipRegion = &region;
    CUIPainter::FillColour(bench.dc, bench.surface.bounds(), red);
    EXPECT_EQ(bench.surface.pixel(3, 3), red);
    EXPECT_EQ(bench.surface.pixel(4, 3), white);
    EXPECT_EQ(bench.surface.pixel(3, 4), white);
}

TEST(CUIPainterTest, GradientEndsAreTheTwoColoursAndHalfAlphaBlends)
{
    PaintBench bench(10, 20, white);
    CUIPainter::FillGradient(bench.dc, Rect{0, 0, 5, 20}, red, blue, true, 16);
    EXPECT_EQ(bench.surface.pixel(0, 0), red);
    EXPECT_EQ(bench.surface.pixel(4, 19), blue);
    std::uint32_t middle = bench.surface.pixel(2, 10);
    EXPECT_NEAR(static_cast<int>((middle >> 16) & 0xFF), 121, 2);
    EXPECT_NEAR(static_cast<int>(middle & 0xFF), 134, 2);

    // Alphas 0xFF and 0x01 average to 0x80: drawn at about half strength.
    CUIPainter::FillGradient(bench.dc, Rect{5, 0, 10, 20}, 0xFF000000, 0x01000000, false, 16);
    EXPECT_NEAR(static_cast<int>(bench.surface.pixel(5, 0) & 0xFF), 127, 1);
    // Alphas averaging to 0 draw nothing.
    CUIPainter::FillGradient(bench.dc, Rect{0, 0, 10, 20}, 0x00000000, 0x01000000, false, 16);
    EXPECT_NEAR(static_cast<int>(bench.surface.pixel(5, 0) & 0xFF), 127, 1);
}

TEST(CUIPainterTest, NineSlicesKeepCornersAtNaturalSizeAndStretchTheCentre)
{
    PaintBench bench(40, 40, white);
    // A 6x6 image: 2-pixel red corners, green edges, blue centre.
    platform::Surface image(6, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            bool edgeX = x < 2 || x >= 4;
            bool edgeY = y < 2 || y >= 4;
            image.setPixel(x, y, edgeX && edgeY ? red : (edgeX || edgeY) ? green : blue);
        }
    bench.addImage("frame.png", image);

    const Rect control{4, 4, 36, 24};
    ASSERT_TRUE(CUIPainter::DrawImageDescription(bench.dc, control, bench.surface.bounds(),
                                                 "file='frame.png' corner='2,2,2,2'"));
    EXPECT_EQ(bench.surface.pixel(4, 4), red);
    EXPECT_EQ(bench.surface.pixel(5, 5), red);
    EXPECT_EQ(bench.surface.pixel(6, 4), green);   // top edge, stretched
    EXPECT_EQ(bench.surface.pixel(34, 22), red);   // bottom-right corner
    EXPECT_EQ(bench.surface.pixel(35, 12), green); // right edge
    EXPECT_EQ(bench.surface.pixel(6, 6), blue);
    EXPECT_EQ(bench.surface.pixel(33, 21), blue);
    EXPECT_EQ(bench.surface.pixel(36, 24), white);

    // With hole the centre is left as it was.
    bench.surface.clear(white);
    CUIPainter::DrawImageDescription(bench.dc, control, bench.surface.bounds(),
                                     "file='frame.png' corner='2,2,2,2' hole='true'");
    EXPECT_EQ(bench.surface.pixel(20, 14), white);
    EXPECT_EQ(bench.surface.pixel(20, 4), green);
}

TEST(CUIPainterTest, ASourceCutOutIsStretchedOverTheWholeControl)
{
    PaintBench bench(60, 60, white);
    // The cut-out 402,286,420,307 (18 x 21) of a larger image.
    platform::Surface box(440, 320);
    box.clear(black);
    for (int y = 286; y < 307; ++y)
        for (int x = 402; x < 420; ++x)
            box.setPixel(x, y, x < 411 ? red : green);
    bench.addImage("MCBox.bmp", box);

    const Rect control{5, 5, 55, 47};
    CUIPainter::DrawImageDescription(bench.dc, control, bench.surface.bounds(),
                                     "file='MCBox.bmp' source='402,286,420,307'");
    EXPECT_EQ(bench.surface.pixel(5, 5), red);
    EXPECT_EQ(bench.surface.pixel(29, 46), red);
    EXPECT_EQ(bench.surface.pixel(30, 5), green);
    EXPECT_EQ(bench.surface.pixel(54, 46), green);
    EXPECT_EQ(bench.surface.pixel(55, 46), white);
    EXPECT_EQ(bench.surface.pixel(54, 47), white);
}

TEST(CUIPainterTest, DestinationIsRelativeToTheControlAndLimitedByIt)
{
    PaintBench bench(40, 40, white);
    bench.addImage("red.png", test::solid(4, 4, red));
    const Rect control{10, 10, 30, 20};
    // The modifier's dest replaces the string's and is cut at the control's right and bottom.
    CUIPainter::DrawImageDescription(bench.dc, control, bench.surface.bounds(), "file='red.png' dest='0,0,4,4'",
                                     "dest='15,5,25,15'");
    EXPECT_EQ(bench.surface.pixel(10, 10), white);
    EXPECT_EQ(bench.surface.pixel(25, 15), red);
    EXPECT_EQ(bench.surface.pixel(29, 19), red);
    EXPECT_EQ(bench.surface.pixel(30, 19), white);
    EXPECT_EQ(bench.surface.pixel(29, 20), white);
}

TEST(CUIPainterTest, FadeBlendsAndAMaskColourKeysOutPixels)
{
    PaintBench bench(20, 10, white);
    bench.addImage("black.png", test::solid(4, 4, black));
    bench.addImage("keyed.png", test::quadrants(2, white, red, red, white));

    CUIPainter::DrawImageDescription(bench.dc, Rect{0, 0, 4, 4}, bench.surface.bounds(), "file='black.png' fade='128'");
    EXPECT_NEAR(static_cast<int>(bench.surface.pixel(1, 1) & 0xFF), 127, 1);

    bench.surface.clear(blue);
    CUIPainter::DrawImageDescription(bench.dc, Rect{10, 0, 14, 4}, bench.surface.bounds(),
                                     "file='keyed.png' mask='#FFFFFFFF'");
    EXPECT_EQ(bench.surface.pixel(10, 0), blue); // white keyed out, the background shows
    EXPECT_EQ(bench.surface.pixel(12, 0), red);
}

TEST(CUIPainterTest, TiledCentresRepeatAtNaturalSizeWithTheLastTileCut)
{
    PaintBench bench(20, 10, white);
    bench.addImage("tile.png", test::quadrants(1, red, green, green, red)); // 2 x 2
    CUIPainter::DrawImageDescription(bench.dc, Rect{0, 0, 5, 2}, bench.surface.bounds(),
                                     "file='tile.png' xtiled='true'");
    const std::uint32_t row[] = {red, green, red, green, red};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(bench.surface.pixel(x, 0), row[x]) << x;
    EXPECT_EQ(bench.surface.pixel(5, 0), white);
}

TEST(CUIPainterTest, MissingImagesDrawNothingButTheCallStillSucceeds)
{
    PaintBench bench(8, 8, white);
    bench.addImage("red.png", test::solid(1, 1, red));
    EXPECT_TRUE(CUIPainter::DrawImageDescription(bench.dc, Rect{0, 0, 8, 8}, bench.surface.bounds(),
                                                 "file='absent.png' file='red.png' dest='0,0,2,2'"));
    EXPECT_EQ(bench.surface.pixel(0, 0), red);
    EXPECT_EQ(bench.surface.pixel(4, 4), white);

    UIDC noSurface{nullptr, Rect{}, nullptr, &bench.resources};
    EXPECT_FALSE(CUIPainter::DrawImageDescription(noSurface, Rect{0, 0, 8, 8}, Rect{0, 0, 8, 8}, "red.png"));
}

TEST(CUIPainterTest, NothingIsDrawnOutsideThePaintRectangle)
{
    PaintBench bench(8, 8, white);
    bench.addImage("red.png", test::solid(1, 1, red));
    CUIPainter::DrawImageDescription(bench.dc, Rect{0, 0, 8, 8}, Rect{0, 0, 4, 8}, "red.png");
    EXPECT_EQ(bench.surface.pixel(3, 7), red);
    EXPECT_EQ(bench.surface.pixel(4, 0), white);
}

TEST(CUIPainterTest, BackgroundColoursUseOneTwoOrThreeStops)
{
    PaintBench bench(12, 20, white);
    CUIPainter::PaintBackgroundColour(bench.dc, Rect{0, 0, 4, 20}, bench.surface.bounds(), red, 0, 0);
    CUIPainter::PaintBackgroundColour(bench.dc, Rect{4, 0, 8, 20}, bench.surface.bounds(), red, blue, 0);
    CUIPainter::PaintBackgroundColour(bench.dc, Rect{8, 0, 12, 20}, bench.surface.bounds(), red, blue, green);
    EXPECT_EQ(bench.surface.pixel(0, 19), red);
    EXPECT_EQ(bench.surface.pixel(4, 0), red);
    EXPECT_EQ(bench.surface.pixel(4, 19), blue);
    EXPECT_EQ(bench.surface.pixel(8, 0), red);
    EXPECT_EQ(bench.surface.pixel(8, 9), blue);
    EXPECT_EQ(bench.surface.pixel(8, 10), blue);
    EXPECT_EQ(bench.surface.pixel(8, 19), green);
}

TEST(CUIPainterTest, SquareBordersLieInsideTheFrameAndSkipColourZero)
{
    PaintBench bench(10, 10, white);
    CUIPainter::PaintBorder(bench.dc, Rect{1, 1, 9, 9}, 2, 0, 0, red, blue, false);
    EXPECT_EQ(bench.surface.pixel(1, 1), red);
    EXPECT_EQ(bench.surface.pixel(2, 5), red);
    EXPECT_EQ(bench.surface.pixel(3, 3), white);
    EXPECT_EQ(bench.surface.pixel(8, 8), red);
    EXPECT_EQ(bench.surface.pixel(9, 9), white);

    CUIPainter::PaintBorder(bench.dc, Rect{1, 1, 9, 9}, 1, 0, 0, red, blue, true);
    EXPECT_EQ(bench.surface.pixel(1, 1), blue);

    bench.surface.clear(white);
    CUIPainter::PaintBorder(bench.dc, Rect{1, 1, 9, 9}, 1, 0, 0, 0, 0, false);
    EXPECT_EQ(bench.surface.pixel(1, 1), white);
    // A rounded border is drawn even in colour 0 (black).
    CUIPainter::PaintBorder(bench.dc, Rect{1, 1, 9, 9}, 1, 4, 4, 0, 0, false);
    EXPECT_EQ(bench.surface.pixel(5, 1), black);
    EXPECT_EQ(bench.surface.pixel(1, 1), white); // the corner is cut
}

TEST(CUIPainterTest, LinesExcludeTheirEndPoint)
{
    PaintBench bench(10, 10, white);
    CUIPainter::StrokeLine(bench.dc, 1, 5, 8, 5, 1, 0x00FF0000); // the alpha byte is ignored
    EXPECT_EQ(bench.surface.pixel(1, 5), red);
    EXPECT_EQ(bench.surface.pixel(7, 5), red);
    EXPECT_EQ(bench.surface.pixel(8, 5), white);
    CUIPainter::StrokeLine(bench.dc, 0, 0, 4, 4, 1, blue);
    EXPECT_EQ(bench.surface.pixel(3, 3), blue);
    EXPECT_EQ(bench.surface.pixel(4, 4), white);
}

TEST(CUIPainterTest, PlainTextUsesTheFontOfItsIndexOrTheDefault)
{
    PaintBench bench(200, 30, white);
    bench.resources.AddFont({"Verdana", 20});
    Rect big{0, 0, 200, 30};
    CUIPainter::DrawText(bench.dc, big, "Wide", black, 0, platform::TextStyle::SingleLine | platform::TextStyle::CalcRect);
    Rect fallback{0, 0, 200, 30};
    CUIPainter::DrawText(bench.dc, fallback, "Wide", black, 7,
                         platform::TextStyle::SingleLine | platform::TextStyle::CalcRect);
    EXPECT_EQ(fallback.width(), bench.resources.DefaultFont().measure("Wide"));
    EXPECT_GT(big.width(), fallback.width());
    EXPECT_EQ(bench.surface.pixel(5, 10), white); // measuring draws nothing
}

} // namespace
} // namespace pelmo::ui
