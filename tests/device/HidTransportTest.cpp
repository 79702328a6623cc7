// Finding and opening the configuration interface among the system's HID
// interfaces, and the raw feature exports.

#include <gtest/gtest.h>

#include <map>

#include "DeviceTestSupport.h"
#include "device/DeviceContext.h"
#include "pelmo_api.h"

namespace pelmo::test {
namespace {

using platform::HidInterfaceInfo;
using platform::HidUsage;

constexpr HidUsage kMouse{0x0001, 0x0002};
constexpr HidUsage kConfiguration{0xFF01, 0x0002};

// A system's HID interfaces, described as data. Opening records the path;
// the handles accept every transfer.
class ListedBackend final : public platform::HidBackend {
public:
    std::vector<HidInterfaceInfo> interfaces;
    std::map<std::string, int> refuseWithErrno; // paths that cannot be opened
    std::vector<std::string> opened;
    int enumerations = 0;

    std::vector<HidInterfaceInfo> enumerate() override
    {
        ++enumerations;
        return interfaces;
    }

    std::unique_ptr<platform::HidHandle> open(const std::string& path, platform::HidOpenError& error) override
    {
        if (auto refused = refuseWithErrno.find(path); refused != refuseWithErrno.end()) {
            error = {refused->second, "cannot open " + path + ": permission denied. Install the udev rule"};
            return nullptr;
        }
        opened.push_back(path);
        struct AcceptingHandle final : platform::HidHandle {
            bool setFeature(const std::uint8_t*, std::size_t) override { return true; }
            bool getFeature(std::uint8_t*, std::size_t) override { return true; }
        };
        return std::make_unique<AcceptingHandle>();
    }
};

class HidTransport : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto backend = std::make_unique<ListedBackend>();
        backend_ = backend.get();
        device::replaceHidContext(std::make_unique<platform::HidContext>(
            std::move(backend), std::make_unique<platform::VirtualClock>()));
    }
    void TearDown() override { device::replaceHidContext(guardContext()); }

    std::string lastDiagnostic()
    {
        char line[256];
        Get_last_diagnostic(line, sizeof line);
        return line;
    }

    ListedBackend* backend_ = nullptr;
};

TEST_F(HidTransport, OpensOnlyTheVendorCollectionOfTheRightMouseAndTheFirstOneListed)
{
    backend_->interfaces = {
        {"/dev/hidraw0", 0x046D, 0xC077, {kConfiguration}},            // another vendor's device
        {"/dev/hidraw1", 0x251F, 0x1003, {kConfiguration}},            // another product
        {"/dev/hidraw2", 0x251F, 0x1002, {kMouse}},                    // the pointer interface
        {"/dev/hidraw3", 0x251F, 0x1002, {HidUsage{0xFF01, 0x0001}}},  // right page, wrong usage
        {"/dev/hidraw4", 0x251F, 0x1002, {HidUsage{0xFF00, 0x0002}}},  // wrong page, right usage
        {"/dev/hidraw5", 0x251F, 0x1002, {kMouse, kConfiguration}},    // first mouse
        {"/dev/hidraw6", 0x251F, 0x1002, {kConfiguration}},            // second mouse
    };
    EXPECT_EQ(Open_ZR_device(), 1);
    EXPECT_EQ(backend_->opened, std::vector<std::string>{"/dev/hidraw5"});
    EXPECT_EQ(lastDiagnostic(), "");
    Close_ZR_device();
}

TEST_F(HidTransport, ReportsWhyNoMouseCouldBeOpened)
{
    EXPECT_EQ(Open_ZR_device(), 0);
    EXPECT_EQ(backend_->enumerations, 1);
    EXPECT_EQ(lastDiagnostic(), "no Pelmo mouse (USB 251f:1002) is connected");

    backend_->interfaces = {{"/dev/hidraw7", 0x251F, 0x1002, {kConfiguration}}};
    backend_->refuseWithErrno["/dev/hidraw7"] = EACCES;
    EXPECT_EQ(Open_ZR_device(), 0);
    EXPECT_NE(lastDiagnostic().find("/dev/hidraw7"), std::string::npos);
    EXPECT_NE(lastDiagnostic().find("udev rule"), std::string::npos);

    // The diagnostic is whole even when the caller's buffer is short.
    char shortBuffer[8];
    EXPECT_EQ(Get_last_diagnostic(shortBuffer, sizeof shortBuffer), static_cast<int>(lastDiagnostic().size()));
    EXPECT_STREQ(shortBuffer, "cannot ");
}

TEST_F(HidTransport, SkipsAnInterfaceThatCannotBeOpenedAndTakesTheNext)
{
    backend_->interfaces = {{"/dev/hidraw1", 0x251F, 0x1002, {kConfiguration}},
                            {"/dev/hidraw2", 0x251F, 0x1002, {kConfiguration}}};
    backend_->refuseWithErrno["/dev/hidraw1"] = EBUSY;
    EXPECT_EQ(Open_ZR_device(), 1);
    EXPECT_EQ(backend_->opened, std::vector<std::string>{"/dev/hidraw2"});
    EXPECT_EQ(lastDiagnostic(), "");
    Close_ZR_device();
}

TEST_F(HidTransport, FeatureTransfersFailWhileNothingIsOpenAndCloseIsAlwaysHarmless)
{
    unsigned char report[64] = {0x60};
    EXPECT_EQ(Close_ZR_device(), 1);
    EXPECT_EQ(Close_FeatureDevice(), 1);
    EXPECT_EQ(SetFeature(report, sizeof report), 0);
    EXPECT_EQ(GetFeature(report, sizeof report), 0);

    backend_->interfaces = {{"/dev/hidraw1", 0x251F, 0x1002, {kConfiguration}}};
    ASSERT_EQ(Open_FeatureDevice(), 1);
    EXPECT_EQ(SetFeature(report, sizeof report), 1);
    EXPECT_EQ(GetFeature(report, sizeof report), 1);
    EXPECT_EQ(SetFeature(nullptr, 64), 0);
    EXPECT_EQ(Close_ZR_device(), 1);
    EXPECT_EQ(Close_ZR_device(), 1);
    EXPECT_EQ(SetFeature(report, sizeof report), 0);
}

TEST_F(HidTransport, OpeningAgainReplacesTheOpenInterface)
{
    backend_->interfaces = {{"/dev/hidraw1", 0x251F, 0x1002, {kConfiguration}}};
    ASSERT_EQ(Open_ZR_device(), 1);
    ASSERT_EQ(Open_ZR_device(), 1);
    EXPECT_EQ(backend_->opened.size(), 2u);
    unsigned char report[8] = {0x03};
    EXPECT_EQ(GetFeature(report, sizeof report), 1);
    Close_ZR_device();
}

} // namespace
} // namespace pelmo::test
