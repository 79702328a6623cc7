#include "platform/session/SessionPointerSettings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TemporaryFolder.h"
#include "XvfbServer.h"
#include "platform/x11/X11PointerControl.h"

namespace pelmo::platform {
namespace {

TEST(SessionPointerSettings, KeepsTheValuesForTheSessionAndSurvivesAGarbledStore)
{
    test::TemporaryFolder folder;
    SessionPointerSettings settings(folder.file("pointer-settings"), std::nullopt);
    EXPECT_EQ(settings.read(), PointerValues{}); // nothing stored yet: the usual desktop values

    const PointerValues applied{900, 7, 14};
    ASSERT_TRUE(settings.write(applied));
    EXPECT_EQ(SessionPointerSettings(folder.file("pointer-settings"), std::nullopt).read(), applied);

    std::ofstream(folder.file("pointer-settings")) << "wheel_lines=4\ndouble_click_ms=-3\npointer_speed=99\nnoise\n";
    EXPECT_EQ(settings.read(), (PointerValues{500, 4, 10}));
}

TEST(SessionPointerSettings, SetsThePointerSpeedOnAReachableXServer)
{
    test::XvfbServer server;
    ASSERT_TRUE(server.running()) << "Xvfb did not start";
    test::TemporaryFolder folder;
    SessionPointerSettings settings(folder.file("pointer-settings"), server.display());
    ASSERT_TRUE(settings.write({600, 2, 16}));
    EXPECT_EQ(settings.read(), (PointerValues{600, 2, 16}));

    // The libinput scale runs from -1 to 1 with the unaccelerated speed in the middle.
    EXPECT_FLOAT_EQ(X11PointerControl::libinputAccelSpeed(10), 0.0f);
    EXPECT_FLOAT_EQ(X11PointerControl::libinputAccelSpeed(20), 1.0f);
    EXPECT_FLOAT_EQ(X11PointerControl::libinputAccelSpeed(2), -0.8f);
    EXPECT_FLOAT_EQ(X11PointerControl::libinputAccelSpeed(0), -0.9f);
    EXPECT_FLOAT_EQ(X11PointerControl::libinputAccelSpeed(99), 1.0f);
}

TEST(SessionPointerSettings, ReportsADisplayThatCannotBeReached)
{
    test::TemporaryFolder folder;
    SessionPointerSettings settings(folder.file("pointer-settings"), ":4711");
    std::string error;
    EXPECT_FALSE(settings.write({600, 2, 16}, &error));
    EXPECT_NE(error.find(":4711"), std::string::npos);
    EXPECT_EQ(settings.read().wheelScrollLines, 2u); // the session store still holds what it could
}

} // namespace
} // namespace pelmo::platform
