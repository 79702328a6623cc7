#include "app/settings/StoredText.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pelmo::app {
namespace {

using namespace std::literals;

TEST(StoredText, AFieldWithoutItsZeroIsReadAsTheWholeFieldAndNoFurther)
{
    struct {
        char field[4];
        char after[4];
    } record;
    std::memcpy(record.field, "abcd", 4);
    std::memcpy(record.after, "XYZ", 4);
    EXPECT_EQ(fieldText(record.field), "abcd");
    std::memcpy(record.field, "ab\0d", 4);
    EXPECT_EQ(fieldText(record.field), "ab");
}

TEST(StoredText, StoringCutsAtACharacterBoundaryAndZeroesTheRest)
{
    struct Case {
        std::string_view text;
        std::string_view stored;
    };
    // Six bytes of room and a terminating zero: "ab" + two-byte "é" +
    // three-byte "€" is seven bytes, so the "€" goes whole.
    const Case cases[] = {
        {"abc", "abc"},
        {"ab\xC3\xA9\xE2\x82\xAC", "ab\xC3\xA9"},
        {"abcdefgh", "abcdef"},
        {"a\xFF" "b", "a?b"},            // not UTF-8: replaced, as a conversion would
        {"\xE2\x82", "??"},              // a character cut short
        {"\xED\xA0\x80", "???"},         // a surrogate
        {"ab\0cd"sv, "ab"},              // a zero ends the text
    };
    for (const Case& c : cases) {
        char field[7];
        std::memset(field, 'x', sizeof field);
        storeFieldText(field, c.text);
        EXPECT_EQ(fieldText(field), c.stored);
        for (std::size_t i = c.stored.size(); i < sizeof field; ++i)
            EXPECT_EQ(field[i], '\0') << "byte " << i << " of " << c.stored;
    }
}

TEST(StoredText, DisplayTextReplacesWhatIsNotUtf8)
{
    EXPECT_EQ(displayText("Macro_1 \xE5\xB7\xA6"), "Macro_1 \xE5\xB7\xA6");
    EXPECT_EQ(displayText("\x80x\xC0\xAF"), "\xEF\xBF\xBDx\xEF\xBF\xBD\xEF\xBF\xBD");
}

} // namespace
} // namespace pelmo::app
