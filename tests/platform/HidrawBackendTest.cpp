#include "platform/hid/HidrawBackend.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace pelmo::platform {
namespace {

namespace fs = std::filesystem;

const std::string kTree = std::string(PELMO_FIXTURES) + "/hidraw/two_mice_and_keyboard";

constexpr HidUsage kMouse{0x01, 0x02};
constexpr HidUsage kKeyboard{0x01, 0x06};
constexpr HidUsage kConsumerControl{0x0C, 0x01};
constexpr HidUsage kVendorConfiguration{0xFF01, 0x02};

using Listed = std::tuple<std::string, std::uint16_t, std::uint16_t, std::vector<HidUsage>>;

std::vector<Listed> listed(const std::vector<HidInterfaceInfo>& interfaces)
{
    std::vector<Listed> rows;
    for (const auto& info : interfaces)
        rows.emplace_back(info.path, info.vendorId, info.productId, info.topLevelCollections);
    return rows;
}

std::size_t openDescriptorCount()
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

TEST(HidrawEnumerationTest, ListsReadableNodesInNumericOrderWithTheirIdsAndCollections)
{
    HidrawBackend backend(kTree + "/sys", "/dev");

    // hidraw3 has a garbled HID_ID, hidraw4 no report descriptor, and
    // hidraw5.old is not a hidraw node name; hidraw10 sorts after hidraw2.
    const std::vector<Listed> expected{
        {"/dev/hidraw0", 0x046D, 0xC31C, {kKeyboard, kConsumerControl}},
        {"/dev/hidraw1", 0x251F, 0x1002, {kMouse}},
        {"/dev/hidraw2", 0x251F, 0x1002, {kVendorConfiguration}},
        {"/dev/hidraw10", 0x251F, 0x1002, {kVendorConfiguration}},
    };
    EXPECT_EQ(listed(backend.enumerate()), expected);
}

TEST(HidrawEnumerationTest, FollowsSymlinkedNodesAndDeviceLinksAsSysfsLaysThemOut)
{
    // /sys/class/hidraw/hidrawN links to .../<hid device>/hidraw/hidrawN,
    // whose `device` links back up to the HID device holding uevent and
    // report_descriptor.
    const fs::path root = fs::path(::testing::TempDir()) / ("hidraw_symlinks_" + std::to_string(::getpid()));
    fs::remove_all(root);
    const fs::path hidDevice = root / "devices/0003:251F:1002.0007";
    fs::create_directories(hidDevice / "hidraw/hidraw7");
    fs::create_directories(root / "class/hidraw");
    const fs::path source = fs::path(kTree) / "sys/hidraw2/device";
    fs::copy_file(source / "uevent", hidDevice / "uevent");
    fs::copy_file(source / "report_descriptor", hidDevice / "report_descriptor");
    fs::create_directory_symlink("../..", hidDevice / "hidraw/hidraw7/device");
    fs::create_directory_symlink("../../devices/0003:251F:1002.0007/hidraw/hidraw7", root / "class/hidraw/hidraw7");

    HidrawBackend backend((root / "class/hidraw").string(), "/dev");
    const std::vector<Listed> expected{{"/dev/hidraw7", 0x251F, 0x1002, {kVendorConfiguration}}};
    EXPECT_EQ(listed(backend.enumerate()), expected);

    fs::remove_all(root);
}

TEST(HidrawEnumerationTest, MissingSysfsFolderListsNothing)
{
    HidrawBackend backend(kTree + "/no_such_folder", "/dev");
    EXPECT_TRUE(backend.enumerate().empty());
}

TEST(HidrawOpenTest, NodeThatIsNotHidrawOpensAndFailsFeatureReportsThroughTheIoctl)
{
    HidrawBackend backend(kTree + "/sys", kTree + "/dev");
    const std::size_t descriptorsBefore = openDescriptorCount();
    {
        HidOpenError error;
        auto handle = backend.open(kTree + "/dev/hidraw2", error);
        ASSERT_NE(handle, nullptr) << error.message;

        std::uint8_t report[8] = {0x05};
        errno = 0;
        EXPECT_FALSE(handle->setFeature(report, sizeof report));
        EXPECT_EQ(errno, ENOTTY);
        errno = 0;
        EXPECT_FALSE(handle->getFeature(report, sizeof report));
        EXPECT_EQ(errno, ENOTTY);
    }
    EXPECT_EQ(openDescriptorCount(), descriptorsBefore) << "the handle must close its node";
}

TEST(HidrawOpenTest, MissingNodeGivesNoHandleAndSaysTheMouseWasUnplugged)
{
    HidrawBackend backend(kTree + "/sys", kTree + "/dev");
    HidOpenError error;
    const std::string path = kTree + "/dev/hidraw7";
    EXPECT_EQ(backend.open(path, error), nullptr);
    EXPECT_EQ(error.errorNumber, ENOENT);
    EXPECT_EQ(error.message, describeHidrawOpenFailure(path, ENOENT));
}

TEST(HidrawOpenTest, FailureLinesNameTheNodeAndTheCauseOrFix)
{
    struct Case {
        int errorNumber;
        std::vector<std::string> mentions;
    };
    const std::vector<Case> cases{
        {EACCES, {"permission denied", "70-pelmo.rules", "/lib/udev/rules.d", "udevadm control --reload", "replug"}},
        {EPERM, {"permission denied", "70-pelmo.rules", "udevadm trigger"}},
        {EBUSY, {"another program"}},
        {ENOENT, {"unplugged"}},
        {EIO, {std::strerror(EIO)}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::strerror(row.errorNumber));
        const std::string line = describeHidrawOpenFailure("/dev/hidraw3", row.errorNumber);
        EXPECT_NE(line.find("/dev/hidraw3"), std::string::npos) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
        for (const auto& mention : row.mentions)
            EXPECT_NE(line.find(mention), std::string::npos) << line << "\nlacks: " << mention;
    }
}

} // namespace
} // namespace pelmo::platform
