// The shipped library as a client sees it: loaded by file name, configured
// through the environment, talking to an emulated mouse in a state file.

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <memory>

#include "DeviceTestSupport.h"
#include "pelmo_api.h"
#include "platform/hid/EmulatedHidBackend.h"

namespace pelmo::test {
namespace {

// The library reads its environment once, on first use, and stays loaded
// for the process; so the suite loads it once and each test starts from a
// factory mouse and an empty trace.
class SharedLibrary : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char folder[] = "/tmp/pelmo-library-XXXXXX";
        ASSERT_NE(::mkdtemp(folder), nullptr);
        folder_ = folder;
        statePath_ = folder_ + "/mouse.state";
        tracePath_ = folder_ + "/trace.log";
        ::setenv("PELMO_DEVICE", ("emulated:" + statePath_).c_str(), 1);
        ::setenv("PELMO_TRACE", tracePath_.c_str(), 1);
        library_ = ::dlopen(PELMO_API_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << ::dlerror();
    }

    static void TearDownTestSuite()
    {
        ::unsetenv("PELMO_DEVICE");
        ::unsetenv("PELMO_TRACE");
        std::system(("rm -rf " + folder_).c_str());
    }

    void SetUp() override
    {
        ASSERT_NE(library_, nullptr);
        ASSERT_TRUE(platform::EmulatedHidBackend::saveState(statePath_, emulator::EmulatedMouse::factoryState()));
        std::ofstream(tracePath_, std::ios::trunc);
    }

    template <typename Function>
    static Function* entry(const char* name)
    {
        return reinterpret_cast<Function*>(::dlsym(library_, name));
    }

    static inline void* library_ = nullptr;
    static inline std::string folder_, statePath_, tracePath_;
};

TEST_F(SharedLibrary, ExportsEveryEntryPointAndNothingElse)
{
    const char* exports[] = {"Open_ZR_device", "Open_FeatureDevice", "Close_ZR_device", "Close_FeatureDevice",
                             "SetFeature", "GetFeature", "Get_last_diagnostic", "Get_fw_info", "Get_fw_version",
                             "Get_current_profile_id", "Set_current_profile_id", "Set_LED_black_out",
                             "Set_LED_black_out_off", "Set_driver_control", "Read_flash_block", "Get_squal",
                             "Get_squal_avg", "Get_profile_state", "Read_profile", "Write_profile"};
    for (const char* name : exports)
        EXPECT_NE(::dlsym(library_, name), nullptr) << name;

    EXPECT_EQ(::dlsym(library_, "Open_ZR_device"), ::dlsym(library_, "Open_FeatureDevice"));
    EXPECT_EQ(::dlsym(library_, "Close_ZR_device"), ::dlsym(library_, "Close_FeatureDevice"));
    EXPECT_EQ(::dlsym(library_, "Get_squal"), ::dlsym(library_, "Get_squal_avg"));
    EXPECT_EQ(::dlsym(library_, "Get_squal"), ::dlsym(library_, "Get_profile_state"));

    // The library's internals stay inside it.
    EXPECT_EQ(::dlsym(library_, "_ZN5pelmo6device10hidContextEv"), nullptr);
    EXPECT_EQ(::dlsym(library_, "_ZN5pelmo8platform10HidContext15fromEnvironmentEv"), nullptr);
}

TEST_F(SharedLibrary, TalksToTheEmulatedMouseNamedInTheEnvironmentAndTracesIt)
{
    auto open = entry<int()>("Open_ZR_device");
    auto close = entry<int()>("Close_ZR_device");
    auto firmwareInfo = entry<ApiResult(std::uint16_t*, std::uint8_t*, std::uint8_t*)>("Get_fw_info");
    auto setProfile = entry<ApiResult(int)>("Set_current_profile_id");
    auto readProfile = entry<ApiResult(int, DeviceProfile*)>("Read_profile");

    ASSERT_EQ(open(), 1);
    std::uint16_t version = 0;
    std::uint8_t a = 0, b = 0;
    EXPECT_EQ(firmwareInfo(&version, &a, &b), ApiResult::Ok);
    EXPECT_EQ(version, emulator::kFactoryFirmwareVersion);
    auto profile = std::make_unique<DeviceProfile>();
    EXPECT_EQ(readProfile(1, profile.get()), ApiResult::Ok);
    EXPECT_EQ(profile->profileNumber, 1);
    EXPECT_EQ(setProfile(2), ApiResult::Ok);
    EXPECT_EQ(close(), 1);

    auto records = readTrace(tracePath_);
    ASSERT_GE(records.size(), 4u);
    EXPECT_EQ(records[0].verb, "OPEN");
    EXPECT_EQ(records[0].argument, platform::EmulatedHidBackend::kConfigurationPath);
    EXPECT_EQ(records[1].bytes, commandRequest(0x02));
    EXPECT_EQ(records[2].verb, "SLEEP");
    EXPECT_EQ(records[2].argument, "20");
    EXPECT_EQ(records[3].verb, "GET");
    EXPECT_EQ(records[3].bytes[1], 1);
    EXPECT_EQ(records.back().verb, "CLOSE");

    // The mouse outlives the process that changed it.
    auto state = platform::EmulatedHidBackend::loadState(statePath_);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->currentProfile, 2);
}

TEST_F(SharedLibrary, AnUnpluggedMouseIsNotFoundAndSaysSo)
{
    auto state = emulator::EmulatedMouse::factoryState();
    state.faults.unplugged = 1;
    ASSERT_TRUE(platform::EmulatedHidBackend::saveState(statePath_, state));

    auto open = entry<int()>("Open_ZR_device");
    auto diagnostic = entry<int(char*, int)>("Get_last_diagnostic");
    EXPECT_EQ(open(), 0);
    char line[256];
    EXPECT_GT(diagnostic(line, sizeof line), 0);
    EXPECT_STREQ(line, "no Pelmo mouse (USB 251f:1002) is connected");
}

} // namespace
} // namespace pelmo::test
