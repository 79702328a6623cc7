// Files of any content load, and every later reading and edit stays inside
// its field and its record, whatever counts and references a file holds.

#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/keys/KeyTable.h"
#include "app/macros/MacroEventText.h"
#include "app/macros/MacroLibrary.h"
#include "app/settings/SettingsFiles.h"
#include "app/settings/StoredText.h"

namespace pelmo::app {
namespace {

class HostileFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(data.createFolders()); }

    test::TemporaryFolder folder;
    DataFolder data{folder.path()};
    std::unique_ptr<SettingsStore> store = SettingsStore::create();
    SettingsFiles files{*store, data};
    MacroLibrary library{*store, data.macroStorePath()};
};

TEST_F(HostileFilesTest, ImpossibleCountsInAllProfileAreBoundedWhereverTheyAreUsed)
{
    ASSERT_EQ(files.readAllProfiles(test::fixturePath("allprofile_with_impossible_counts.bin")), ReadResult::Ok);
    ASSERT_EQ(test::copyOf(store->macroCount), 99) << "the settings file is taken as it is";
    EXPECT_EQ(library.macrosInUse(), 15u);
    EXPECT_EQ(library.eventCount(0), 256u);
    EXPECT_EQ(library.name(0), std::string(256, 'N')) << "a name without its zero ends with its field";
    EXPECT_EQ(fieldText(store->profiles[0].fileName), std::string(256, 'F'));
    EXPECT_EQ(fieldText(store->macros[0].events[0].text), std::string(200, 'x'));
    EXPECT_EQ(eventListText(store->macros[0].events[0], 0), std::string(200, 'x') + " Down ");
    EXPECT_EQ(findKeyByName(fieldText(store->macros[0].events[1].text)), 34);

    EXPECT_EQ(library.createMacro(), std::nullopt);
    EXPECT_FALSE(library.appendEvent(0, MacroEventKind::EventKeyDown, " A ")) << "the macro counts as full";
    ASSERT_TRUE(library.deleteEvent(0, 255));
    EXPECT_EQ(test::copyOf(store->macros[0].eventCount), 255);

    EXPECT_EQ(library.deleteMacro(0), MacroDeletion::Saved);
    EXPECT_EQ(test::copyOf(store->macroCount), 14);
    const AppProfile& profile = store->profiles[0];
    EXPECT_EQ(test::copyOf(profile.buttonFunction[0]), code(ButtonFunction::Macro)) << "a negative reference is no reference";
    EXPECT_EQ(test::copyOf(profile.buttonParam[0]), -5);
    EXPECT_EQ(test::copyOf(profile.buttonParam[1]), 99998);
    EXPECT_EQ(test::copyOf(profile.buttonParam[2]), 0x7FFFFFFF) << "a Single Key code is not a macro reference";
}

TEST_F(HostileFilesTest, AMacroFileWithImpossibleEventCountsLoadsAndStaysBounded)
{
    ASSERT_EQ(library.readMacroStore(test::fixturePath("macro_with_impossible_counts.zrm")), ReadResult::Ok);
    EXPECT_EQ(library.macrosInUse(), 15u);
    EXPECT_EQ(library.eventCount(0), 256u);
    for (std::size_t slot = 0; slot < library.macrosInUse(); ++slot)
        for (std::size_t i = 0; i < library.eventCount(static_cast<int>(slot)); ++i)
            eventListText(store->macros[slot].events[i], 2);
    EXPECT_TRUE(library.renameMacro(0, std::string(300, 'N')));
    EXPECT_EQ(library.name(0), std::string(255, 'N'));
    ASSERT_TRUE(library.writeMacroStore());
    EXPECT_EQ(test::fileBytes(data.macroStorePath()).size(), kMacroFileSize);
}

} // namespace
} // namespace pelmo::app
