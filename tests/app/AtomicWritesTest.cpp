// Every file that holds user data is replaced as a whole or not at all: a
// write that fails reports it and leaves the previous file, and a program
// killed in the middle of a write leaves either the old or the new file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <sys/stat.h>

#include "AppTestSupport.h"
#include "app/macros/MacroLibrary.h"
#include "app/settings/SettingsFiles.h"
#include "app/settings/StoredText.h"

namespace pelmo::app {
namespace {

class AtomicWritesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(data.createFolders()); }

    struct Writer {
        const char* what;
        std::string path;
        std::function<bool()> write;
    };

    std::vector<Writer> writers()
    {
        const std::string zrp = data.macroFilesFolder() + "best.zrp";
        const std::string zrm = data.macroFilesFolder() + "mine.zrm";
        return {
            {"AllProfile", data.allProfilePath(), [this] { return files.writeAllProfiles(); }},
            {"Macros", data.macroStorePath(), [this] { return library.writeMacroStore(); }},
            {"a .zrp file", zrp, [this, zrp] { return files.saveProfileFile(zrp, 0); }},
            {"a .zrm file", zrm, [this, zrm] { return library.writeMacroStore(zrm); }},
            {"config.ini", data.configPath(), [this] { return files.writeLanguage(store->activeProfile == 1 ? 1 : 2); }},
        };
    }

    void setFolderModes(mode_t mode)
    {
        for (const std::string& path : {data.path(), data.profileFolder(), data.macroFilesFolder()})
            ::chmod(path.c_str(), mode);
    }

    test::TemporaryFolder folder;
    DataFolder data{folder.file("data")};
    std::unique_ptr<SettingsStore> store = SettingsStore::create();
    SettingsFiles files{*store, data};
    MacroLibrary library{*store, data.macroStorePath()};
};

TEST_F(AtomicWritesTest, AWriteIntoAReadOnlyFolderFailsAndKeepsThePreviousFile)
{
    store->activeProfile = 1;
    for (const Writer& writer : writers())
        ASSERT_TRUE(writer.write()) << writer.what;
    std::vector<std::vector<std::uint8_t>> previous;
    for (const Writer& writer : writers())
        previous.push_back(test::fileBytes(writer.path));

    store->activeProfile = 2;
    storeFieldText(store->profiles[0].fileName, "");
    library.createMacro();
    setFolderModes(0555);
    for (const Writer& writer : writers()) {
        int status = test::runWithoutPermissionOverride([&] {
            bool written = writer.write();
            if (written)
                return 1;
            if (files.lastError().empty() && library.lastError().empty())
                return 2;
            return fieldText(store->profiles[0].fileName).empty() ? 0 : 3;
        });
        EXPECT_EQ(status, 0) << writer.what << " (1 reported success, 2 gave no reason, 3 renamed the profile)";
    }
    setFolderModes(0755);

    std::size_t i = 0;
    for (const Writer& writer : writers())
        EXPECT_EQ(test::fileBytes(writer.path), previous[i++]) << writer.what;
    auto entries = std::distance(std::filesystem::directory_iterator(data.profileFolder()),
                                 std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 2) << "AllProfile and Macros, no temporary files";
}

TEST_F(AtomicWritesTest, AProgramKilledWhileWritingLeavesTheOldOrTheNewFileWhole)
{
    struct Target {
        const char* what;
        std::string path;
        std::size_t size;
        std::function<bool()> write;
    };
    const Target targets[] = {
        {"AllProfile", data.allProfilePath(), sizeof(SettingsStore), [this] { return files.writeAllProfiles(); }},
        {"Macros", data.macroStorePath(), kMacroFileSize, [this] { return library.writeMacroStore(); }},
    };
    for (const Target& target : targets) {
        std::memset(static_cast<void*>(store.get()), 0x11, sizeof *store);
        ASSERT_TRUE(target.write());
        std::uint8_t fill = 0x11;
        for (unsigned round = 0; round < 12; ++round) {
            test::killWhileRunning(
                [&] {
                    fill = fill == 0x11 ? 0x22 : 0x11;
                    std::memset(static_cast<void*>(store.get()), fill, sizeof *store);
                    target.write();
                },
                300 + round * 700);
            auto bytes = test::fileBytes(target.path);
            ASSERT_EQ(bytes.size(), target.size) << target.what << ", round " << round;
            const std::uint8_t first = bytes.front();
            EXPECT_TRUE(first == 0x11 || first == 0x22);
            EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [first](std::uint8_t b) { return b == first; }))
                << target.what << ": a mixture of two writes after round " << round;
        }
    }
}

} // namespace
} // namespace pelmo::app
