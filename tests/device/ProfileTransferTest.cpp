// Whole profiles to and from the emulated mouse: the image layout, the macro
// packing, the byte orders, the reports and the failure paths.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "DeviceTestSupport.h"
#include "device/ProfileImage.h"
#include "pelmo_api.h"

namespace pelmo::test {
namespace {

std::unique_ptr<DeviceProfile> zeroedProfile()
{
    return std::make_unique<DeviceProfile>(); // value-initialised: all zero
}

// A profile with some of everything in its header and buttons, no macros.
std::unique_ptr<DeviceProfile> plainProfile(std::uint8_t number)
{
    auto profile = zeroedProfile();
    profile->profileNumber = number;
    profile->enabled = 1;
    profile->imageSize = 2048;
    profile->reportRateCode = 2;
    profile->powerSaving = 60;
    const std::uint8_t dpi[] = {1, 2, 4, 8};
    std::memcpy(profile->opticalDpi, dpi, 4);
    profile->laserDpi[7] = 67;
    profile->angleSnapping = 4;
    profile->liftOff = 9;
    for (std::uint8_t k = 0; k < PELMO_BUTTON_ENTRIES; ++k)
        profile->buttons[k] = {static_cast<std::uint8_t>(k == 3 ? 0x0A : 0x00), static_cast<std::uint8_t>(k + 1),
                               static_cast<std::uint16_t>(0x1111 * k), static_cast<std::uint16_t>(k), k, 0xEE};
    return profile;
}

void giveMacro(DeviceProfile& profile, int entry, std::uint16_t events)
{
    ASSERT_LE(events, PELMO_MAX_MACRO_EVENTS);
    profile.buttons[entry].kind = 3;
    profile.buttons[entry].value = 1;
    profile.buttons[entry].macroNumber = static_cast<std::uint8_t>(entry + 1);
    profile.macros[entry].eventCount = events;
    for (std::uint16_t j = 0; j < events; ++j)
        profile.macros[entry].events[j] = {0x01, 0, static_cast<std::uint16_t>(4 + j), static_cast<std::uint8_t>(j & 1),
                                           {}, 10u * j};
}

class ProfileTransfer : public EmulatedMouseTest {
protected:
    void SetUp() override
    {
        EmulatedMouseTest::SetUp();
        ASSERT_EQ(Open_ZR_device(), 1);
        resetTrace();
    }
    void TearDown() override
    {
        Close_ZR_device();
        EmulatedMouseTest::TearDown();
    }

    const std::uint8_t* image(int profile) { return mouseState().images[profile].data(); }
};

TEST_F(ProfileTransfer, WritingSendsTwoHalvesWithTheirPausesAndReadingAsksForBoth)
{
    auto profile = plainProfile(2);
    ASSERT_EQ(Write_profile(0, profile.get()), ApiResult::Ok);
    auto records = transfers();
    ASSERT_EQ(records.size(), 6u);
    for (std::uint8_t half = 0; half < 2; ++half) {
        const auto& request = records[half * 3].bytes;
        ASSERT_EQ(request.size(), 1041u);
        EXPECT_EQ(request[0], 0x61);
        EXPECT_EQ(request[1], 0x08);
        EXPECT_EQ(request[5], 2);
        EXPECT_EQ(request[6], half);
        EXPECT_EQ(request[1040], 0);
        EXPECT_TRUE(std::equal(request.begin() + 16, request.begin() + 1040, image(2) + half * 1024));
        EXPECT_EQ(records[half * 3 + 2].argument, "64");
    }
    EXPECT_EQ(pauses(), (std::vector<std::uint32_t>{60, 60}));

    resetTrace();
    auto back = zeroedProfile();
    ASSERT_EQ(Read_profile(2, back.get()), ApiResult::Ok);
    records = transfers();
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[0].bytes, commandRequest(0x07, 2, 0));
    EXPECT_EQ(records[2].argument, "1041");
    EXPECT_EQ(records[3].bytes, commandRequest(0x07, 2, 1));
    EXPECT_EQ(pauses(), (std::vector<std::uint32_t>{100, 100}));
}

TEST_F(ProfileTransfer, HeaderAndButtonsTravelUnchangedToTheirImagePlaces)
{
    auto profile = plainProfile(1);
    ASSERT_EQ(Write_profile(0, profile.get()), ApiResult::Ok);
    const std::uint8_t* written = image(1);
    const auto* record = reinterpret_cast<const std::uint8_t*>(profile.get());
    EXPECT_TRUE(std::equal(record, record + 4, written));
    EXPECT_TRUE(std::equal(record + 4, record + 14, written + 17));
    EXPECT_TRUE(std::equal(record + 14, record + 34, written + 50));
    EXPECT_EQ(written[17], 0x00); // 2048, little-endian
    EXPECT_EQ(written[18], 0x08);
    for (int k = 0; k < PELMO_BUTTON_ENTRIES; ++k)
        EXPECT_TRUE(std::equal(record + 34 + 8 * k, record + 41 + 8 * k, written + 80 + 7 * k)) << "entry " << k;
    // Without macros everything after the button entries is zero, and the
    // entries keep the caller's address and count.
    EXPECT_TRUE(std::all_of(written + 171, written + 2048, [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(profile->buttons[5].macroAddress, 0x5555);

    auto back = zeroedProfile();
    ASSERT_EQ(Read_profile(1, back.get()), ApiResult::Ok);
    back->buttons[0].unused = profile->buttons[0].unused; // the eighth byte does not travel
    for (int k = 0; k < PELMO_BUTTON_ENTRIES; ++k)
        EXPECT_EQ(back->buttons[k].unused, k == 0 ? 0xEE : 0);
    EXPECT_EQ(std::memcmp(back.get(), profile.get(), 34), 0);
}

TEST_F(ProfileTransfer, MacrosArePackedInEntryOrderWithAnEndLineEach)
{
    auto profile = plainProfile(0);
    giveMacro(*profile, 0, 2);
    giveMacro(*profile, 4, 1);
    ASSERT_EQ(Write_profile(0, profile.get()), ApiResult::Ok);

    EXPECT_EQ(profile->buttons[0].macroAddress, 780);
    EXPECT_EQ(profile->buttons[0].macroEventCount, 2);
    EXPECT_EQ(profile->buttons[4].macroAddress, 801);
    EXPECT_EQ(profile->buttons[4].macroEventCount, 1);

    const std::uint8_t* written = image(0);
    const std::uint8_t firstLine[] = {0x01, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00};
    const std::uint8_t secondLine[] = {0x01, 0x05, 0x00, 0x02, 0x0A, 0x00, 0x00};
    EXPECT_TRUE(std::equal(firstLine, firstLine + 7, written + 800));
    EXPECT_TRUE(std::equal(secondLine, secondLine + 7, written + 807));
    EXPECT_TRUE(std::all_of(written + 814, written + 821, [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(written[821], 0x01);
    EXPECT_TRUE(std::all_of(written + 828, written + 2048, [](std::uint8_t b) { return b == 0; }));
    // The entry in the image carries the address and count as well.
    EXPECT_EQ(written[80 + 7 * 4 + 2], 801 & 0xFF);
    EXPECT_EQ(written[80 + 7 * 4 + 3], 801 >> 8);
    EXPECT_EQ(written[80 + 7 * 4 + 4], 1);
}

TEST_F(ProfileTransfer, CodesAndDelaysComeBackInWireOrderAndDirectionsKeepTheirOffset)
{
    auto profile = plainProfile(3);
    profile->buttons[2] = {3, 5, 0, 0, 7, 0};
    profile->macros[2].eventCount = 2;
    profile->macros[2].events[0] = {0x01, 0, 4, 0, {}, 100000};
    profile->macros[2].events[1] = {0x10, 0, 2, 1, {}, 0x12345678}; // only 24 bits travel
    ASSERT_EQ(Write_profile(0, profile.get()), ApiResult::Ok);

    const std::uint8_t expectedLine[] = {0x01, 0x04, 0x00, 0x01, 0xA0, 0x86, 0x01};
    EXPECT_TRUE(std::equal(expectedLine, expectedLine + 7, image(3) + 800));
    EXPECT_EQ(image(3)[807 + 3], 2);

    auto back = zeroedProfile();
    ASSERT_EQ(Read_profile(3, back.get()), ApiResult::Ok);
    const DeviceMacro& macro = back->macros[2];
    ASSERT_EQ(macro.eventCount, 2);
    EXPECT_EQ(macro.events[0].kind, 0x01);
    EXPECT_EQ(macro.events[0].code, 1024);
    EXPECT_EQ(macro.events[0].direction, 1);
    EXPECT_EQ(macro.events[0].delay, 10520065u);
    EXPECT_EQ(macro.events[1].code, 0x0200);
    EXPECT_EQ(macro.events[1].direction, 2);
    EXPECT_EQ(macro.events[1].delay, 0x785634u);
    EXPECT_EQ(back->buttons[2].macroNumber, 7);
    // Slots of entries without macros stay as the caller left them.
    EXPECT_EQ(back->macros[0].eventCount, 0);
}

TEST_F(ProfileTransfer, AProfileTakesAtMost164MacroEvents)
{
    auto profile = plainProfile(0);
    giveMacro(*profile, 0, 128);
    giveMacro(*profile, 6, 36);
    giveMacro(*profile, 12, 0);
    EXPECT_EQ(Write_profile(0, profile.get()), ApiResult::Ok);
    EXPECT_EQ(profile->buttons[12].macroAddress, 800 - 20 + 7 * (129 + 37));

    resetTrace();
    auto tooMany = plainProfile(0);
    giveMacro(*tooMany, 0, 128);
    giveMacro(*tooMany, 6, 37);
    auto before = *tooMany;
    EXPECT_EQ(Write_profile(0, tooMany.get()), ApiResult::Rejected);
    EXPECT_TRUE(transfers().empty());
    EXPECT_EQ(std::memcmp(&before, tooMany.get(), sizeof before), 0);

    // A slot cannot hold more than 128 events, whatever its count says.
    auto overfull = plainProfile(0);
    giveMacro(*overfull, 1, 10);
    overfull->macros[1].eventCount = 129;
    EXPECT_EQ(Write_profile(0, overfull.get()), ApiResult::Rejected);
    EXPECT_TRUE(transfers().empty());
}

TEST_F(ProfileTransfer, TheTargetIsTheRecordsOwnProfileNumber)
{
    auto profile = plainProfile(1);
    profile->powerSaving = 120;
    ASSERT_EQ(Write_profile(3, profile.get()), ApiResult::Ok);
    EXPECT_EQ(image(1)[22], 120);
    EXPECT_EQ(image(3)[22], 0);
}

TEST_F(ProfileTransfer, AFailedSecondHalfLeavesTheMouseHalfWritten)
{
    const auto oldImage = mouseState().images[0];
    auto profile = plainProfile(0);
    giveMacro(*profile, 0, 128); // the macro area reaches into the second half
    faults().failSetAt = 2;
    EXPECT_EQ(Write_profile(0, profile.get()), ApiResult::TransferFailed);
    EXPECT_FALSE(std::equal(oldImage.begin(), oldImage.begin() + 1024, image(0)));
    EXPECT_TRUE(std::equal(oldImage.begin() + 1024, oldImage.end(), image(0) + 1024));
    EXPECT_EQ(profile->buttons[0].macroAddress, 780); // written back before the transfer
    EXPECT_EQ(pauses(), std::vector<std::uint32_t>{60});

    faults() = {};
    faults().overrideStatus = 1;
    EXPECT_EQ(Write_profile(0, profile.get()), ApiResult::DeviceError);
}

TEST_F(ProfileTransfer, AFailedReadLeavesTheRecordUntouched)
{
    struct FailureCase {
        const char* name;
        void (*arm)(emulator::MouseFaults&);
        ApiResult expected;
    };
    const FailureCase cases[] = {
        {"second answer lost", [](emulator::MouseFaults& f) { f.failGetAt = 2; }, ApiResult::TransferFailed},
        {"second request lost", [](emulator::MouseFaults& f) { f.failSetAt = 2; }, ApiResult::TransferFailed},
        {"refused", [](emulator::MouseFaults& f) { f.overrideStatus = 1, f.statusByte = 0; }, ApiResult::DeviceError},
        {"unplugged", [](emulator::MouseFaults& f) { f.unplugged = 1; }, ApiResult::TransferFailed},
    };
    for (const FailureCase& failure : cases) {
        SCOPED_TRACE(failure.name);
        faults() = {};
        failure.arm(faults());
        auto record = zeroedProfile();
        std::memset(record.get(), 0x5A, sizeof *record);
        EXPECT_EQ(Read_profile(0, record.get()), failure.expected);
        EXPECT_TRUE(std::all_of(reinterpret_cast<std::uint8_t*>(record.get()),
                                reinterpret_cast<std::uint8_t*>(record.get()) + sizeof *record,
                                [](std::uint8_t b) { return b == 0x5A; }));
    }
}

TEST_F(ProfileTransfer, AHostileImageNeverReachesOutsideTheImageOrTheSlot)
{
    auto& hostile = mouseState().images[4];
    std::fill(hostile.begin(), hostile.end(), std::uint8_t{0x11});
    auto setEntry = [&](int k, std::uint16_t address, std::uint16_t count) {
        std::uint8_t* entry = hostile.data() + 80 + 7 * k;
        entry[0] = 3;
        entry[2] = static_cast<std::uint8_t>(address);
        entry[3] = static_cast<std::uint8_t>(address >> 8);
        entry[4] = static_cast<std::uint8_t>(count);
        entry[5] = static_cast<std::uint8_t>(count >> 8);
    };
    setEntry(0, 780, 0xFFFF);    // more than a slot holds
    setEntry(1, 2000, 50);       // starts near the end: 4 lines fit
    setEntry(2, 0xFFFF, 10);     // starts past the end
    setEntry(3, 2028, 1);        // starts exactly at the end

    auto record = zeroedProfile();
    ASSERT_EQ(Read_profile(4, record.get()), ApiResult::Ok);
    EXPECT_EQ(record->macros[0].eventCount, 128);
    EXPECT_EQ(record->macros[1].eventCount, 4);
    EXPECT_EQ(record->macros[2].eventCount, 0);
    EXPECT_EQ(record->macros[3].eventCount, 0);
    EXPECT_EQ(record->macros[1].events[3].kind, 0x11);
    EXPECT_EQ(record->macros[1].events[4].kind, 0);
    // The entries themselves come back as the mouse sent them.
    EXPECT_EQ(record->buttons[0].macroEventCount, 0xFFFF);
}

TEST_F(ProfileTransfer, AFactoryMouseReadsBackAsTheDefaultProfiles)
{
    for (int p = 0; p < 5; ++p) {
        SCOPED_TRACE(p);
        auto record = zeroedProfile();
        ASSERT_EQ(Read_profile(p, record.get()), ApiResult::Ok);
        EXPECT_EQ(record->profileNumber, p);
        EXPECT_EQ(record->enabled, 1);
        EXPECT_EQ(record->imageSize, 2048);
        EXPECT_EQ(record->reportRateCode, 2);
        EXPECT_EQ(record->laserDpi[6], 67);
        EXPECT_EQ(record->liftOff, 9);
        EXPECT_EQ(record->buttons[3].kind, 0x0A);
        EXPECT_EQ(record->buttons[12].value, 0xFF);

        // Writing the record back reproduces the image bit for bit.
        std::array<std::uint8_t, 2048> rebuilt;
        ASSERT_TRUE(device::encodeProfileImage(*record, rebuilt));
        EXPECT_EQ(rebuilt, mouseState().images[p]);
    }
}

} // namespace
} // namespace pelmo::test
