// The JSON form of the settings files: exact round trips, and the checks
// that keep a bad edit from becoming a file.

#include "SettingsJson.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/keys/KeyTable.h"
#include "app/settings/StoreDefaults.h"
#include "app/settings/StoredText.h"

namespace pelmo::tools {
namespace {

class NoMouse final : public app::IFirmwareSource {
public:
    std::uint16_t readFirmwareVersion() override { return 123; }
};

// A store with something unusual in every kind of field.
std::unique_ptr<app::SettingsStore> busyStore()
{
    auto store = app::SettingsStore::create();
    NoMouse mouse;
    app::restoreDefaults(*store, mouse);
    store->activeProfile = 4;
    app::AppProfile& p = store->profiles[2];
    app::storeFieldText(p.fileName, "Ünïcode profile.zrp");
    p.buttonFunction[0] = 16;
    p.buttonParam[0] = 0x41;
    p.buttonFunction[1] = 15;
    p.buttonParam[1] = 2;
    p.macroRepeat[1] = 241;
    p.buttonFunction[2] = 16;
    p.buttonParam[2] = 0x07; // a key code the table lacks
    p.buttonFunction[3] = -9;
    p.buttonParam[3] = 77;
    p.signedAdjust = -30;
    p.laserDpi[2][1] = -1;
    store->profiles[4].enabled = 200;

    store->macroCount = 2;
    app::MacroRecord& macro = store->macros[1];
    macro.number = 2;
    app::storeFieldText(macro.name, "Combo");
    macro.eventCount = 4;
    const char* events[][3] = {{"k", " A ", "down"}, {"t", "0.050", ""}, {"m", "Left Click        ", "up"},
                               {"x", "odd", "sideways"}};
    for (std::size_t i = 0; i < 4; ++i) {
        app::storeFieldText(macro.events[i].kind, events[i][0]);
        app::storeFieldText(macro.events[i].text, events[i][1]);
        app::storeFieldText(macro.events[i].action, events[i][2]);
    }
    // A name that is not UTF-8, as an old file could hold.
    store->macros[16].name[0] = static_cast<char>(0xB0);
    store->macros[16].eventCount = 9999;
    return store;
}

std::unique_ptr<app::SettingsStore> roundTrip(const app::SettingsStore& store, SettingsKind kind)
{
    const std::string text = exportSettings(store, kind).dump(2);
    auto back = app::SettingsStore::create();
    std::vector<std::string> errors;
    auto imported = importSettings(nlohmann::json::parse(text), *back, errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(imported, kind);
    return back;
}

TEST(SettingsJson, AnExportImportsBackByteForByte)
{
    auto store = busyStore();
    auto back = roundTrip(*store, SettingsKind::Store);
    EXPECT_EQ(std::memcmp(store.get(), back.get(), sizeof *store), 0);

    auto profile = roundTrip(*store, SettingsKind::Profile);
    EXPECT_EQ(std::memcmp(&store->profiles[0], &profile->profiles[0], sizeof(app::AppProfile)), 0);

    store->macros[16] = {}; // a macro file the program accepts
    auto macros = roundTrip(*store, SettingsKind::Macros);
    auto original = app::macroFileBytes(*store);
    auto imported = app::macroFileBytes(*macros);
    EXPECT_TRUE(std::equal(original.begin(), original.end(), imported.begin()));
}

TEST(SettingsJson, TheExportNamesFunctionsKeysAndEvents)
{
    auto store = busyStore();
    const auto json = exportSettings(*store, SettingsKind::Store);
    const auto& buttons = json["profiles"][2]["buttons"];
    EXPECT_EQ(buttons[0]["function"], "Single Key");
    EXPECT_EQ(buttons[0]["key"], " A ");
    EXPECT_EQ(buttons[1]["function"], "Macro");
    EXPECT_EQ(buttons[1]["macro"], 2);
    EXPECT_EQ(buttons[1]["repeat"], 241);
    EXPECT_EQ(buttons[2]["param"], 7);
    EXPECT_EQ(buttons[3]["function"], -9);
    EXPECT_EQ(json["profiles"][2]["fileName"], "Ünïcode profile.zrp");
    const auto& macro = json["macros"][0];
    EXPECT_EQ(macro["name"], "Combo");
    EXPECT_EQ(macro["events"][0]["key"], " A ");
    EXPECT_EQ(macro["events"][1]["delay"], "0.050");
    EXPECT_FALSE(macro["events"][1].contains("action"));
    EXPECT_EQ(macro["events"][3]["kind"], "x");
    EXPECT_EQ(json["macros"][1]["name"]["hex"], "b0");
    EXPECT_EQ(json["macros"][1]["eventCount"], 9999);
}

TEST(SettingsJson, ImportNamesEveryBadFieldAndFillsNothing)
{
    auto json = nlohmann::json::parse(exportSettings(*busyStore(), SettingsKind::Store).dump());
    json["profiles"][0]["buttons"][4]["function"] = "Fly";
    json["profiles"][1]["buttons"][0] = {{"function", "Single Key"}, {"key", "Hyper"}};
    json["profiles"][3]["pollingRateHz"] = 1e12;
    json["profiles"][3]["laser"]["dpi"][1] = {90};
    json["profiles"][4]["fileName"] = std::string(300, 'x');
    json["macros"][0]["events"][0] = {{"key", " B "}};
    json["macros"][1]["slot"] = 1;
    json["lightsOn"] = 256;
    json["profiles"][2].erase("wheelLevel");

    auto store = app::SettingsStore::create();
    std::vector<std::string> errors;
    EXPECT_FALSE(importSettings(json, *store, errors));
    const std::vector<std::string> expected = {
        "lightsOn: must be between 0 and 255",
        "profiles[0].buttons[4].function: unknown function \"Fly\"",
        "profiles[1].buttons[0].key: unknown key \"Hyper\"",
        "profiles[2].wheelLevel: is missing",
        "profiles[3].pollingRateHz: must be a whole number",
        "profiles[3].laser.dpi[1]: must be a pair [x, y]",
        "profiles[4].fileName: is 300 bytes long; at most 255 fit",
        "macros[0].events[0].action: is missing",
        "macros[1].slot: slot 1 is given twice",
    };
    EXPECT_EQ(errors, expected);

    errors.clear();
    EXPECT_FALSE(importSettings(nlohmann::json{{"format", "pelmo-settings"}, {"version", 1}, {"kind", "macros"},
                                               {"macroCount", 16}, {"macros", nlohmann::json::array()}},
                                *store, errors));
    EXPECT_EQ(errors, std::vector<std::string>{"macroCount: must be between 0 and 15"});
}

TEST(SettingsJson, TheKindOfAFileIsToldByItsExtension)
{
    EXPECT_EQ(settingsKindOfPath("best.zrp"), SettingsKind::Profile);
    EXPECT_EQ(settingsKindOfPath("/a/B.ZRM"), SettingsKind::Macros);
    EXPECT_EQ(settingsKindOfPath("profile/AllProfile"), SettingsKind::Store);
    EXPECT_EQ(settingsKindOfPath("zrp"), SettingsKind::Store);
}

} // namespace
} // namespace pelmo::tools
