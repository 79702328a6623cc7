// ui-window-sample: opens a shaped window with a few containers and controls.
// Usage:
//   ui-window-sample [--x11]                 on the X server of $DISPLAY
//   ui-window-sample --headless [OUT.png]    on the headless display; writes
//                                            the screen after a hover (default
//                                            ui-window-sample.png)
//   ui-window-sample --x11 --snapshot OUT.png
//                                            writes the X screen once the
//                                            window is up, then quits

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/graphics/PngWriter.h"
#include "platform/window/HeadlessDisplay.h"
#include "platform/window/WindowSystem.h"
#include "platform/window/X11Display.h"
#include "tools/ui-window-sample/SampleWindow.h"

using namespace pelmo;
using namespace pelmo::platform;

namespace {

int runHeadless(const std::string& output)
{
    auto backend = std::make_unique<HeadlessDisplay>();
    HeadlessDisplay& display = *backend;
    WindowSystem windows(std::move(backend));
    display.setMessageFilter([](const WindowMessage& message) { return ui::CUIManager::TranslateMessage(message); });
    tools::SampleWindow window;
    if (window.Create(NoWindow, "Pelmo window sample", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 0) == NoWindow) {
        std::fprintf(stderr, "ui-window-sample: cannot create the window\n");
        return 1;
    }
    window.CentreOnOwner();
    display.runUntilIdle();
    // Show the second page, and rest the pointer on the third button so that
    // its hot state and tooltip are in the picture.
    const Rect at = windows.windowRect(window.GetHWND());
    display.click(at.left + 80, at.top + 40 + 14 + 36 + 10 + 18);
    display.mouseMove(at.left + 80, at.top + 40 + 14 + 2 * (36 + 10) + 18);
    display.advanceTime(1000);
    std::string error;
    if (!display.writeScreenshot(output, &error)) {
        std::fprintf(stderr, "ui-window-sample: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", output.c_str());
    return 0;
}

int runX11(const std::string& snapshot)
{
    std::string error;
    std::unique_ptr<WindowSystem> windows = WindowSystem::open(WindowSystem::Choice::X11, {}, &error);
    if (!windows) {
        std::fprintf(stderr, "ui-window-sample: %s\n", error.c_str());
        return 1;
    }
    tools::SampleWindow window;
    if (window.Create(NoWindow, "Pelmo window sample", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 0) == NoWindow) {
        std::fprintf(stderr, "ui-window-sample: cannot create the window\n");
        return 1;
    }
    window.CentreOnOwner();
    if (snapshot.empty())
        return ui::CUIManager::RunMessageLoop();

    // Let the window map and paint for a moment, then take the picture.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(800);
    while (std::chrono::steady_clock::now() < until) {
        WindowMessage message;
        while (windows->peekMessage(message, true)) {
            if (!ui::CUIManager::TranslateMessage(message)) {
                windows->translateMessage(message);
                windows->dispatchMessage(message);
            }
        }
        windows->backend().waitForEvents(20);
    }
    auto& x11 = static_cast<X11Display&>(windows->backend());
    x11.sync();
    if (!PngWriter::write(x11.grabScreen(), snapshot, &error)) {
        std::fprintf(stderr, "ui-window-sample: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", snapshot.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    bool headless = std::getenv("DISPLAY") == nullptr;
    std::string output = "ui-window-sample.png";
    std::string snapshot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            headless = true;
            if (i + 1 < argc && argv[i + 1][0] != '-')
                output = argv[++i];
        } else if (std::strcmp(argv[i], "--x11") == 0) {
            headless = false;
        } else if (std::strcmp(argv[i], "--snapshot") == 0 && i + 1 < argc) {
            snapshot = argv[++i];
        } else {
            std::fprintf(stderr, "usage: ui-window-sample [--headless [OUT.png] | --x11 [--snapshot OUT.png]]\n");
            return 2;
        }
    }
    return headless ? runHeadless(output) : runX11(snapshot);
}
