#include "app/settings/IniFile.h"

#include <gtest/gtest.h>

namespace pelmo::app {
namespace {

TEST(IniFile, FindsKeysOfTheFirstMatchingSectionWhateverTheirCase)
{
    const IniFile ini("; settings\n"
                      "lang=9\n"
                      "[Other]\n"
                      "lang=8\n"
                      "[ configuration OPTION ]\r\n"
                      "  LANG  =  2 \r\n"
                      "quoted=\"a b\"\n"
                      "[Configuration Option]\n"
                      "lang=3\n");
    EXPECT_EQ(ini.value("Configuration Option", "lang"), "2");
    EXPECT_EQ(ini.value("Configuration Option", "quoted"), "a b");
    EXPECT_EQ(ini.value("Configuration Option", "missing"), std::nullopt);
    EXPECT_EQ(ini.value("Missing", "lang"), std::nullopt);
    EXPECT_EQ(ini.value("Other", "lang"), "8");
}

TEST(IniFile, ReadsIntegersAsThePrivateProfileFunctionsDo)
{
    const IniFile ini("[s]\na=2abc\nb=abc\nc=-1\nd=\ne=99999999999999999999999\n");
    EXPECT_EQ(ini.integer("s", "a", 7), 2);
    EXPECT_EQ(ini.integer("s", "b", 7), 0);
    EXPECT_EQ(ini.integer("s", "c", 7), -1);
    EXPECT_EQ(ini.integer("s", "d", 7), 0);
    EXPECT_GT(ini.integer("s", "e", 7), 3) << "an overlong number saturates";
    EXPECT_EQ(ini.integer("s", "missing", 7), 7);
}

TEST(IniFile, SettingAValueChangesOnlyItsLine)
{
    struct Case {
        const char* what;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"an empty file", "", "[Configuration Option]\nlang=01\n"},
        {"the key in place, spelled and ended as the file has it",
         "; mine\r\n[CONFIGURATION OPTION]\r\n Lang = 00 \r\nx=1\r\n",
         "; mine\r\n[CONFIGURATION OPTION]\r\nLang=01\r\nx=1\r\n"},
        {"a missing key after the section's last entry",
         "[Configuration Option]\nx=1\n\n[Next]\ny=2\n",
         "[Configuration Option]\nx=1\nlang=01\n\n[Next]\ny=2\n"},
        {"a missing section at the end of a file without a final line ending",
         "[Other]\ny=2",
         "[Other]\ny=2\n\n[Configuration Option]\nlang=01\n"},
        {"a UTF-8 byte order mark", "\xEF\xBB\xBF[Configuration Option]\nlang=03\n",
         "\xEF\xBB\xBF[Configuration Option]\nlang=01\n"},
    };
    for (const Case& c : cases) {
        IniFile ini(c.before);
        ini.setValue("Configuration Option", "lang", "01");
        EXPECT_EQ(ini.text(), c.after) << c.what;
    }
}

} // namespace
} // namespace pelmo::app
