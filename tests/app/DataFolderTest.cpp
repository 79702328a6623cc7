#include "app/settings/DataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "AppTestSupport.h"

namespace pelmo::app {
namespace {

DataFolder::Environment environment(std::string xdgDataHome, std::string home, bool programFolderWritable)
{
    return {std::move(xdgDataHome), std::move(home),
            [programFolderWritable](const std::string&) { return programFolderWritable; }};
}

TEST(DataFolder, DataLivesBesideTheProgramWhenItCanElseInTheUsersDataHome)
{
    struct Case {
        const char* what;
        DataFolder::Environment environment;
        std::string homeOverride;
        std::string expected;
    };
    const Case cases[] = {
        {"a writable program folder", environment("/x", "/home/u", true), "", "/opt/pelmo/"},
        {"XDG_DATA_HOME", environment("/x/data", "/home/u", false), "", "/x/data/pelmo/"},
        {"XDG_DATA_HOME with a trailing slash", environment("/x/data/", "/home/u", false), "", "/x/data/pelmo/"},
        {"no XDG_DATA_HOME", environment("", "/home/u", false), "", "/home/u/.local/share/pelmo/"},
        {"a relative XDG_DATA_HOME, which does not count", environment("data", "/home/u", false), "",
         "/home/u/.local/share/pelmo/"},
        {"--home", environment("/x", "/home/u", true), "/srv/mine", "/srv/mine/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DataFolder::choose("/opt/pelmo/", c.environment, c.homeOverride).path(), c.expected) << c.what;
}

TEST(DataFolder, NamesTheFilesAndCreatesTheFoldersBelowIt)
{
    test::TemporaryFolder folder;
    DataFolder data(folder.file("deep/data"));
    EXPECT_EQ(data.allProfilePath(), folder.file("deep/data/profile/AllProfile"));
    EXPECT_EQ(data.macroStorePath(), folder.file("deep/data/profile/Macros"));
    EXPECT_EQ(data.configPath(), folder.file("deep/data/config.ini"));
    ASSERT_TRUE(data.createFolders());
    EXPECT_TRUE(std::filesystem::is_directory(data.profileFolder()));
    EXPECT_TRUE(std::filesystem::is_directory(data.macroFilesFolder()));

    test::writeText(folder.file("blocked"), "a file, not a folder");
    std::string error;
    EXPECT_FALSE(DataFolder(folder.file("blocked")).createFolders(&error));
    EXPECT_NE(error.find("blocked"), std::string::npos);
}

} // namespace
} // namespace pelmo::app
