#include <gtest/gtest.h>

#include "platform/files/AtomicFile.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/resources/ImageDecoder.h"

namespace pelmo::ui {
namespace {

std::unique_ptr<LoadedImage> decodeFixture(const std::string& name, std::uint32_t mask = 0)
{
    auto bytes = platform::readWholeFile(test::uiFixture(name));
    if (!bytes)
        return nullptr;
    return ImageDecoder::decode(*bytes, mask);
}

TEST(ImageDecoderTest, SemiTransparentPngIsPremultipliedAndMarkedAsHavingAlpha)
{
    auto image = decodeFixture("semi_transparent.png");
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->hasAlpha);
    EXPECT_EQ(image->bitmap.pixel(0, 0), 0x80800000u); // red at 128 / 255
    EXPECT_EQ(image->bitmap.pixel(1, 0), 0xFF00FF00u);
    EXPECT_EQ(image->bitmap.pixel(0, 1), 0x00000000u);
    EXPECT_EQ(image->bitmap.pixel(1, 1), 0x40404040u);
}

TEST(ImageDecoderTest, OpaqueImagesHaveNoAlphaUnlessTheMaskColourOccurs)
{
    auto plain = decodeFixture("opaque_red_white.png");
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->hasAlpha);
    EXPECT_EQ(plain->bitmap.pixel(0, 0), 0xFFFF0000u);

    auto unmatched = decodeFixture("opaque_red_white.png", 0xFF00FF00);
    ASSERT_TRUE(unmatched);
    EXPECT_FALSE(unmatched->hasAlpha);

    auto keyed = decodeFixture("white_keyed.bmp", 0xFFFFFFFF);
    ASSERT_TRUE(keyed);
    EXPECT_TRUE(keyed->hasAlpha);
    EXPECT_EQ(keyed->mask, 0xFFFFFFFFu);
    EXPECT_EQ(keyed->bitmap.pixel(0, 0), 0u);
    EXPECT_EQ(keyed->bitmap.pixel(1, 0), 0xFFC80000u);
    EXPECT_EQ(keyed->bitmap.pixel(2, 0), 0u);
    EXPECT_EQ(keyed->bitmap.pixel(0, 1), 0xFFC80000u);
}

TEST(ImageDecoderTest, HostileOrBrokenFilesYieldNothing)
{
    for (const char* name :
         {"huge_dimensions.png", "truncated.png", "progressive.jpg", "oversized_huffman_table.jpg", "skin.zip"})
        EXPECT_FALSE(decodeFixture(name)) << name;
    EXPECT_FALSE(ImageDecoder::decode({}, 0));
}

TEST(ImageDecoderTest, DecodeImageFileReadsFromTheSkinFolderAndRemembersTheType)
{
    test::PaintBench bench;
    bench.addImage("dot.png", test::solid(1, 1, 0xFF123456));
    auto image = DecodeImageFile("dot.png", "", 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->bitmap.pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(image->resourceType, "");
    EXPECT_FALSE(DecodeImageFile("absent.png", "", 0));
}

} // namespace
} // namespace pelmo::ui
