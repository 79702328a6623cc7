#include "app/keys/MouseEventNames.h"

#include <gtest/gtest.h>

namespace pelmo::app {
namespace {

constexpr std::uint8_t kEnglish = 0, kTraditional = 1, kSimplified = 2, kGerman = 3;

TEST(MouseEventNames, AStoredNameInAnyStoredLanguageShowsInTheCurrentOne)
{
    struct Case {
        std::string_view stored;
        std::uint8_t language;
        std::string_view shown;
    };
    const Case cases[] = {
        {"Left Click        ", kGerman, "Linke Maustaste   "},
        {"LEFT CLICK        ", kSimplified, "左键   "},
        {"滾輪鍵  ", kEnglish, "Scroll Wheel Click"},
        {"向下卷动滚轮键  ", kTraditional, "向下捲動滾輪鍵  "},
        // German is not a stored form; canonical names from the mouse and
        // anything else show as stored.
        {"Linke Maustaste   ", kEnglish, "Linke Maustaste   "},
        {"Middle Click   ", kEnglish, "Middle Click   "},
        {"Left Click", kEnglish, "Left Click"},
        {"bad \xFF byte", kEnglish, "bad \xEF\xBF\xBD byte"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mouseEventDisplayName(c.stored, c.language), c.shown) << c.stored;
}

TEST(MouseEventNames, ListTextsJoinNameAndSuffixWithoutASeparator)
{
    EXPECT_EQ(mouseEventListText("Scroll Wheel Up   ", MouseEventSuffix::Up, kEnglish), "Scroll Wheel Up    Up   ");
    EXPECT_EQ(mouseEventListText("Right Click       ", MouseEventSuffix::Down, kTraditional), "右鍵    向下   ");
    EXPECT_EQ(delayListText("0.050", kEnglish), "0.050 Sec Delay ");
    EXPECT_EQ(delayListText("1.500", kGerman), "1.500 Sec einfügen   ");
    EXPECT_EQ(mouseEventSuffix(MouseEventSuffix::Click, 9), " Click") << "an unknown language reads English";
}

TEST(MouseEventNames, CanonicalNamesAreFifteenCharactersInButtonOrder)
{
    for (std::string_view name : CanonicalMouseName)
        EXPECT_EQ(name.size(), 15u) << name;
    EXPECT_EQ(CanonicalMouseName[static_cast<int>(MouseButton::Middle)], "Middle Click   ");
    EXPECT_EQ(CanonicalMouseName[static_cast<int>(MouseButton::WheelDown)], "Wheel Down     ");
    EXPECT_EQ(mouseButtonName(MouseButton::Backward, kEnglish), "Browser Backward  ");
}

} // namespace
} // namespace pelmo::app
