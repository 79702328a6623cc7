#include "app/settings/SettingsFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/settings/StoreDefaults.h"
#include "app/settings/StoredText.h"

namespace pelmo::app {
namespace {

class SettingsFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(data.createFolders()); }

    std::vector<std::uint8_t> storeImage() const
    {
        auto bytes = storeBytes(*store);
        return {bytes.begin(), bytes.end()};
    }

    test::TemporaryFolder folder;
    DataFolder data{folder.path()};
    std::unique_ptr<SettingsStore> store = SettingsStore::create();
    SettingsFiles files{*store, data};
};

std::int32_t int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    std::int32_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

TEST_F(SettingsFilesTest, TheLanguageIsReadFromAFileEditedByHandAndWrittenBackIntoIt)
{
    EXPECT_EQ(files.readLanguage(), 0) << "no config.ini yet";
    ASSERT_TRUE(files.writeLanguage(1));
    EXPECT_EQ(test::fileText(data.configPath()), "[Configuration Option]\nlang=01\n");

    test::writeBytes(data.configPath(), test::fixture("config_edited_by_hand.ini"));
    EXPECT_EQ(files.readLanguage(), 2);
    ASSERT_TRUE(files.writeLanguage(1));
    EXPECT_EQ(test::fileBytes(data.configPath()), test::fixture("config_edited_by_hand_after_choosing_lang_01.ini"));
    EXPECT_EQ(files.readLanguage(), 1);
}

TEST_F(SettingsFilesTest, ALanguageNumberOutsideTheFourLanguagesReadsAsEnglish)
{
    for (const char* value : {"4", "257", "-1", "two", ""}) {
        test::writeText(data.configPath(), std::string("[Configuration Option]\nlang=") + value + "\n");
        EXPECT_EQ(files.readLanguage(), 0) << "lang=" << value;
    }
    test::writeText(data.configPath(), "[Configuration Option]\nlang=3\n");
    EXPECT_EQ(files.readLanguage(), 3);
}

TEST_F(SettingsFilesTest, AllProfileIsTheStoreByteForByte)
{
    test::FakeFirmware firmware(305);
    restoreDefaults(*store, firmware);
    store->activeProfile = 3;
    store->profiles[1].pollingRateHz = 1000;
    store->macroCount = 2;
    store->macros[1].eventCount = 17;
    store->lightsOn = 0;
    ASSERT_TRUE(files.writeAllProfiles());

    auto written = test::fileBytes(data.allProfilePath());
    ASSERT_EQ(written.size(), 2056231u);
    EXPECT_EQ(int32At(written, 0), 3);
    EXPECT_EQ(int32At(written, 4 + 486 + 345), 1000);
    EXPECT_EQ(int32At(written, 2434), 2);
    EXPECT_EQ(int32At(written, 2438 + 102664 + 260), 17);
    EXPECT_EQ(written[2055718], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&written[2055719])), "V2.30");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&written[2055975])), "V3.05");

    auto saved = storeImage();
    std::memset(static_cast<void*>(store.get()), 0x77, sizeof *store);
    EXPECT_EQ(files.readAllProfiles(), ReadResult::Ok);
    EXPECT_EQ(storeImage(), saved);
}

TEST_F(SettingsFilesTest, AllProfileReadingFollowsTheFileSizeRules)
{
    store->activeProfile = 5;
    const auto untouched = storeImage();
    EXPECT_EQ(files.readAllProfiles(), ReadResult::NotOpened);
    test::writeBytes(data.allProfilePath(), {});
    EXPECT_EQ(files.readAllProfiles(), ReadResult::Unusable);
    EXPECT_EQ(storeImage(), untouched);

    // An older, shorter file fills the front; the rest of the store is zero.
    store->lightsOn = 1;
    EXPECT_EQ(files.readAllProfiles(test::fixturePath("truncated_allprofile.bin")), ReadResult::Ok);
    EXPECT_EQ(test::copyOf(store->activeProfile), 3);
    EXPECT_EQ(fieldText(store->profiles[4].fileName), "p5.zrp");
    EXPECT_EQ(test::copyOf(store->macroCount), 1);
    EXPECT_EQ(fieldText(store->macros[0].name), "Old macro");
    EXPECT_EQ(test::copyOf(store->macros[0].eventCount), 0);
    EXPECT_EQ(store->lightsOn, 0);

    // A longer file is cut at the store's size.
    std::vector<std::uint8_t> longer(sizeof(SettingsStore) + 100, 0x11);
    test::writeBytes(data.allProfilePath(), longer);
    EXPECT_EQ(files.readAllProfiles(), ReadResult::Ok);
    EXPECT_EQ(storeImage(), std::vector<std::uint8_t>(sizeof(SettingsStore), 0x11));
}

TEST_F(SettingsFilesTest, SavingAProfileNamesItAfterItsFileWithoutTheFolder)
{
    test::FakeFirmware firmware;
    restoreDefaults(*store, firmware);
    ASSERT_TRUE(std::filesystem::create_directory(folder.file("any folder")));
    const std::string path = folder.file("any folder/best.zrp");
    ASSERT_TRUE(files.saveProfileFile(path, 2));
    EXPECT_EQ(test::fileBytes(path), test::fixture("default_profile_saved_as_best.zrp"));
    EXPECT_EQ(fieldText(store->profiles[2].fileName), "best.zrp");
    EXPECT_EQ(fieldText(store->profiles[1].fileName), "");
}

TEST_F(SettingsFilesTest, LoadingAProfileReplacesTheWholeRecordFromTheFileFront)
{
    test::FakeFirmware firmware;
    restoreDefaults(*store, firmware);
    const auto image = test::fixture("default_profile_saved_as_best.zrp");
    const std::string path = folder.file("cut.zrp");

    test::writeBytes(path, {image.begin(), image.begin() + 100});
    EXPECT_EQ(files.loadProfileFile(path, 4), ReadResult::Ok);
    auto loaded = profileBytes(store->profiles[4]);
    EXPECT_TRUE(std::equal(loaded.begin(), loaded.begin() + 100, image.begin()));
    EXPECT_TRUE(std::all_of(loaded.begin() + 100, loaded.end(), [](std::uint8_t b) { return b == 0; }));

    std::vector<std::uint8_t> longer = image;
    longer.resize(600, 0xEE);
    test::writeBytes(path, longer);
    EXPECT_EQ(files.loadProfileFile(path, 4), ReadResult::Ok);
    loaded = profileBytes(store->profiles[4]);
    EXPECT_TRUE(std::equal(loaded.begin(), loaded.end(), image.begin(), image.end()));
    EXPECT_EQ(fieldText(store->profiles[4].fileName), "best.zrp") << "the name comes with the record";

    const auto before = storeImage();
    EXPECT_EQ(files.loadProfileFile(folder.file("absent.zrp"), 1), ReadResult::NotOpened);
    test::writeBytes(path, {});
    EXPECT_EQ(files.loadProfileFile(path, 1), ReadResult::Unusable);
    EXPECT_EQ(storeImage(), before);
}

} // namespace
} // namespace pelmo::app
