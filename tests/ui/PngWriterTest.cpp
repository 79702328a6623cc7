#include <gtest/gtest.h>

#include "platform/files/AtomicFile.h"
#include "platform/graphics/PngWriter.h"
#include "tests/platform/TemporaryFolder.h"
#include "ui/resources/ImageDecoder.h"

namespace pelmo::platform {
namespace {

TEST(PngWriterTest, WrittenPicturesDecodeToTheSamePixels)
{
    Surface picture(3, 2);
    const std::uint32_t pixels[] = {0xFF102030, 0x00000000, 0x80400000, 0xFFFFFFFF, 0x40404040, 0xFF000000};
    for (int i = 0; i < 6; ++i)
        picture.setPixel(i % 3, i / 3, pixels[i]);

    test::TemporaryFolder folder;
    std::string error;
    ASSERT_TRUE(PngWriter::write(picture, folder.file("snapshot.png"), &error)) << error;
    auto bytes = readWholeFile(folder.file("snapshot.png"));
    ASSERT_TRUE(bytes);
    auto decoded = ui::ImageDecoder::decode(*bytes, 0);
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->width, 3);
    ASSERT_EQ(decoded->height, 2);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(decoded->bitmap.pixel(i % 3, i / 3), pixels[i]) << i;
}

TEST(PngWriterTest, AnEmptyPictureIsNotWritten)
{
    test::TemporaryFolder folder;
    std::string error;
    EXPECT_FALSE(PngWriter::write(Surface(), folder.file("empty.png"), &error));
    EXPECT_NE(error.find("empty"), std::string::npos);
}

} // namespace
} // namespace pelmo::platform
