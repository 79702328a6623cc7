#include <gtest/gtest.h>

#include <filesystem>

#include "tests/ui/UiTestSupport.h"
#include "ui/resources/ImageTable.h"

namespace pelmo::ui {
namespace {

TEST(ImageTableTest, AnImageIsLoadedOnceAndItsFirstMaskStays)
{
    test::PaintBench bench;
    bench.addImage("white.png", test::solid(2, 2, 0xFFFFFFFF));
    ImageTable table;

    const LoadedImage* first = table.FindOrLoadImage("white.png", "", 0);
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->hasAlpha);
    // The same name with a mask that would key out every pixel shares the first bitmap.
    EXPECT_EQ(table.FindOrLoadImage("white.png", "", 0xFFFFFFFF), first);
    EXPECT_FALSE(first->hasAlpha);
    EXPECT_EQ(table.size(), 1u);
}

TEST(ImageTableTest, CacheImageRefusesDuplicatesMissingFilesAndNonNumericResourceNames)
{
    test::PaintBench bench;
    bench.addImage("a.png", test::solid(1, 1, 0xFF000000));
    ImageTable table;

    EXPECT_TRUE(table.CacheImage("a.png", "", 0));
    EXPECT_FALSE(table.CacheImage("a.png", "", 0));
    EXPECT_FALSE(table.CacheImage("b.png", "", 0));
    EXPECT_FALSE(table.CacheImage("a.png", "PNG", 0));
    EXPECT_FALSE(table.FindImage("b.png"));

    EXPECT_TRUE(table.DropImage("a.png"));
    EXPECT_FALSE(table.DropImage("a.png"));
    EXPECT_FALSE(table.FindImage("a.png"));
}

TEST(ImageTableTest, SwitchingSkinFoldersReloadsEveryTableAndDropsImagesTheNewSkinLacks)
{
    test::TemporaryFolder english;
    test::TemporaryFolder chinese;
    platform::PngWriter::write(test::solid(1, 1, 0xFF0000FF), english.file("Title.png"));
    platform::PngWriter::write(test::solid(1, 1, 0xFFFF0000), chinese.file("Title.png"));
    platform::PngWriter::write(test::solid(1, 1, 0xFF00FF00), chinese.file("OnlyChinese.png"));
    UIResources::Reset();
    UIResources::SetSkinFolder(chinese.path());

    ImageTable main;
    ImageTable popup;
    int repaints = 0;
    main.SetRepaintHandler([&] { ++repaints; });
    const LoadedImage* title = main.FindOrLoadImage("Title.png", "", 0);
    ASSERT_TRUE(title);
    ASSERT_TRUE(main.FindOrLoadImage("OnlyChinese.png", "", 0));
    ASSERT_TRUE(popup.FindOrLoadImage("Title.png", "", 0));
    {
        ImageTable closed; // a window that is gone by the time of the switch
        closed.FindOrLoadImage("Title.png", "", 0);
    }

    UIResources::SetSkinFolder(english.path());
    ImageTable::ReloadImagesEverywhere();

    EXPECT_EQ(main.FindImage("Title.png"), title);
    EXPECT_EQ(title->bitmap.pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(popup.FindImage("Title.png")->bitmap.pixel(0, 0), 0xFF0000FFu);
    EXPECT_FALSE(main.FindImage("OnlyChinese.png"));
    EXPECT_EQ(repaints, 1);
    UIResources::Reset();
}

} // namespace
} // namespace pelmo::ui
