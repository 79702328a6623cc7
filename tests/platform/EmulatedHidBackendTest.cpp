#include "platform/hid/EmulatedHidBackend.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TemporaryFolder.h"

namespace pelmo::platform {
namespace {

// The command report that switches the lighting off, and the get that reads its answer.
std::vector<std::uint8_t> lightsOffRequest()
{
    std::vector<std::uint8_t> report(64, 0);
    report[0] = 0x60;
    report[1] = 0x30;
    return report;
}

TEST(EmulatedHidBackend, ListsTheMousesTwoInterfacesOnlyWhilePluggedIn)
{
    EmulatedHidBackend backend;
    auto interfaces = backend.enumerate();
    ASSERT_EQ(interfaces.size(), 2u);
    EXPECT_TRUE(interfaces[1].hasCollection({0xFF01, 0x0002}));
    EXPECT_FALSE(interfaces[0].hasCollection({0xFF01, 0x0002}));

    backend.mouse().state().faults.unplugged = 1;
    EXPECT_TRUE(backend.enumerate().empty());
    HidOpenError error;
    EXPECT_EQ(backend.open(EmulatedHidBackend::kConfigurationPath, error), nullptr);
    EXPECT_EQ(error.errorNumber, ENODEV);
    EXPECT_EQ(backend.open("/dev/hidraw0", error), nullptr);
}

TEST(EmulatedHidBackend, AMouseInAStateFileIsSharedBetweenBackends)
{
    test::TemporaryFolder folder;
    const std::string stateFile = folder.file("mouse.state");
    EmulatedHidBackend first(stateFile);
    EmulatedHidBackend second(stateFile);

    {
        HidOpenError error;
        auto handle = first.open(EmulatedHidBackend::kConfigurationPath, error);
        ASSERT_NE(handle, nullptr);
        auto request = lightsOffRequest();
        ASSERT_TRUE(handle->setFeature(request.data(), request.size()));
    }
    auto state = EmulatedHidBackend::loadState(stateFile);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->lightsOn, 0);

    // Unplugging the mouse in the file takes it away from every backend.
    state->faults.unplugged = 1;
    ASSERT_TRUE(EmulatedHidBackend::saveState(stateFile, *state));
    EXPECT_TRUE(second.enumerate().empty());
    EXPECT_EQ(second.mouse().state().lightsOn, 0);
}

TEST(EmulatedHidBackend, AGarbledStateFileGivesAFactoryMouseAndIsReplacedOnTheNextChange)
{
    test::TemporaryFolder folder;
    const std::string stateFile = folder.file("mouse.state");
    std::ofstream(stateFile) << "not a mouse";
    EXPECT_FALSE(EmulatedHidBackend::loadState(stateFile));

    EmulatedHidBackend backend(stateFile);
    EXPECT_EQ(backend.enumerate().size(), 2u);
    HidOpenError error;
    auto handle = backend.open(EmulatedHidBackend::kConfigurationPath, error);
    ASSERT_NE(handle, nullptr);
    auto request = lightsOffRequest();
    ASSERT_TRUE(handle->setFeature(request.data(), request.size()));
    EXPECT_TRUE(EmulatedHidBackend::loadState(stateFile));
}

} // namespace
} // namespace pelmo::platform
