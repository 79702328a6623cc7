// The device link against the emulated mouse, in-process: binding the
// library, where the profiles come from at connect time, and the read and
// apply sequences on the protocol trace and the virtual clock.

#include <gtest/gtest.h>

#include "PackedField.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "DeviceTestSupport.h"
#include "app/macros/MacroLibrary.h"
#include "app/settings/DeviceLibrary.h"
#include "app/settings/DeviceLink.h"
#include "app/settings/SettingsFiles.h"
#include "app/settings/StoreDefaults.h"
#include "app/settings/StoredText.h"
#include "pelmo_api.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/session/PointerSettings.h"
#include "tests/platform/TemporaryFolder.h"

namespace pelmo::test {
namespace {

using app::DeviceLibrary;

// The library's entry points, linked into this test.
std::map<std::string, void*> inProcessEntryPoints()
{
    return {
        {"Open_ZR_device", reinterpret_cast<void*>(&Open_ZR_device)},
        {"Close_ZR_device", reinterpret_cast<void*>(&Close_ZR_device)},
        {"Get_fw_info", reinterpret_cast<void*>(&Get_fw_info)},
        {"Get_fw_version", reinterpret_cast<void*>(&Get_fw_version)},
        {"Get_current_profile_id", reinterpret_cast<void*>(&Get_current_profile_id)},
        {"Set_current_profile_id", reinterpret_cast<void*>(&Set_current_profile_id)},
        {"Read_profile", reinterpret_cast<void*>(&Read_profile)},
        {"Write_profile", reinterpret_cast<void*>(&Write_profile)},
        {"Set_LED_black_out", reinterpret_cast<void*>(&Set_LED_black_out)},
        {"Set_LED_black_out_off", reinterpret_cast<void*>(&Set_LED_black_out_off)},
    };
}

DeviceLibrary::Resolver resolverOf(std::map<std::string, void*> entries)
{
    return [entries = std::move(entries)](const char* name) -> void* {
        auto found = entries.find(name);
        return found == entries.end() ? nullptr : found->second;
    };
}

class RecordingView final : public app::IDeviceLinkView {
public:
    void refreshProfileView(int profile) override { refreshed.push_back(profile); }
    int currentProfile() const override { return current; }
    void selectProfileTab(int profile) override
    {
        current = profile;
        selected.push_back(profile);
    }
    bool checkLightingBox() override
    {
        ++lightingChecks;
        return hasLightingBox;
    }
    void applyLayoutForLanguage() override { ++layouts; }

    std::vector<int> refreshed, selected;
    int current = 0;
    bool hasLightingBox = true;
    int lightingChecks = 0, layouts = 0;
};

TEST(DeviceLibraryBinding, AMissingEntryPointIsReportedOnceAndNeverCalled)
{
    auto entries = inProcessEntryPoints();
    entries.erase("Get_current_profile_id");
    entries.erase("Open_ZR_device");
    platform::RecordingMessageBox messages;
    DeviceLibrary library;
    library.bindEntryPoints(resolverOf(entries), messages);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "Load Open_ZR_device Fail !\n");
    EXPECT_EQ(messages.shown[0].caption, "PelmoMice");
    EXPECT_EQ(messages.shown[1].text, "Load Get_current_profile_id Fail !\n");

    std::uint8_t profile = 9;
    EXPECT_EQ(library.open(), 0);
    EXPECT_EQ(library.getCurrentProfile(&profile), ApiResult::TransferFailed);
    EXPECT_EQ(profile, 9);
}

TEST(DeviceLibraryBinding, LoadsTheShippedLibraryByFileNameAndSaysWhenItIsMissing)
{
    platform::RecordingMessageBox messages;
    DeviceLibrary library;
    EXPECT_EQ(library.bindDeviceLibrary(messages, PELMO_API_LIBRARY), 1);
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(library.bindDeviceLibrary(messages, "no_such_library.dll"), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Notice by App");
    EXPECT_EQ(messages.shown[0].text, "load ZR api failed !\n");
    EXPECT_EQ(messages.shown[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(library.open(), 0);
}

class DeviceLinkTest : public EmulatedMouseTest {
public:
    void SetUp() override
    {
        EmulatedMouseTest::SetUp();
        platform::RecordingMessageBox messages;
        library.bindEntryPoints(resolverOf(inProcessEntryPoints()), messages);
        ASSERT_TRUE(messages.shown.empty());
        ASSERT_TRUE(data.createFolders());
        link = std::make_unique<app::DeviceLink>(*store, library, files, macros, pointer, *clock_);
    }

    std::size_t countTransfers(std::uint8_t reportId, const char* verb)
    {
        std::size_t count = 0;
        for (const TraceRecord& record : transfers())
            if (record.verb == verb && !record.bytes.empty() && record.bytes[0] == reportId)
                ++count;
        return count;
    }
    std::size_t profileReads() { return countTransfers(0x61, "GET"); }

    TemporaryFolder folder;
    app::DataFolder data{folder.path() + "/"};
    std::unique_ptr<app::SettingsStore> store = app::SettingsStore::create();
    app::SettingsFiles files{*store, data};
    app::MacroLibrary macros{*store, data.macroStorePath()};
    platform::MemoryPointerSettings pointer;
    DeviceLibrary library;
    std::unique_ptr<app::DeviceLink> link; // made in SetUp, once the clock exists
    RecordingView view;
};

TEST_F(DeviceLinkTest, ApplyingWritesEveryProfileThenSelectsTheActiveOneAndSetsThePointer)
{
    app::restoreDefaults(*store, *link);
    store->activeProfile = 3;
    store->profiles[2].doubleClickLevel = 10;
    store->profiles[2].wheelLevel = 4;
    store->profiles[2].pointerSpeedLevel = 99;
    store->profiles[1].pollingRateHz = 125;
    resetTrace();

    EXPECT_EQ(link->applyAllToMouse(view), 1);
    EXPECT_EQ(pauses(), (std::vector<std::uint32_t>{60, 60, 250, 60, 60, 250, 60, 60, 250, 60, 60, 250, 60, 60, 250,
                                                    100, 300}));
    auto records = trace();
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(records.front().verb, "OPEN");
    EXPECT_EQ(records.back().verb, "CLOSE");
    EXPECT_EQ(countTransfers(0x61, "SET"), 10u);
    const auto& select = records[records.size() - 4]; // SET, SLEEP, GET, CLOSE
    EXPECT_EQ(select.bytes, commandRequest(0x04, 2));

    EXPECT_EQ(mouseState().currentProfile, 2);
    EXPECT_EQ(mouseState().images[1][21], 5); // 125 Hz
    EXPECT_EQ(pointer.read(), (platform::PointerValues{150, 4, 20}));
    EXPECT_EQ(view.refreshed, std::vector<int>{2});
}

TEST_F(DeviceLinkTest, ApplyingWithoutAMouseChangesNothing)
{
    app::restoreDefaults(*store, *link);
    faults().unplugged = 1;
    resetTrace();
    EXPECT_EQ(link->applyAllToMouse(view), 0);
    EXPECT_TRUE(pauses().empty());
    EXPECT_EQ(pointer.read(), platform::PointerValues{});
    EXPECT_TRUE(view.refreshed.empty());
}

TEST_F(DeviceLinkTest, ReadingTakesAllFiveProfilesAndTheActiveOneFromTheMouse)
{
    mouseState().currentProfile = 3;
    mouseState().firmwareVersion = 215;
    EXPECT_EQ(link->readAllFromMouse(view), 1);
    EXPECT_EQ(profileReads(), 10u);
    EXPECT_EQ(link->currentProfileNumber(), 4);
    EXPECT_EQ(pelmo::test::copyOf(store->activeProfile), 4);
    EXPECT_EQ(view.refreshed, std::vector<int>{3});
    EXPECT_EQ(app::fieldText(store->firmwareVersion), "V2.15");
    EXPECT_EQ(app::fieldText(store->appVersion), "V2.30");
    EXPECT_EQ(pelmo::test::copyOf(store->profiles[4].buttonFunction[3]), 8); // the factory mouse's DPI Up
    EXPECT_EQ(pelmo::test::copyOf(store->profiles[4].opticalDpi[3]), 3200);
}

TEST_F(DeviceLinkTest, AMouseThatCannotNameItsProfileIsTakenToBeOnTheFirst)
{
    mouseState().currentProfile = 3;
    // The ten profile halves take ten gets; the eleventh is the answer about the profile.
    faults().failGetAt = 11;
    EXPECT_EQ(link->readAllFromMouse(view), 1);
    EXPECT_EQ(link->currentProfileNumber(), 1);
    EXPECT_EQ(view.refreshed, std::vector<int>{0});
}

struct ConnectCase {
    const char* name;
    void (*prepare)(DeviceLinkTest&);
    std::size_t expectedReads;
    std::int32_t expectedPollingOfProfile1;
    const char* expectedFirmwareText;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ConnectCase& c, std::ostream* out)
{
    *out << c.name;
}

class ConnectingTest : public DeviceLinkTest, public ::testing::WithParamInterface<ConnectCase> {};

TEST_P(ConnectingTest, PrefersTheSettingsFileAndFallsBackToTheMouseThenTheDefaults)
{
    const ConnectCase& c = GetParam();
    c.prepare(*this);
    std::memset(app::storeBytes(*store).data(), 0, sizeof(app::SettingsStore));
    resetTrace();
    view.current = 7;

    link->connectMouse(view);
    EXPECT_EQ(profileReads(), c.expectedReads);
    EXPECT_EQ(pelmo::test::copyOf(store->profiles[0].pollingRateHz), c.expectedPollingOfProfile1);
    EXPECT_EQ(app::fieldText(store->firmwareVersion), c.expectedFirmwareText);
    EXPECT_EQ(view.selected, std::vector<int>{0});
    EXPECT_EQ(view.layouts, 1);
    EXPECT_EQ(pelmo::test::copyOf(store->lightsOn), 1);
}

const ConnectCase kConnectCases[] = {
    {"a settings file is taken as it is",
     [](DeviceLinkTest& t) {
         app::restoreDefaults(*t.store, *t.link);
         t.store->profiles[0].pollingRateHz = 250;
         ASSERT_TRUE(t.files.writeAllProfiles());
     },
     0, 250, "V1.23"},
    {"without a settings file the mouse is read", [](DeviceLinkTest&) {}, 10, 500, "V1.23"},
    {"an empty settings file counts as none", [](DeviceLinkTest& t) { std::ofstream(t.data.allProfilePath()); }, 10,
     500, "V1.23"},
    {"a mouse whose firmware was not ready is read again",
     [](DeviceLinkTest& t) {
         app::restoreDefaults(*t.store, *t.link); // stores V1.23
         t.store->profiles[0].pollingRateHz = 250;
         ASSERT_TRUE(t.files.writeAllProfiles());
         t.mouseState().firmwareVersion = 0xCCCC;
     },
     10, 500, "V524.28"},
    {"without a file or a mouse the factory settings are taken", [](DeviceLinkTest& t) { t.faults().unplugged = 1; },
     0, 500, "V0.00"},
};
INSTANTIATE_TEST_SUITE_P(Decisions, ConnectingTest, ::testing::ValuesIn(kConnectCases),
                         [](const auto& param) { return std::to_string(param.index); });

TEST_F(DeviceLinkTest, TheLightsFollowTheCommandAndReportWhetherTheMouseObeyed)
{
    ASSERT_EQ(library.open(), 1);
    EXPECT_EQ(link->setLights(false), 1);
    EXPECT_EQ(mouseState().lightsOn, 0);
    ASSERT_EQ(library.open(), 1);
    faults().overrideStatus = 1;
    EXPECT_EQ(link->setLights(true), 0);
    faults().overrideStatus = 0;
    EXPECT_EQ(link->reconnectMouse(), 1);
    EXPECT_EQ(link->readFirmwareInfo(), ApiResult::Ok);
    EXPECT_EQ(link->firmwareVersionValue(), 123);
    EXPECT_EQ(trace().back().verb, "CLOSE");
}

} // namespace
} // namespace pelmo::test
