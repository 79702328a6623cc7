#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window/DisplayBackend.h"
#include "platform/window/InputRouter.h"

namespace pelmo::platform {

// A display that exists only in memory: a 1920 x 1080 screen (all of it work
// area), windows kept as the layer's own surfaces, a virtual clock that
// moves only when told to, and input injected at screen coordinates. Every
// run is deterministic. Besides being a backend it is the tests' handle on
// the screen: inject input, let time pass, run the loop until it is idle,
// and take a picture of the screen.
class HeadlessDisplay final : public DisplayBackend {
public:
    static constexpr int screenWidth = 1920;
    static constexpr int screenHeight = 1080;

    struct Presented {
        WindowHandle window = NoWindow;
        Rect area;
    };

    // DisplayBackend.
    void attach(WindowSystem& system) override { system_ = &system; }
    Rect screenRect() const override { return Rect{0, 0, screenWidth, screenHeight}; }
    Rect workArea() const override { return screenRect(); }
    std::uint64_t nowMs() const override { return now_.load(); }
    void createNative(WindowHandle, const NativeWindowInfo&) override {}
    void destroyNative(WindowHandle) override {}
    void showNative(WindowHandle, bool, bool) override {}
    void moveNative(WindowHandle, const Rect&) override {}
    void restackNative(const std::vector<WindowHandle>&) override {}
    void setTitleNative(WindowHandle, const std::string&) override {}
    void setShapeNative(WindowHandle, const Region*) override {}
    void present(WindowHandle window, const Surface& frame, const Rect& area) override;
    void setCursorNative(WindowHandle, CursorShape shape) override { cursor_ = shape; }
    void focusNative(WindowHandle) override {}
    void captureNative(WindowHandle) override {}
    // The clipboard lives in memory, for this display only.
    std::string clipboardText() override { return clipboard_; }
    void setClipboardText(const std::string& text) override { clipboard_ = text; }
    void pumpEvents() override {}
    // With a limit, virtual time jumps ahead by it; without one the call
    // waits for a post from another thread.
    void waitForEvents(int timeoutMs) override;
    void wakeUp() override;

    // Injected input. Each call runs the loop until idle afterwards, as a
    // user would wait for the window to react.
    void mouseMove(int x, int y);
    void mouseDown(MouseButton button = MouseButton::Left);
    void mouseUp(MouseButton button = MouseButton::Left);
    void click(int x, int y, MouseButton button = MouseButton::Left);
    void wheel(int notches);
    // `character` 0 means the character the key makes on a US keyboard
    // with the current Shift state.
    void keyDown(unsigned virtualKey, char32_t character = 0);
    void keyUp(unsigned virtualKey);
    void pressKey(unsigned virtualKey);
    // Each character of the text as WM_CHAR to the focus window.
    void typeText(std::string_view utf8);

    // Dispatches everything there is to do at the current time: posted
    // messages, paints, due timers. Each message first goes to the filter,
    // if one is set, which may consume it (the UI's pre-message handling).
    // Stops at WM_QUIT. Returns the number of messages dispatched.
    int runUntilIdle();
    void setMessageFilter(std::function<bool(const WindowMessage&)> filter) { filter_ = std::move(filter); }
    // Lets virtual time pass, delivering each timer and hover at its time.
    void advanceTime(std::uint64_t milliseconds);
    bool quitReceived() const { return quit_; }
    int exitCode() const { return exitCode_; }

    CursorShape cursor() const { return cursor_; }
    // Every presented area since the last clear, in window coordinates.
    const std::vector<Presented>& presented() const { return presented_; }
    void clearPresented() { presented_.clear(); }
    Surface screenshot() const;
    bool writeScreenshot(const std::string& path, std::string* error = nullptr) const;

    // The character a key makes on a US keyboard, or 0.
    static char32_t usCharacter(unsigned virtualKey, bool shift);

private:
    WindowSystem* system_ = nullptr;
    std::atomic<std::uint64_t> now_{0};
    std::mutex wakeMutex_;
    std::condition_variable wakeSignal_;
    bool woken_ = false;
    std::function<bool(const WindowMessage&)> filter_;
    bool quit_ = false;
    int exitCode_ = 0;
    CursorShape cursor_ = CursorShape::Arrow;
    std::vector<Presented> presented_;
    std::string clipboard_;
};

} // namespace pelmo::platform
