#include "emulator/EmulatedMouse.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace pelmo::emulator {
namespace {

using Bytes = std::vector<std::uint8_t>;
using ByteAt = std::pair<std::size_t, std::uint8_t>;

constexpr std::size_t kCommandSize = 64;
constexpr std::size_t kProfileDataSize = 1041;
constexpr std::size_t kControlSize = 8;
constexpr std::size_t kFlashSize = 1025;

// A report buffer holding `id` followed by zeros, with `bytes` written over it.
Bytes report(std::uint8_t id, std::size_t length, std::initializer_list<ByteAt> bytes = {})
{
    Bytes buffer(length, 0);
    buffer[0] = id;
    for (auto [offset, value] : bytes)
        buffer[offset] = value;
    return buffer;
}

Bytes commandRequest(std::uint8_t command, std::uint8_t profile = 0, std::uint8_t half = 0)
{
    return report(0x60, kCommandSize, {{1, command}, {5, profile}, {6, half}});
}

Bytes writeHalfRequest(std::uint8_t profile, std::uint8_t half, const std::uint8_t* data, std::uint8_t command = 0x08)
{
    Bytes buffer = report(0x61, kProfileDataSize, {{1, command}, {5, profile}, {6, half}});
    std::memcpy(buffer.data() + 16, data, 1024);
    return buffer;
}

bool set(EmulatedMouse& mouse, const Bytes& buffer)
{
    return mouse.setFeature(buffer.data(), buffer.size());
}

// Reads a report that is expected to arrive; a failed transfer fails the test.
Bytes get(EmulatedMouse& mouse, std::uint8_t id, std::size_t length)
{
    Bytes buffer = report(id, length);
    EXPECT_TRUE(mouse.getFeature(buffer.data(), buffer.size())) << "get of report " << int(id);
    return buffer;
}

Bytes askCommand(EmulatedMouse& mouse, std::uint8_t command, std::uint8_t profile = 0)
{
    EXPECT_TRUE(set(mouse, commandRequest(command, profile)));
    return get(mouse, 0x60, kCommandSize);
}

Bytes readHalf(EmulatedMouse& mouse, std::uint8_t profile, std::uint8_t half)
{
    EXPECT_TRUE(set(mouse, commandRequest(0x07, profile, half)));
    return get(mouse, 0x61, kProfileDataSize);
}

std::uint16_t versionIn(const Bytes& reply)
{
    return static_cast<std::uint16_t>(reply[16] | (reply[17] << 8));
}

// Every profile image filled with bytes that differ between profiles and
// between halves, so a mixed-up offset shows.
MouseState patternedState()
{
    MouseState state = EmulatedMouse::factoryState();
    for (std::size_t p = 0; p < kProfileCount; ++p)
        for (std::size_t i = 0; i < kProfileImageSize; ++i)
            state.images[p][i] = static_cast<std::uint8_t>(p * 41 + i * 7 + i / 1024);
    return state;
}

TEST(EmulatedMouseCommands, AnswerEachCommandWithExactlyItsReplyBytes)
{
    struct Case {
        const char* what;
        std::uint8_t command;
        std::uint8_t argument;
        std::uint8_t lightsBefore;
        std::vector<ByteAt> reply; // everything not listed is zero
        std::uint8_t profileAfter;
        std::uint8_t lightsAfter;
    };
    const Case cases[] = {
        {"firmware info", 0x02, 0, 1, {{1, 1}, {16, 0xEA}, {17, 0x03}, {54, 0x22}, {55, 0x11}}, 3, 1},
        {"current profile", 0x03, 0, 1, {{1, 1}, {16, 3}}, 3, 1},
        {"set current profile", 0x04, 4, 1, {{1, 1}}, 4, 1},
        {"set a profile the mouse lacks", 0x04, 5, 1, {{1, 0}}, 3, 1},
        {"lighting off", 0x30, 0, 1, {{1, 1}}, 3, 0},
        {"lighting on", 0x31, 0, 0, {{1, 1}}, 3, 1},
        {"unknown command", 0x55, 0, 1, {{1, 0}}, 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MouseState state = EmulatedMouse::factoryState();
        state.firmwareVersion = 1002; // V10.02, both bytes non-zero
        state.infoA = 0x11;
        state.infoB = 0x22;
        state.currentProfile = 3;
        state.lightsOn = c.lightsBefore;
        EmulatedMouse mouse(state);

        Bytes expected = report(0x60, kCommandSize);
        for (auto [offset, value] : c.reply)
            expected[offset] = value;
        EXPECT_EQ(askCommand(mouse, c.command, c.argument), expected);
        EXPECT_EQ(mouse.state().currentProfile, c.profileAfter);
        EXPECT_EQ(mouse.state().lightsOn, c.lightsAfter);
    }
}

TEST(EmulatedMouseCommands, AnswerStatusZeroWhenNothingIsPending)
{
    EmulatedMouse mouse;
    EXPECT_EQ(get(mouse, 0x60, kCommandSize), report(0x60, kCommandSize));
    EXPECT_EQ(get(mouse, 0x61, kProfileDataSize), report(0x61, kProfileDataSize));
    EXPECT_EQ(get(mouse, 0x05, kFlashSize), report(0x05, kFlashSize));
}

TEST(EmulatedMouseCommands, KeepAReplyUntilTheNextCommandReplacesIt)
{
    EmulatedMouse mouse;
    ASSERT_TRUE(set(mouse, commandRequest(0x03)));
    Bytes first = get(mouse, 0x60, kCommandSize);
    EXPECT_EQ(first[1], 1);
    EXPECT_EQ(get(mouse, 0x60, kCommandSize), first);

    // A profile read answers on the data report, so the command report no
    // longer holds the earlier reply.
    ASSERT_TRUE(set(mouse, commandRequest(0x07, 1, 0)));
    EXPECT_EQ(get(mouse, 0x60, kCommandSize), report(0x60, kCommandSize));
    EXPECT_EQ(get(mouse, 0x61, kProfileDataSize)[1], 1);
}

TEST(EmulatedMouseProfiles, FactoryImagesHoldTheDocumentedBytes)
{
    for (std::uint8_t p = 0; p < kProfileCount; ++p) {
        SCOPED_TRACE(int(p));
        ProfileImageBytes expected{};
        const std::vector<ByteAt> bytes = {
            {0, p}, {1, 1}, {17, 0x00}, {18, 0x08}, {21, 2},
            {52, 1}, {53, 2}, {54, 4}, {55, 8}, {56, 1}, {57, 2}, {58, 4}, {59, 12},
            {60, 9}, {61, 9}, {62, 18}, {63, 18}, {64, 40}, {65, 40}, {66, 67}, {67, 67},
            {68, 4}, {69, 9},
        };
        for (auto [offset, value] : bytes)
            expected[offset] = value;
        const std::pair<std::uint8_t, std::uint8_t> buttons[13] = {{0x00, 0x01}, {0x00, 0x02}, {0x00, 0x04}, {0x0A, 0x01}, {0x0B, 0x01},
                                    {0x00, 0x10}, {0x00, 0x08}, {0xFF, 0x01}, {0xFF, 0x01}, {0x08, 0x01},
                                    {0xFF, 0x01}, {0x01, 0x01}, {0x01, 0xFF}};
        for (std::size_t k = 0; k < 13; ++k) {
            expected[80 + 7 * k] = buttons[k].first;
            expected[80 + 7 * k + 1] = buttons[k].second;
        }
        EXPECT_EQ(EmulatedMouse::factoryImages()[p], expected);

        // The same bytes come out of a new mouse over the protocol.
        EmulatedMouse mouse;
        Bytes low = readHalf(mouse, p, 0);
        EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 1024, low.begin() + 16));
    }
}

TEST(EmulatedMouseProfiles, FactoryStateIsProfileZeroLitAtV123WithoutFaults)
{
    const MouseState state = EmulatedMouse::factoryState();
    EXPECT_EQ(state.currentProfile, 0);
    EXPECT_EQ(state.lightsOn, 1);
    EXPECT_EQ(state.firmwareVersion, 123);
    EXPECT_EQ(state.infoA, 0x10);
    EXPECT_EQ(state.infoB, 0x02);
    const MouseFaults none{};
    EXPECT_EQ(std::memcmp(&state.faults, &none, sizeof(none)), 0);
    EXPECT_TRUE(EmulatedMouse().plugged());
}

TEST(EmulatedMouseProfiles, StoreWrittenHalvesAndReadThemBackLeavingOtherProfilesAlone)
{
    const MouseState patterned = patternedState();
    EmulatedMouse mouse;
    for (std::uint8_t half = 0; half < 2; ++half) {
        ASSERT_TRUE(set(mouse, writeHalfRequest(2, half, patterned.images[2].data() + half * 1024)));
        EXPECT_EQ(get(mouse, 0x60, kCommandSize), report(0x60, kCommandSize, {{1, 1}}));
    }
    EXPECT_EQ(mouse.state().images[2], patterned.images[2]);

    for (std::uint8_t half = 0; half < 2; ++half) {
        SCOPED_TRACE(int(half));
        Bytes expected = report(0x61, kProfileDataSize, {{1, 1}, {5, 2}, {6, half}});
        std::memcpy(expected.data() + 16, patterned.images[2].data() + half * 1024, 1024);
        EXPECT_EQ(readHalf(mouse, 2, half), expected);
    }
    for (std::size_t p : {0, 1, 3, 4})
        EXPECT_EQ(mouse.state().images[p], EmulatedMouse::factoryImages()[p]) << "profile " << p;
}

TEST(EmulatedMouseProfiles, RefuseWritesAndReadsOutsideTheImages)
{
    struct Case {
        const char* what;
        std::uint8_t command;
        std::uint8_t profile;
        std::uint8_t half;
    };
    const Case cases[] = {
        {"profile 5", 0x08, 5, 0},
        {"half 2", 0x08, 0, 2},
        {"profile 255", 0x08, 255, 1},
        {"not a write", 0x09, 0, 0},
    };
    const ProfileImageBytes junk = patternedState().images[4];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EmulatedMouse mouse;
        ASSERT_TRUE(set(mouse, writeHalfRequest(c.profile, c.half, junk.data(), c.command)));
        EXPECT_EQ(get(mouse, 0x60, kCommandSize)[1], 0);
        const MouseState factory = EmulatedMouse::factoryState();
        EXPECT_EQ(std::memcmp(mouse.state().images, factory.images, sizeof(factory.images)), 0);

        if (c.command == 0x08) {
            EXPECT_EQ(readHalf(mouse, c.profile, c.half), report(0x61, kProfileDataSize));
        }
    }
}

TEST(EmulatedMouseFlash, ServesProfileImagesAsBlocksAndErasedFlashBeyond)
{
    EmulatedMouse mouse(patternedState());
    for (int block : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 200, 255}) {
        SCOPED_TRACE(block);
        std::array<std::uint8_t, 1024> expected;
        if (block < 10)
            std::memcpy(expected.data(), mouse.state().images[block / 2].data() + (block % 2) * 1024, 1024);
        else
            expected.fill(0xFF);
        EXPECT_EQ(mouse.flashBlock(static_cast<std::uint8_t>(block)), expected);

        ASSERT_TRUE(set(mouse, report(0x03, kControlSize, {{1, 0xF1}, {4, static_cast<std::uint8_t>(block)}})));
        EXPECT_EQ(get(mouse, 0x03, kControlSize)[1], 1);
        Bytes reply = get(mouse, 0x05, kFlashSize);
        EXPECT_EQ(reply[0], 0x05);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), reply.begin() + 1));
    }
}

TEST(EmulatedMouseFaults, OverriddenStatusReplacesEveryStatusByteSent)
{
    EmulatedMouse mouse;
    mouse.state().faults.overrideStatus = 1;
    mouse.state().faults.statusByte = 0x7E;

    EXPECT_EQ(get(mouse, 0x60, kCommandSize)[1], 0x7E); // nothing pending
    EXPECT_EQ(askCommand(mouse, 0x03)[1], 0x7E);
    EXPECT_EQ(askCommand(mouse, 0x55)[1], 0x7E);
    Bytes data = readHalf(mouse, 1, 0);
    EXPECT_EQ(data[1], 0x7E);
    EXPECT_EQ(data[16], 1) << "the data still comes with the overridden status";
    EXPECT_EQ(get(mouse, 0x03, kControlSize)[1], 0x7E);
}

TEST(EmulatedMouseFaults, FailSetAtFailsOnlyTheNthSetAndLeavesNoTrace)
{
    EmulatedMouse mouse;
    mouse.state().faults.failSetAt = 3;
    EXPECT_TRUE(set(mouse, commandRequest(0x04, 1)));
    EXPECT_TRUE(set(mouse, commandRequest(0x04, 2)));
    EXPECT_FALSE(set(mouse, commandRequest(0x04, 4)));
    EXPECT_EQ(mouse.state().currentProfile, 2);
    EXPECT_EQ(get(mouse, 0x60, kCommandSize)[1], 1) << "the reply of the last set that worked";
    EXPECT_TRUE(set(mouse, commandRequest(0x04, 4)));
    EXPECT_EQ(mouse.state().currentProfile, 4);
    EXPECT_TRUE(mouse.plugged());
}

TEST(EmulatedMouseFaults, FailGetAtFailsOnlyTheNthGetWithoutTouchingTheBuffer)
{
    EmulatedMouse mouse;
    mouse.state().faults.failGetAt = 2;
    mouse.state().faults.busyControlReads = 5;
    ASSERT_TRUE(set(mouse, commandRequest(0x03)));
    get(mouse, 0x03, kControlSize);

    Bytes untouched = report(0x03, kControlSize, {{1, 0xAB}});
    EXPECT_FALSE(mouse.getFeature(untouched.data(), untouched.size()));
    EXPECT_EQ(untouched, report(0x03, kControlSize, {{1, 0xAB}}));
    EXPECT_EQ(mouse.state().faults.busyControlReads, 4u) << "the failed read does not count as a busy answer";
    EXPECT_EQ(get(mouse, 0x60, kCommandSize)[1], 1);
}

TEST(EmulatedMouseFaults, ControlReadsAnswerBusyUntilTheCountIsUsedUp)
{
    EmulatedMouse mouse;
    mouse.state().faults.busyControlReads = 2;
    ASSERT_TRUE(set(mouse, report(0x03, kControlSize, {{1, 0x10}})));
    for (std::uint8_t expected : std::initializer_list<std::uint8_t>{3, 3, 1, 1})
        EXPECT_EQ(get(mouse, 0x03, kControlSize), report(0x03, kControlSize, {{1, expected}}));
    EXPECT_EQ(mouse.state().faults.busyControlReads, 0u);
}

TEST(EmulatedMouseFaults, VersionRepliesCarryCCCCUntilTheCountIsUsedUp)
{
    EmulatedMouse mouse;
    mouse.state().faults.notReadyVersionReads = 2;
    EXPECT_EQ(versionIn(askCommand(mouse, 0x03)), 0) << "only version replies count";
    for (std::uint16_t expected : std::initializer_list<std::uint16_t>{0xCCCC, 0xCCCC, 123, 123})
        EXPECT_EQ(versionIn(askCommand(mouse, 0x02)), expected);
    EXPECT_EQ(mouse.state().faults.notReadyVersionReads, 0u);
}

TEST(EmulatedMouseFaults, UnplugsAfterTheNthTransferCountingFailedOnes)
{
    EmulatedMouse mouse;
    mouse.state().faults.unplugAfterTransfers = 3;
    Bytes tooShort = report(0x60, kCommandSize - 1);
    EXPECT_FALSE(mouse.setFeature(tooShort.data(), tooShort.size()));
    EXPECT_TRUE(set(mouse, commandRequest(0x04, 2)));
    EXPECT_TRUE(mouse.plugged());
    get(mouse, 0x60, kCommandSize); // the third transfer still completes
    EXPECT_FALSE(mouse.plugged());

    Bytes buffer = report(0x60, kCommandSize);
    EXPECT_FALSE(mouse.getFeature(buffer.data(), buffer.size()));
    EXPECT_FALSE(set(mouse, commandRequest(0x04, 3)));
    EXPECT_EQ(mouse.state().currentProfile, 2);
}

TEST(EmulatedMouseTransfers, RefuseWrongLengthsAndUnknownReportIds)
{
    struct Case {
        std::uint8_t id;
        std::size_t length;
        bool tryGet;
    };
    const Case cases[] = {
        {0x60, 63, true}, {0x60, 65, true}, {0x61, 1040, true}, {0x61, 1042, true},
        {0x03, 7, true},  {0x03, 64, true}, {0x05, 1024, true}, {0x05, 1026, true},
        {0x42, 64, true}, {0x00, 64, true}, {0x05, 1025, false}, // the flash report is read-only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "report " << int(c.id) << ", " << c.length << " bytes");
        EmulatedMouse mouse;
        Bytes request = report(c.id, c.length, {{1, 0x04}, {5, 3}});
        EXPECT_FALSE(set(mouse, request));
        EXPECT_EQ(mouse.state().currentProfile, 0);
        if (c.tryGet) {
            Bytes buffer = report(c.id, c.length);
            EXPECT_FALSE(mouse.getFeature(buffer.data(), buffer.size()));
        }
    }

    EmulatedMouse mouse;
    EXPECT_FALSE(mouse.setFeature(nullptr, 0));
    EXPECT_FALSE(mouse.getFeature(nullptr, 64));
}

TEST(EmulatedMouseStateFile, RoundTripsEveryField)
{
    MouseState state = patternedState();
    state.currentProfile = 4;
    state.lightsOn = 0;
    state.firmwareVersion = 204;
    state.infoA = 0x33;
    state.infoB = 0x44;
    state.faults.overrideStatus = 1;
    state.faults.statusByte = 9;
    state.faults.failSetAt = 7;
    state.faults.unplugAfterTransfers = 100000;

    const std::optional<MouseState> loaded = EmulatedMouse::deserialize(EmulatedMouse::serialize(state));
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(std::memcmp(&*loaded, &state, sizeof(state)), 0);
}

TEST(EmulatedMouseStateFile, RefusesTruncatedOrGarbledFiles)
{
    const Bytes good = EmulatedMouse::serialize(EmulatedMouse::factoryState());
    struct Case {
        const char* what;
        Bytes bytes;
    };
    auto changed = [&good](std::size_t offset, std::uint8_t value) {
        Bytes bytes = good;
        bytes[offset] = value;
        return bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"header only", Bytes(good.begin(), good.begin() + 16)},
        {"one byte short", Bytes(good.begin(), good.end() - 1)},
        {"one byte long", [&good] { Bytes b = good; b.push_back(0); return b; }()},
        {"wrong magic", changed(7, 'X')},
        {"format version 2", changed(8, 2)},
        {"payload size off by one", changed(12, static_cast<std::uint8_t>(good[12] + 1))},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(EmulatedMouse::deserialize(c.bytes).has_value()) << c.what;
}

TEST(EmulatedMouseStateFile, BringsOutOfRangeValuesBackIntoRange)
{
    MouseState state = EmulatedMouse::factoryState();
    state.currentProfile = 9;
    state.lightsOn = 0x80;
    state.faults.unplugged = 2;
    const std::optional<MouseState> loaded = EmulatedMouse::deserialize(EmulatedMouse::serialize(state));
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->currentProfile, 0);
    EXPECT_EQ(loaded->lightsOn, 1);
    EXPECT_EQ(loaded->faults.unplugged, 1);
}

} // namespace
} // namespace pelmo::emulator
