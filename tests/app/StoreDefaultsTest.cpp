#include "app/settings/StoreDefaults.h"

#include <gtest/gtest.h>

#include <cstring>

#include "AppTestSupport.h"
#include "app/settings/StoredText.h"

namespace pelmo::app {
namespace {

TEST(StoreDefaults, GiveEveryProfileTheFactorySettingsAndKeepTheMacros)
{
    auto store = SettingsStore::create();
    store->activeProfile = 4;
    store->lightsOn = 0;
    store->macroCount = 2;
    storeFieldText(store->macros[0].name, "Mine");
    store->macros[0].eventCount = 3;
    std::memset(static_cast<void*>(store->profiles), 0x5A, sizeof store->profiles);
    std::vector<std::uint8_t> macrosBefore(macroFileBytes(*store).begin(), macroFileBytes(*store).end());

    test::FakeFirmware firmware(123);
    restoreDefaults(*store, firmware);

    EXPECT_EQ(test::copyOf(store->activeProfile), 1);
    EXPECT_EQ(store->lightsOn, 1);
    EXPECT_EQ(fieldText(store->appVersion), "V2.30");
    EXPECT_EQ(fieldText(store->firmwareVersion), "V1.23");
    EXPECT_TRUE(std::equal(macrosBefore.begin(), macrosBefore.end(), macroFileBytes(*store).begin()));

    // Every profile is byte for byte the default profile, unnamed: the same
    // image as a default profile file less its name.
    auto expected = test::fixture("default_profile_saved_as_best.zrp");
    std::fill(expected.begin() + 1, expected.begin() + 257, std::uint8_t{0});
    for (const AppProfile& profile : store->profiles) {
        auto bytes = profileBytes(profile);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), expected.begin(), expected.end()));
    }
}

TEST(StoreDefaults, WithNoMouseSinceStartTheFirmwareReadsV000)
{
    auto store = SettingsStore::create();
    test::FakeFirmware noMouse;
    restoreDefaults(*store, noMouse);
    EXPECT_EQ(fieldText(store->firmwareVersion), "V0.00");
    EXPECT_EQ(firmwareVersionText(52428), "V524.28");
    EXPECT_EQ(firmwareVersionText(65535), "V655.35");
    EXPECT_EQ(firmwareVersionText(1005), "V10.05");
}

} // namespace
} // namespace pelmo::app
