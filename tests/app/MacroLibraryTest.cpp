#include "app/macros/MacroLibrary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "AppTestSupport.h"
#include "app/macros/MacroEventText.h"
#include "app/settings/StoredText.h"

namespace pelmo::app {
namespace {

class MacroLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directory(folder.file("profile")); }

    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (std::size_t slot = 0; slot < library.macrosInUse(); ++slot)
            result.emplace_back(library.name(static_cast<int>(slot)));
        return result;
    }

    // The event texts of a macro as "kind text action" lines.
    std::vector<std::string> events(int slot) const
    {
        std::vector<std::string> result;
        for (std::size_t i = 0; i < library.eventCount(slot); ++i) {
            const MacroEvent& event = store->macros[slot].events[i];
            result.push_back(std::string(fieldText(event.kind)) + " " + std::string(fieldText(event.text)) + " " +
                             std::string(fieldText(event.action)));
        }
        return result;
    }

    void createNamed(std::initializer_list<const char*> list)
    {
        for (const char* name : list)
            ASSERT_TRUE(library.renameMacro(*library.createMacro(), name));
    }

    test::TemporaryFolder folder;
    std::unique_ptr<SettingsStore> store = SettingsStore::create();
    MacroLibrary library{*store, folder.file("profile/Macros")};
};

using Names = std::vector<std::string>;
using Events = std::vector<std::string>;

TEST_F(MacroLibraryTest, NewMacrosAreNamedAfterTheirSlotUpToFifteen)
{
    EXPECT_EQ(library.createMacro(), 0);
    ASSERT_TRUE(library.renameMacro(0, "Macro_2"));
    EXPECT_EQ(library.createMacro(), 1);
    EXPECT_EQ(names(), (Names{"Macro_2", "Macro_2*"})) << "a taken name gets one star, unchecked";
    while (library.macrosInUse() < 15)
        ASSERT_TRUE(library.createMacro());
    EXPECT_EQ(library.name(14), "Macro_15");
    EXPECT_EQ(library.createMacro(), std::nullopt);
    EXPECT_EQ(test::copyOf(store->macroCount), 15);
    EXPECT_EQ(fieldText(store->macros[15].name), "") << "the sixteenth slot stays empty";
}

TEST_F(MacroLibraryTest, RenamingToATakenNameAddsAStarPerClash)
{
    createNamed({"Jump", "Jump*", "Walk"});
    ASSERT_TRUE(library.renameMacro(2, "Jump"));
    EXPECT_EQ(library.name(2), "Jump**");
    ASSERT_TRUE(library.renameMacro(2, ""));
    EXPECT_EQ(library.name(2), "");
    EXPECT_TRUE(std::all_of(std::begin(store->macros[2].name), std::end(store->macros[2].name),
                            [](char c) { return c == 0; }));

    // A full-length name makes room for its star by losing its last character.
    const std::string full(255, 'x');
    ASSERT_TRUE(library.renameMacro(0, full));
    ASSERT_TRUE(library.renameMacro(1, full));
    EXPECT_EQ(library.name(0), full);
    EXPECT_EQ(library.name(1), std::string(254, 'x') + "*");
    // ... or its last character however many bytes that takes.
    const std::string accented = std::string(253, 'y') + "\xC3\xA9";
    ASSERT_TRUE(library.renameMacro(0, accented));
    ASSERT_TRUE(library.renameMacro(1, accented));
    EXPECT_EQ(library.name(1), std::string(253, 'y') + "*");
}

TEST_F(MacroLibraryTest, DuplicateNamesAreFoundInTheChosenScope)
{
    createNamed({"A", "B"});
    ASSERT_TRUE(library.renameMacro(5, "A")) << "a slot beyond the macros in use";
    EXPECT_EQ(library.name(5), "A*") << "renaming compares all fifteen slots";
    std::memcpy(store->macros[5].name, "A", 2);
    EXPECT_FALSE(library.isDuplicateName(0, NameScope::InUse));
    EXPECT_TRUE(library.isDuplicateName(0, NameScope::AllFifteen));
    EXPECT_FALSE(library.isDuplicateName(1, NameScope::AllFifteen));
}

TEST_F(MacroLibraryTest, DeletingAMacroFixesEveryButtonThatPlaysItOrALaterOne)
{
    createNamed({"one", "two", "three", "four"});
    AppProfile& third = store->profiles[2];
    auto assign = [](AppProfile& profile, int button, ButtonFunction function, std::int32_t param) {
        profile.buttonFunction[button] = code(function);
        profile.buttonParam[button] = param;
    };
    assign(third, 4, ButtonFunction::Macro, 4);
    assign(third, 1, ButtonFunction::Macro, 2);
    assign(third, 0, ButtonFunction::Macro, 1);
    assign(third, 6, ButtonFunction::SingleKey, 2);
    assign(store->profiles[0], 9, ButtonFunction::Macro, 2);

    EXPECT_EQ(library.deleteMacro(1), MacroDeletion::Saved);
    EXPECT_EQ(names(), (Names{"one", "three", "four"}));
    EXPECT_EQ(test::copyOf(third.buttonParam[4]), 3) << "macro 4 is now macro 3";
    EXPECT_EQ(test::copyOf(third.buttonFunction[1]), code(ButtonFunction::RightClick)) << "the button's own default";
    EXPECT_EQ(test::copyOf(third.buttonParam[1]), 0);
    EXPECT_EQ(test::copyOf(third.buttonParam[0]), 1);
    EXPECT_EQ(test::copyOf(third.buttonParam[6]), 2) << "a key code is not a macro reference";
    EXPECT_EQ(test::copyOf(store->profiles[0].buttonFunction[9]), code(ButtonFunction::ProfileSelect));

    auto file = test::fileBytes(library.macroStorePath());
    ASSERT_EQ(file.size(), kMacroFileSize);
    EXPECT_EQ(file[0], 3);
    EXPECT_EQ(library.deleteMacro(3), MacroDeletion::Refused) << "only three macros are in use";
}

TEST_F(MacroLibraryTest, DeletingTheOnlyMacroClearsAllTwentySlots)
{
    createNamed({"only"});
    ASSERT_TRUE(library.appendEvent(0, MacroEventKind::EventKeyDown, " A "));
    store->macros[17].number = 99; // never used by the program, but present in a file
    EXPECT_EQ(library.deleteMacro(0), MacroDeletion::Saved);
    auto macros = macroFileBytes(*store);
    EXPECT_TRUE(std::all_of(macros.begin(), macros.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(MacroLibraryTest, AFailedSaveAfterADeletionIsReported)
{
    MacroLibrary homeless(*store, folder.file("missing/Macros"));
    createNamed({"a", "b"});
    EXPECT_EQ(homeless.deleteMacro(0), MacroDeletion::NotSaved);
    EXPECT_EQ(names(), (Names{"b"}));
    EXPECT_NE(homeless.lastError().find("missing"), std::string::npos);
}

TEST_F(MacroLibraryTest, EventsAreStoredAsTheirThreeTexts)
{
    createNamed({"m"});
    ASSERT_TRUE(library.appendEvent(0, MacroEventKind::EventKeyDown, " A "));
    ASSERT_TRUE(library.appendEvent(0, MacroEventKind::EventDelay, delaySecondsText(50)));
    auto bytes = [](const MacroEvent& event) {
        auto begin = reinterpret_cast<const std::uint8_t*>(&event);
        return std::vector<std::uint8_t>(begin, begin + sizeof event);
    };
    EXPECT_EQ(bytes(store->macros[0].events[0]), test::fixture("key_a_down_event.bin"));
    EXPECT_EQ(bytes(store->macros[0].events[1]), test::fixture("delay_50ms_event.bin"));

    ASSERT_TRUE(library.appendEvent(0, MacroEventKind::EventWheelUp, "Scroll Wheel Up   "));
    ASSERT_TRUE(library.appendEvent(0, MacroEventKind::EventWheelDown, "Scroll Wheel Down "));
    EXPECT_EQ(events(0), (Events{"k  A  down", "t 0.050 ", "m Scroll Wheel Up    up", "m Scroll Wheel Down  down"}));
}

TEST_F(MacroLibraryTest, InsertingPlacesAnEventAtItsPositionOrNowhere)
{
    createNamed({"m"});
    EXPECT_FALSE(library.appendEvent(0, MacroEventKind::EventKeyDown, "")) << "an empty text changes nothing";
    ASSERT_TRUE(library.appendEvent(0, MacroEventKind::EventKeyDown, " A "));
    ASSERT_TRUE(library.appendEvent(0, MacroEventKind::EventKeyUp, " A "));
    EXPECT_FALSE(library.insertEvent(0, MacroEventKind::EventDelay, "1.000", 3)) << "two beyond the last";
    EXPECT_FALSE(library.insertEvent(0, MacroEventKind::EventDelay, "1.000", -1));
    ASSERT_TRUE(library.insertEvent(0, MacroEventKind::EventDelay, "1.500", 1));
    ASSERT_TRUE(library.insertEvent(0, MacroEventKind::EventMouseUp, "Left Click        ", 3)) << "at the end";
    EXPECT_EQ(events(0), (Events{"k  A  down", "t 1.500 ", "k  A  up", "m Left Click         up"}));
}

TEST_F(MacroLibraryTest, AMacroHoldsAtMostTwoHundredAndFiftySixEvents)
{
    createNamed({"long"});
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(library.appendEvent(0, MacroEventKind::EventKeyDown, " B "));
    EXPECT_FALSE(library.appendEvent(0, MacroEventKind::EventKeyUp, " B "));
    EXPECT_FALSE(library.insertEvent(0, MacroEventKind::EventKeyUp, " B ", 0));
    EXPECT_EQ(test::copyOf(store->macros[0].eventCount), 256);
    EXPECT_EQ(fieldText(store->macros[1].name), "") << "nothing spilled into the next record";
}

TEST_F(MacroLibraryTest, DeletingAnEventClosesTheGapAndTheLastOneEmptiesTheMacro)
{
    createNamed({"m"});
    for (const char* key : {" A ", " B ", " C "})
        ASSERT_TRUE(library.appendEvent(0, MacroEventKind::EventKeyDown, key));
    EXPECT_FALSE(library.deleteEvent(0, -1)) << "nothing selected";
    EXPECT_FALSE(library.deleteEvent(0, 3)) << "one past the last event is not an event";
    ASSERT_TRUE(library.deleteEvent(0, 1));
    EXPECT_EQ(events(0), (Events{"k  A  down", "k  C  down"}));
    ASSERT_TRUE(library.deleteEvent(0, 1));
    ASSERT_TRUE(library.deleteEvent(0, 0));
    EXPECT_EQ(test::copyOf(store->macros[0].eventCount), 0);
    for (const MacroEvent& event : store->macros[0].events)
        EXPECT_EQ(fieldText(event.text), "");
}

TEST_F(MacroLibraryTest, OnlyADelayTakesANewDelayAndOnlyAPositiveOne)
{
    createNamed({"m"});
    ASSERT_TRUE(library.appendEvent(0, MacroEventKind::EventKeyDown, " A "));
    ASSERT_TRUE(library.appendEvent(0, MacroEventKind::EventDelay, "0.050"));
    std::memcpy(store->macros[0].events[1].action, "junk", 5);
    EXPECT_FALSE(library.setDelay(0, 0, 1500)) << "a key event";
    EXPECT_FALSE(library.setDelay(0, 1, 0));
    EXPECT_FALSE(library.setDelay(0, 1, -20));
    EXPECT_FALSE(library.setDelay(0, 2, 1500)) << "no event there";
    ASSERT_TRUE(library.setDelay(0, 1, 1500));
    EXPECT_EQ(events(0), (Events{"k  A  down", "t 1.500 "}));
}

TEST_F(MacroLibraryTest, ClearingBeforeRecordingEmptiesTheMacro)
{
    createNamed({"m"});
    ASSERT_TRUE(library.appendEvent(0, MacroEventKind::EventKeyDown, " A "));
    ASSERT_TRUE(library.clearEvents(0));
    EXPECT_EQ(library.eventCount(0), 0u);
    EXPECT_EQ(fieldText(store->macros[0].events[0].kind), "");
    EXPECT_FALSE(library.clearEvents(15));
}

TEST(MacroEventText, DelaysAreWrittenAsSecondsWithThreeDecimals)
{
    const std::pair<std::int64_t, const char*> cases[] = {
        {7, "0.007"}, {50, "0.050"}, {1000, "1.000"}, {1234, "1.234"}, {100000, "100.000"}, {0, "0.000"},
    };
    for (auto [milliseconds, text] : cases)
        EXPECT_EQ(delaySecondsText(milliseconds), text);
}

TEST(MacroEventText, StoredEventsShowAsTheMacroPageListsThem)
{
    auto event = [](const char* kind, const char* text, const char* action) {
        MacroEvent e{};
        storeFieldText(e.kind, kind);
        storeFieldText(e.text, text);
        storeFieldText(e.action, action);
        return e;
    };
    EXPECT_EQ(eventListText(event("k", " A ", "up"), 0), " A ");
    EXPECT_EQ(eventListText(event("t", "0.250", ""), 0), "0.250 Sec Delay ");
    EXPECT_EQ(eventListText(event("m", "Left Click        ", "down"), 1), "左鍵    向下   ");
    EXPECT_EQ(eventListText(event("m", "Wheel Up       ", "up"), 0), "Wheel Up        Up   ");
    EXPECT_EQ(eventListText(event("m", "Left Click        ", "unknown"), 0), std::nullopt);
    EXPECT_EQ(eventListText(event("x", "", ""), 0), std::nullopt);
}

} // namespace
} // namespace pelmo::app
