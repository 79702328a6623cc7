// The small commands against the emulated mouse, read back from the
// protocol trace and the virtual clock.

#include <gtest/gtest.h>

#include "DeviceTestSupport.h"
#include "pelmo_api.h"

namespace pelmo::test {
namespace {

class DeviceCommands : public EmulatedMouseTest {
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
};

struct CommandCase {
    const char* name;
    ApiResult (*run)();
    std::uint8_t code;
    std::uint8_t argument;
    std::uint32_t pauseMs;
};

std::uint16_t version;
std::uint8_t infoA, infoB, profile;

const CommandCase kCommands[] = {
    {"Get_fw_info", [] { return Get_fw_info(&version, &infoA, &infoB); }, 0x02, 0, 20},
    {"Get_fw_version", [] { return Get_fw_version(&version); }, 0x02, 0, 10},
    {"Get_current_profile_id", [] { return Get_current_profile_id(&profile); }, 0x03, 0, 10},
    {"Set_current_profile_id", [] { return Set_current_profile_id(3); }, 0x04, 3, 300},
    {"Set_LED_black_out", [] { return Set_LED_black_out(); }, 0x30, 0, 10},
    {"Set_LED_black_out_off", [] { return Set_LED_black_out_off(); }, 0x31, 0, 10},
};

TEST_F(DeviceCommands, EachCommandSendsItsRequestPausesAndReadsTheAnswer)
{
    for (const CommandCase& command : kCommands) {
        SCOPED_TRACE(command.name);
        resetTrace();
        EXPECT_EQ(command.run(), ApiResult::Ok);

        auto records = transfers();
        ASSERT_EQ(records.size(), 3u);
        EXPECT_EQ(records[0].verb, "SET");
        EXPECT_EQ(records[0].bytes, commandRequest(command.code, command.argument));
        EXPECT_EQ(records[1].verb, "SLEEP");
        EXPECT_EQ(records[2].verb, "GET");
        EXPECT_EQ(records[2].argument, "64");
        EXPECT_EQ(pauses(), std::vector<std::uint32_t>{command.pauseMs});
    }
}

TEST_F(DeviceCommands, CommandsWriteTheirOutputsAndChangeTheMouse)
{
    mouseState().firmwareVersion = 123; // answered as the bytes 7b 00
    mouseState().infoA = 0xA1;
    mouseState().infoB = 0xB2;
    version = 0;
    ASSERT_EQ(Get_fw_info(&version, &infoA, &infoB), ApiResult::Ok);
    EXPECT_EQ(version, 123);
    EXPECT_EQ(infoA, 0xA1);
    EXPECT_EQ(infoB, 0xB2);
    auto reply = transfers().back().bytes;
    EXPECT_EQ(reply[16], 0x7B);
    EXPECT_EQ(reply[17], 0x00);

    ASSERT_EQ(Set_current_profile_id(2), ApiResult::Ok);
    ASSERT_EQ(Get_current_profile_id(&profile), ApiResult::Ok);
    EXPECT_EQ(profile, 2);

    ASSERT_EQ(Set_LED_black_out(), ApiResult::Ok);
    EXPECT_EQ(mouseState().lightsOn, 0);
    ASSERT_EQ(Set_LED_black_out_off(), ApiResult::Ok);
    EXPECT_EQ(mouseState().lightsOn, 1);
}

TEST_F(DeviceCommands, FailuresLeaveTheOutputsUntouched)
{
    struct FailureCase {
        const char* name;
        void (*arm)(emulator::MouseFaults&);
        ApiResult expected;
        bool paused; // whether the request went out before the failure
    };
    const FailureCase cases[] = {
        {"unplugged", [](emulator::MouseFaults& f) { f.unplugged = 1; }, ApiResult::TransferFailed, false},
        {"refused with status 0",
         [](emulator::MouseFaults& f) { f.overrideStatus = 1, f.statusByte = 0; }, ApiResult::DeviceError, true},
        {"failed request", [](emulator::MouseFaults& f) { f.failSetAt = 1; }, ApiResult::TransferFailed, false},
        {"failed answer", [](emulator::MouseFaults& f) { f.failGetAt = 1; }, ApiResult::TransferFailed, true},
    };
    for (const FailureCase& failure : cases) {
        SCOPED_TRACE(failure.name);
        faults() = {};
        failure.arm(faults());
        resetTrace();
        version = 0x5555;
        infoA = infoB = profile = 0x55;
        EXPECT_EQ(Get_fw_info(&version, &infoA, &infoB), failure.expected);
        EXPECT_EQ(version, 0x5555);
        EXPECT_EQ(infoA, 0x55);
        EXPECT_EQ(infoB, 0x55);
        EXPECT_EQ(pauses().size(), failure.paused ? 1u : 0u);

        faults() = {};
        failure.arm(faults());
        EXPECT_EQ(Get_current_profile_id(&profile), failure.expected);
        EXPECT_EQ(profile, 0x55);
    }
}

TEST_F(DeviceCommands, ProfileNumbersGoOutUncheckedAndTheMouseJudgesThem)
{
    EXPECT_EQ(Set_current_profile_id(7), ApiResult::DeviceError);
    EXPECT_EQ(transfers().front().bytes, commandRequest(0x04, 7));
    EXPECT_EQ(Set_current_profile_id(0x104), ApiResult::Ok); // only the low byte travels
    EXPECT_EQ(mouseState().currentProfile, 4);
}

TEST_F(DeviceCommands, CommandsWithoutAnOpenInterfaceFailAtTheFirstTransfer)
{
    Close_ZR_device();
    resetTrace();
    EXPECT_EQ(Set_LED_black_out(), ApiResult::TransferFailed);
    EXPECT_EQ(Set_driver_control(0), ApiResult::TransferFailed);
    EXPECT_EQ(Read_flash_block(0, nullptr), ApiResult::TransferFailed);
    EXPECT_TRUE(transfers().empty());
}

TEST_F(DeviceCommands, TheQualityStubsAnswerOkWithoutTouchingTheMouse)
{
    faults().unplugged = 1;
    EXPECT_EQ(Get_squal(), ApiResult::Ok);
    EXPECT_EQ(Get_squal_avg(), ApiResult::Ok);
    EXPECT_EQ(Get_profile_state(), ApiResult::Ok);
    EXPECT_TRUE(transfers().empty());
}

std::vector<std::uint8_t> controlReport(std::uint8_t code, std::uint8_t argument4 = 0)
{
    return {0x03, code, 0, 0, argument4, 0, 0, 0};
}

TEST_F(DeviceCommands, DriverControlAcceptsOnlyModesZeroAndTwo)
{
    EXPECT_EQ(Set_driver_control(1), ApiResult::Rejected);
    EXPECT_EQ(Set_driver_control(0x101), ApiResult::Rejected);
    EXPECT_TRUE(transfers().empty());

    for (int mode : {0, 2, 0x302}) {
        SCOPED_TRACE(mode);
        resetTrace();
        EXPECT_EQ(Set_driver_control(mode), ApiResult::Ok);
        auto records = transfers();
        ASSERT_EQ(records.size(), 4u);
        EXPECT_EQ(records[0].bytes, controlReport(0x10));
        EXPECT_EQ(records[1].verb, "GET");
        EXPECT_EQ(records[2].bytes, controlReport(static_cast<std::uint8_t>(mode)));
        EXPECT_EQ(records[3].verb, "GET");
        EXPECT_TRUE(pauses().empty());
    }
}

TEST_F(DeviceCommands, DriverControlWaitsWhileTheMouseIsBusyButNotForever)
{
    faults().busyControlReads = 3;
    EXPECT_EQ(Set_driver_control(2), ApiResult::Ok);
    EXPECT_EQ(transfers().size(), 2u + 4u + 1u); // two requests, four reads for the first, one for the second

    // Ten busy answers in a row: the mouse never became ready.
    resetTrace();
    faults().busyControlReads = 10;
    EXPECT_EQ(Set_driver_control(0), ApiResult::TransferFailed);
    EXPECT_EQ(transfers().size(), 11u);

    // A failed read right after a busy one keeps waiting; the next read says done.
    resetTrace();
    faults().busyControlReads = 1;
    faults().failGetAt = 2;
    EXPECT_EQ(Set_driver_control(0), ApiResult::Ok);

    // A failed read that follows no busy answer ends the wait unsuccessfully.
    faults() = {};
    faults().failGetAt = 1;
    EXPECT_EQ(Set_driver_control(0), ApiResult::TransferFailed);

    // So does a done status other than 1.
    faults() = {};
    faults().overrideStatus = 1;
    faults().statusByte = 2;
    EXPECT_EQ(Set_driver_control(0), ApiResult::TransferFailed);
}

TEST_F(DeviceCommands, FlashBlocksArriveAfterASecond)
{
    std::uint8_t block[1024];
    ASSERT_EQ(Read_flash_block(0x103, block), ApiResult::Ok);
    auto records = transfers();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].bytes, controlReport(0xF1, 0x03));
    EXPECT_EQ(records[2].argument, "1025");
    EXPECT_EQ(pauses(), std::vector<std::uint32_t>{1000});

    auto expected = backend_->mouse().flashBlock(3);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), block));
}

} // namespace
} // namespace pelmo::test
