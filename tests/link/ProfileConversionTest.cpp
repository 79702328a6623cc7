// The conversions between the program's profiles and macros and the records
// the mouse exchanges, both ways.

#include <gtest/gtest.h>

#include "PackedField.h"

#include <cstring>
#include <memory>

#include "app/keys/KeyTable.h"
#include "app/macros/MacroEventText.h"
#include "app/settings/ProfileConversion.h"
#include "app/settings/StoreDefaults.h"
#include "app/settings/StoredText.h"

namespace pelmo::app {
namespace {

class NoMouse final : public IFirmwareSource {
public:
    std::uint16_t readFirmwareVersion() override { return 0; }
};

// The pointer settings that read back as the default profile's levels.
const platform::PointerValues kDefaultLevels{900, 1, 10};

struct Fixture {
    std::unique_ptr<SettingsStore> store = SettingsStore::create();
    std::unique_ptr<DeviceProfiles> device = std::make_unique<DeviceProfiles>();

    Fixture()
    {
        NoMouse mouse;
        restoreDefaults(*store, mouse);
    }
    AppProfile& profile(std::size_t p = 0) { return store->profiles[p]; }
    void toDevice() { profilesToDevice(*store, *device); }
    // As the device link does after a read.
    void fromDevice(int active = 1)
    {
        profilesFromDevice(*store, *device, active, kDefaultLevels);
        compactMacros(*store);
    }
};

void setEvent(MacroRecord& record, std::size_t i, std::string_view kind, std::string_view text, std::string_view action)
{
    storeFieldText(record.events[i].kind, kind);
    storeFieldText(record.events[i].text, text);
    storeFieldText(record.events[i].action, action);
}

TEST(ProfileConversion, ValuesAreClampedOrDefaultedOnTheWayOutAndReadBackAsLevels)
{
    struct Case {
        const char* name;
        void (*set)(AppProfile&);
        void (*checkDevice)(const DeviceProfile&);
        void (*checkBack)(const AppProfile&);
    };
    const Case cases[] = {
        {"an odd polling rate goes out as 1000 Hz", [](AppProfile& p) { p.pollingRateHz = 300; },
         [](const DeviceProfile& d) { EXPECT_EQ(d.reportRateCode, 1); },
         [](const AppProfile& p) { EXPECT_EQ(pelmo::test::copyOf(p.pollingRateHz), 1000); }},
        {"lift-off level 0 goes out as 5 and comes back as level 1", [](AppProfile& p) { p.liftOffLevel = 0; },
         [](const DeviceProfile& d) { EXPECT_EQ(d.liftOff, 5); },
         [](const AppProfile& p) { EXPECT_EQ(pelmo::test::copyOf(p.liftOffLevel), 1); }},
        {"lift-off level 99 goes out as 32", [](AppProfile& p) { p.liftOffLevel = 99; },
         [](const DeviceProfile& d) { EXPECT_EQ(d.liftOff, 32); },
         [](const AppProfile& p) { EXPECT_EQ(pelmo::test::copyOf(p.liftOffLevel), 10); }},
        {"DPI travel in steps of 400 and 90",
         [](AppProfile& p) {
             p.opticalDpi[3] = 4800;
             p.laserDpi[3][1] = 6030;
         },
         [](const DeviceProfile& d) {
             EXPECT_EQ(pelmo::test::copyOf(d.opticalDpi[3]), 12);
             EXPECT_EQ(pelmo::test::copyOf(d.laserDpi[7]), 67);
         },
         [](const AppProfile& p) {
             EXPECT_EQ(pelmo::test::copyOf(p.opticalDpi[3]), 4800);
             EXPECT_EQ(pelmo::test::copyOf(p.laserDpi[3][1]), 6030);
         }},
        {"angle snapping beyond the mouse's range goes out as 9", [](AppProfile& p) { p.angleSnapLevel = 50; },
         [](const DeviceProfile& d) { EXPECT_EQ(d.angleSnapping, 9); },
         [](const AppProfile& p) { EXPECT_EQ(pelmo::test::copyOf(p.angleSnapLevel), 10); }},
        {"an unknown single key goes out as 0 and comes back without a key",
         [](AppProfile& p) {
             p.buttonFunction[2] = 16;
             p.buttonParam[2] = 0x07; // no key has this code
         },
         [](const DeviceProfile& d) {
             EXPECT_EQ(d.buttons[2].kind, 0x02);
             EXPECT_EQ(d.buttons[2].value, 0);
         },
         [](const AppProfile& p) {
             EXPECT_EQ(pelmo::test::copyOf(p.buttonFunction[2]), 16);
             EXPECT_EQ(pelmo::test::copyOf(p.buttonParam[2]), 0);
         }},
        {"a single key travels as its HID usage",
         [](AppProfile& p) {
             p.buttonFunction[2] = 16;
             p.buttonParam[2] = 0x41; // A
         },
         [](const DeviceProfile& d) { EXPECT_EQ(d.buttons[2].value, 0x04); },
         [](const AppProfile& p) { EXPECT_EQ(pelmo::test::copyOf(p.buttonParam[2]), 0x41); }},
        {"a function code outside 1..17 leaves the button empty", [](AppProfile& p) { p.buttonFunction[1] = 40; },
         [](const DeviceProfile& d) {
             EXPECT_EQ(d.buttons[1].kind, 0);
             EXPECT_EQ(d.buttons[1].value, 0);
         },
         [](const AppProfile& p) { EXPECT_EQ(pelmo::test::copyOf(p.buttonFunction[1]), 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        c.set(f.profile());
        f.toDevice();
        c.checkDevice((*f.device)[0]);
        f.fromDevice();
        c.checkBack(f.profile());
    }
}

TEST(ProfileConversion, TheWheelButtonsAndFixedFieldsAreAlwaysSent)
{
    Fixture f;
    f.profile(2).enabled = 0;
    f.toDevice();
    const DeviceProfile& d = (*f.device)[2];
    EXPECT_EQ(d.profileNumber, 2);
    EXPECT_EQ(d.imageSize, 2048);
    EXPECT_EQ(d.enabled, 0);
    EXPECT_EQ(d.buttons[11].kind, 0x01);
    EXPECT_EQ(d.buttons[11].value, 0x01);
    EXPECT_EQ(d.buttons[12].value, 0xFF);
    EXPECT_EQ(d.buttons[3].kind, 0x0A); // DPI Up
    EXPECT_EQ(d.buttons[9].kind, 0x08); // Profile Select
}

TEST(ProfileConversion, InRangeProfilesSurviveTheRoundTrip)
{
    Fixture f;
    AppProfile& p = f.profile(1);
    p.pollingRateHz = 250;
    p.powerSaveSeconds = 120;
    p.liftOffLevel = 8;
    p.angleSnapLevel = 3;
    p.opticalDpi[0] = 1600;
    p.laserDpi[0][0] = 900;
    p.buttonFunction[4] = 14;
    p.buttonFunction[6] = 7;
    f.store->activeProfile = 2;
    AppProfile before;
    std::memcpy(&before, &p, sizeof before);

    f.toDevice();
    f.fromDevice(2);
    // Chosen-mode bytes and file names are the program's alone and do not travel.
    before.opticalChosen = 0;
    EXPECT_EQ(pelmo::test::copyOf(std::memcmp(&before, &f.profile(1), sizeof before)), 0);
    EXPECT_EQ(pelmo::test::copyOf(f.store->activeProfile), 2);
}

TEST(ProfileConversion, TheActiveProfileIsAnEnabledOne)
{
    Fixture f;
    f.store->activeProfile = 7;
    f.toDevice();
    EXPECT_EQ(pelmo::test::copyOf(f.store->activeProfile), 1);

    f.store->activeProfile = 3;
    f.profile(0).enabled = 0;
    f.profile(2).enabled = 0;
    EXPECT_EQ(profilesToDevice(*f.store, *f.device), 2);
    EXPECT_EQ(pelmo::test::copyOf(f.store->activeProfile), 2);

    for (AppProfile& profile : f.store->profiles)
        profile.enabled = 0;
    f.store->activeProfile = 4;
    EXPECT_EQ(profilesToDevice(*f.store, *f.device), 4);
}

TEST(ProfileConversion, PointerSettingsBecomeTheLevelsOfEveryProfile)
{
    struct Case {
        platform::PointerValues pointer;
        std::int32_t doubleClick, wheel, speed;
    };
    const Case cases[] = {
        {{500, 3, 10}, 8, 3, 5},
        {{150, 1, 1}, 10, 1, 1},
        {{100, 0, 20}, 10, 1, 10},
        {{1650, 40, 2}, 1, 10, 1},
        {{900, 10, 15}, 5, 10, 8},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.toDevice();
        profilesFromDevice(*f.store, *f.device, 1, c.pointer);
        for (const AppProfile& profile : f.store->profiles) {
            EXPECT_EQ(pelmo::test::copyOf(profile.doubleClickLevel), c.doubleClick) << c.pointer.doubleClickTimeMs;
            EXPECT_EQ(pelmo::test::copyOf(profile.wheelLevel), c.wheel) << c.pointer.wheelScrollLines;
            EXPECT_EQ(pelmo::test::copyOf(profile.pointerSpeedLevel), c.speed) << c.pointer.pointerSpeed;
        }
    }
}

TEST(ProfileConversion, LiftOffBytesOutsideTheTableReadAsTheNearestLevel)
{
    const std::pair<std::uint8_t, std::int32_t> cases[] = {{11, 2}, {0, 1}, {7, 3}, {40, 13}, {13, 2}, {255, 99}};
    for (auto [value, level] : cases) {
        Fixture f;
        f.toDevice();
        (*f.device)[0].liftOff = value;
        f.fromDevice();
        EXPECT_EQ(pelmo::test::copyOf(f.profile().liftOffLevel), level) << int(value);
    }
}

TEST(ProfileConversion, MacrosBecomeDeviceEventsWithTheirDelays)
{
    Fixture f;
    MacroRecord& macro = f.store->macros[1];
    macro.eventCount = 6;
    setEvent(macro, 0, "k", KeyTable[*findKeyByVirtualKey(0x41)].name, "down");
    setEvent(macro, 1, "t", "0.1", "");
    setEvent(macro, 2, "m", "Right Click       ", "up");
    setEvent(macro, 3, "m", "  Wheel Down      x", "down"); // a canonical name anywhere in the text
    setEvent(macro, 4, "m", "Nothing we know", "down");      // skipped
    setEvent(macro, 5, "k", "no such key", "sideways");
    f.profile().buttonFunction[0] = 15;
    f.profile().buttonParam[0] = 2;
    f.profile().macroRepeat[0] = 242;
    f.toDevice();

    const DeviceButton& button = (*f.device)[0].buttons[0];
    EXPECT_EQ(button.kind, 3);
    EXPECT_EQ(button.value, 242);
    EXPECT_EQ(button.macroNumber, 2);
    const DeviceMacro& out = (*f.device)[0].macros[0];
    ASSERT_EQ(pelmo::test::copyOf(out.eventCount), 4);
    EXPECT_EQ(out.events[0].kind, 0x01);
    EXPECT_EQ(out.events[0].code, 0x04);
    EXPECT_EQ(out.events[0].direction, 0);
    EXPECT_EQ(out.events[0].delay, 100u);
    EXPECT_EQ(out.events[1].kind, 0x10);
    EXPECT_EQ(out.events[1].code, 2);
    EXPECT_EQ(out.events[1].direction, 1);
    EXPECT_EQ(out.events[2].kind, 0x11);
    EXPECT_EQ(out.events[2].code, 0xFF);
    EXPECT_EQ(out.events[3].code, 0);      // unknown key
    EXPECT_EQ(out.events[3].direction, 0); // unknown action presses
}

TEST(ProfileConversion, MacrosComeBackFromTheMouseInWireOrderUndone)
{
    Fixture f;
    f.toDevice();
    DeviceProfile& d = (*f.device)[3];
    d.buttons[5] = {3, 5, 0, 0, 4, 0};
    DeviceMacro& in = d.macros[5];
    in.eventCount = 3;
    in.events[0] = {0x01, 0, 0x0400, 1, {}, 0x640000}; // A down, 100 ms (bytes in wire order)
    in.events[1] = {0x10, 0, 0x1000, 2, {}, 0};        // browser back up
    in.events[2] = {0x11, 0, 0x0100, 1, {}, 0x6D1000}; // wheel up, 4,205 ms
    f.fromDevice();

    const AppProfile& p = f.profile(3);
    EXPECT_EQ(pelmo::test::copyOf(p.buttonFunction[5]), 15);
    EXPECT_EQ(pelmo::test::copyOf(p.buttonParam[5]), 1); // compacted from slot 4 to slot 1
    EXPECT_EQ(pelmo::test::copyOf(p.macroRepeat[5]), 5);
    const MacroRecord& macro = f.store->macros[0];
    EXPECT_EQ(fieldText(macro.name), "MACRO_4");
    ASSERT_EQ(pelmo::test::copyOf(macro.eventCount), 5);
    EXPECT_EQ(fieldText(macro.events[0].text), " A ");
    EXPECT_EQ(fieldText(macro.events[0].action), "down");
    EXPECT_EQ(fieldText(macro.events[1].kind), "t");
    EXPECT_EQ(fieldText(macro.events[1].text), "0.100");
    EXPECT_EQ(fieldText(macro.events[2].text), "Browser Back   ");
    EXPECT_EQ(fieldText(macro.events[2].action), "up");
    EXPECT_EQ(fieldText(macro.events[3].text), "Wheel Up       ");
    EXPECT_EQ(fieldText(macro.events[4].text), "4.205");
    EXPECT_EQ(pelmo::test::copyOf(f.store->macroCount), 1);
}

TEST(ProfileConversion, MacrosAreCutTo128EventsEitherWay)
{
    Fixture f;
    MacroRecord& macro = f.store->macros[0];
    macro.eventCount = 200;
    for (std::size_t i = 0; i < 200; ++i)
        setEvent(macro, i, "k", " B ", i % 2 ? "up" : "down");
    f.profile().buttonFunction[0] = 15;
    f.profile().buttonParam[0] = 1;
    f.toDevice();
    EXPECT_EQ((*f.device)[0].macros[0].eventCount, 128);

    // A hundred events, each with a delay, come back as the first 128 entries.
    DeviceMacro& in = (*f.device)[0].macros[0];
    in.eventCount = 100;
    for (auto& event : in.events)
        event = {0x01, 0, 0x0500, 1, {}, 0x0A0000};
    f.fromDevice();
    EXPECT_EQ(pelmo::test::copyOf(f.store->macros[0].eventCount), 128);
    EXPECT_EQ(fieldText(f.store->macros[0].events[127].kind), "t");
}

TEST(ProfileConversion, DelayTextsAreReadAsExactMilliseconds)
{
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"0.1", 100}, {"4.205", 4205}, {"0.100", 100}, {"12", 12000}, {"1.23456", 1234},
        {"0.3", 300}, {"99999999", 0xFFFFFF}, {"", std::nullopt}, {"-1", std::nullopt}, {"1e3", std::nullopt},
        {".5", 500}, {"1.", 1000}, {".", std::nullopt},
    };
    for (auto [text, expected] : cases)
        EXPECT_EQ(delayMilliseconds(text), expected) << text;
    EXPECT_EQ(delaySecondsText(100), "0.100");
}

TEST(ProfileConversion, CompactionMovesMacrosDownAndTheButtonsFollow)
{
    Fixture f;
    f.store->macros[1].number = 2;
    storeFieldText(f.store->macros[1].name, "two");
    f.store->macros[4].number = 5;
    storeFieldText(f.store->macros[4].name, "five");
    f.profile(0).buttonFunction[3] = 15;
    f.profile(0).buttonParam[3] = 5;
    f.profile(4).buttonFunction[1] = 15;
    f.profile(4).buttonParam[1] = 2;
    f.profile(2).buttonFunction[0] = 16;
    f.profile(2).buttonParam[0] = 5; // a key code, not a macro: untouched

    compactMacros(*f.store);
    EXPECT_EQ(pelmo::test::copyOf(f.store->macroCount), 2);
    EXPECT_EQ(fieldText(f.store->macros[0].name), "two");
    EXPECT_EQ(pelmo::test::copyOf(f.store->macros[0].number), 1);
    EXPECT_EQ(fieldText(f.store->macros[1].name), "five");
    EXPECT_EQ(pelmo::test::copyOf(f.store->macros[1].number), 2);
    EXPECT_EQ(pelmo::test::copyOf(f.store->macros[4].number), 0);
    EXPECT_EQ(fieldText(f.store->macros[4].name), "");
    EXPECT_EQ(pelmo::test::copyOf(f.profile(0).buttonParam[3]), 2);
    EXPECT_EQ(pelmo::test::copyOf(f.profile(4).buttonParam[1]), 1);
    EXPECT_EQ(pelmo::test::copyOf(f.profile(2).buttonParam[0]), 5);
}

TEST(ProfileConversion, DamagedNumbersNeverReachOutsideTheMacroLibrary)
{
    Fixture f;
    f.store->macros[0].eventCount = 9999;
    f.profile().buttonFunction[0] = 15;
    f.profile().buttonParam[0] = -5; // plays macro 1
    f.profile().buttonFunction[1] = 15;
    f.profile().buttonParam[1] = 99; // no such macro: plays nothing
    f.profile().macroRepeat[1] = 300;
    f.toDevice();
    EXPECT_EQ((*f.device)[0].buttons[0].macroNumber, 1);
    EXPECT_EQ((*f.device)[0].macros[0].eventCount, 0); // 9999 empty events produce nothing
    EXPECT_EQ((*f.device)[0].buttons[1].value, 1);
    EXPECT_EQ((*f.device)[0].macros[1].eventCount, 0);

    // A macro number the program never writes, read from the mouse, takes a free slot.
    Fixture g;
    g.toDevice();
    DeviceProfile& d = (*g.device)[0];
    d.buttons[7] = {3, 1, 0, 0, 1, 200};
    d.macros[7].eventCount = 1;
    d.macros[7].events[0] = {0x01, 0, 0x0600, 1, {}, 0};
    g.fromDevice();
    EXPECT_EQ(pelmo::test::copyOf(g.profile().buttonFunction[7]), 15);
    EXPECT_EQ(pelmo::test::copyOf(g.profile().buttonParam[7]), 1);
    EXPECT_EQ(fieldText(g.store->macros[0].events[0].text), " C ");
    EXPECT_EQ(pelmo::test::copyOf(g.store->macroCount), 1);
}

} // namespace
} // namespace pelmo::app
