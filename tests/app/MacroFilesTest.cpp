#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "AppTestSupport.h"
#include "app/macros/MacroLibrary.h"
#include "app/settings/StoredText.h"

namespace pelmo::app {
namespace {

class MacroFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(folder.file("profile"));
        library.setReplacedHandler([this] { ++replacements; });
        library.createMacro();
        library.createMacro();
        library.appendEvent(1, MacroEventKind::EventKeyDown, " Z ");
    }

    std::vector<std::uint8_t> macroImage() const
    {
        auto bytes = macroFileBytes(*store);
        return {bytes.begin(), bytes.end()};
    }

    test::TemporaryFolder folder;
    std::unique_ptr<SettingsStore> store = SettingsStore::create();
    MacroLibrary library{*store, folder.file("profile/Macros")};
    int replacements = 0;
};

TEST_F(MacroFilesTest, AMacroFileIsTheCountAndTheTwentyRecordsOfTheStore)
{
    const std::string exported = folder.file("mine.zrm");
    ASSERT_TRUE(library.writeMacroStore(exported));
    ASSERT_TRUE(library.writeMacroStore());
    const auto written = test::fileBytes(exported);
    ASSERT_EQ(written.size(), 2053284u);
    EXPECT_EQ(written, macroImage());
    EXPECT_EQ(test::fileBytes(library.macroStorePath()), written);
    EXPECT_EQ(written[0], 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&written[4 + 102664 + 4])), "Macro_2");
    EXPECT_EQ(written[4 + 102664 + 260], 1) << "its event count";

    const auto saved = macroImage();
    library.deleteMacro(0);
    EXPECT_EQ(library.readMacroStore(exported), ReadResult::Ok);
    EXPECT_EQ(macroImage(), saved);
    EXPECT_EQ(replacements, 1) << "the macro page rebuilds its lists";
}

TEST_F(MacroFilesTest, AFileOfFourBytesSetsTheCountAndClearsEverySlot)
{
    const std::string path = folder.file("count.zrm");
    test::writeBytes(path, {3, 0, 0, 0});
    EXPECT_EQ(library.readMacroStore(path), ReadResult::Ok);
    EXPECT_EQ(test::copyOf(store->macroCount), 3);
    EXPECT_EQ(library.name(0), "");
    EXPECT_EQ(library.eventCount(1), 0u);
    auto records = macroFileBytes(*store).subspan(4);
    EXPECT_TRUE(std::all_of(records.begin(), records.end(), [](std::uint8_t b) { return b == 0; }));

    // A longer file is cut at the format's size.
    std::vector<std::uint8_t> longer(kMacroFileSize + 10, 0);
    longer[0] = 1;
    longer[kMacroFileSize] = 0xFF;
    test::writeBytes(path, longer);
    EXPECT_EQ(library.readMacroStore(path), ReadResult::Ok);
    EXPECT_EQ(store->lightsOn, 0) << "the byte after the macros is not the file's";
}

TEST_F(MacroFilesTest, UnusableFilesLeaveTheMacrosAsTheyWere)
{
    const auto before = macroImage();
    const std::string path = folder.file("bad.zrm");
    EXPECT_EQ(library.readMacroStore(), ReadResult::NotOpened) << "no macro store file yet";
    test::writeBytes(path, {});
    EXPECT_EQ(library.readMacroStore(path), ReadResult::Unusable);
    // A count no program writes: refused rather than clamped, since such a
    // file is not a macro file of this program.
    for (std::int32_t count : {16, 99, -1, 0x7FFFFFFF}) {
        std::vector<std::uint8_t> bytes(600, 0x41);
        std::memcpy(bytes.data(), &count, sizeof count);
        test::writeBytes(path, bytes);
        EXPECT_EQ(library.readMacroStore(path), ReadResult::Unusable) << count;
        EXPECT_NE(library.lastError().find(std::to_string(count)), std::string::npos);
    }
    EXPECT_EQ(macroImage(), before);
    EXPECT_EQ(replacements, 0);
}

} // namespace
} // namespace pelmo::app
