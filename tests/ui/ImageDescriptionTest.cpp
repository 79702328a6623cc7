#include <gtest/gtest.h>

#include "ui/painter/ImageDescription.h"

namespace pelmo::ui {
namespace {

using platform::Rect;

std::vector<std::string> names(const std::vector<ImageDrawItem>& items)
{
    std::vector<std::string> result;
    for (const ImageDrawItem& item : items)
        result.push_back(item.name);
    return result;
}

TEST(ImageDescriptionTest, ABareFileNameIsTheWholeString)
{
    auto items = ImageDescription::parse("CloseWindow.bmp");
    ASSERT_EQ(items.size(), 1u);
    ImageDrawItem expected;
    expected.name = "CloseWindow.bmp";
    EXPECT_EQ(items[0], expected);
    EXPECT_TRUE(ImageDescription::parse("").empty());
}

TEST(ImageDescriptionTest, PairsSetEveryKey)
{
    auto items = ImageDescription::parse("file='MCBox.bmp' restype='PNG' dest='1,2,3,4' source='402,286,420,307' "
                                         "corner='5,6,7,8' mask='#FFFFFFFF' fade='128' hole='true' xtiled='TRUE' "
                                         "ytiled='false' unknown='ignored'");
    ASSERT_EQ(items.size(), 1u);
    const ImageDrawItem& item = items[0];
    EXPECT_EQ(item.name, "MCBox.bmp");
    EXPECT_EQ(item.resourceType, "PNG");
    EXPECT_TRUE(item.hasDest);
    EXPECT_EQ(item.dest, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(item.source, (Rect{402, 286, 420, 307}));
    EXPECT_EQ(item.corner, (Rect{5, 6, 7, 8}));
    EXPECT_EQ(item.mask, 0xFFFFFFFFu);
    EXPECT_EQ(item.fade, 128);
    EXPECT_TRUE(item.hole);
    EXPECT_TRUE(item.xtiled);
    EXPECT_FALSE(item.ytiled);
}

TEST(ImageDescriptionTest, ParsingStopsAtTheFirstMalformedPairKeepingWhatCameBefore)
{
    struct Case {
        const char* description;
        bool hasDest;
    };
    const Case cases[] = {
        {"file='a.png' dest=0,0,1,1", false},             // value without quotes
        {"file='a.png' dest='0,0,1,1", false},            // quote never closed
        {"file='a.png' dest", false},                     // no "="
        {"file='a.png'dest='0,0,1,1'", false},            // no blank between pairs
        {"file='a.png' junk dest='0,0,1,1'", false},      // not a pair at all
        {"file='a.png' dest='0,0,1,1' junk", true},
    };
    for (const Case& c : cases) {
        auto items = ImageDescription::parse(c.description);
        ASSERT_EQ(items.size(), 1u) << c.description;
        EXPECT_EQ(items[0].name, "a.png") << c.description;
        EXPECT_EQ(items[0].hasDest, c.hasDest) << c.description;
    }
}

TEST(ImageDescriptionTest, EmptyValuesAreSkipped)
{
    auto items = ImageDescription::parse("file='' fade='' file='b.png' fade=''");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].name, "b.png");
    EXPECT_EQ(items[0].fade, 255);
}

TEST(ImageDescriptionTest, ALaterFileEndsThePreviousImageAndStartsAFreshOne)
{
    auto items = ImageDescription::parse("file='a.png' fade='10' res='133' restype='PNG' file='c.png'");
    EXPECT_EQ(names(items), (std::vector<std::string>{"a.png", "133", "c.png"}));
    EXPECT_EQ(items[0].fade, 10);
    EXPECT_EQ(items[1].fade, 255);
    EXPECT_EQ(items[1].resourceType, "PNG");
    EXPECT_EQ(items[2].resourceType, "");
}

TEST(ImageDescriptionTest, TheModifierOverridesTheKeysOfTheLastImage)
{
    auto items = ImageDescription::parse("file='fore.png' dest='0,0,50,10' file='thumb.png' dest='1,1,2,2'",
                                         "dest='0,0,20,10'");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].dest, (Rect{0, 0, 50, 10}));
    EXPECT_EQ(items[1].dest, (Rect{0, 0, 20, 10}));

    auto bare = ImageDescription::parse("fore.png", "dest='0,0,20,10'");
    ASSERT_EQ(bare.size(), 1u);
    EXPECT_EQ(bare[0].name, "fore.png");
    EXPECT_EQ(bare[0].dest, (Rect{0, 0, 20, 10}));
}

} // namespace
} // namespace pelmo::ui
