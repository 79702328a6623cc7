#pragma once

#include <memory>
#include <string>

#include "platform/window/DisplayBackend.h"

namespace pelmo::platform {

// The window layer on an X server through Xlib. Every top-level window is
// one undecorated X window (override-redirect for menus, tooltips and
// drop-downs, so that they appear where they are put); child windows are
// composed into their top-level window by the layer. Outlines go through
// the shape extension, pixels through MIT-SHM when the server shares memory
// with us and XPutImage otherwise. Timers wait in poll() on the connection.
// Without a window manager (a plain Xvfb) windows are still placed, raised
// and focused by us.
class X11Display final : public DisplayBackend {
public:
    // Connects to `name` ($DISPLAY when empty); none with `error` set when
    // the server cannot be reached.
    static std::unique_ptr<X11Display> open(const std::string& name, std::string* error = nullptr);
    ~X11Display() override;
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    void attach(WindowSystem& system) override;
    Rect screenRect() const override;
    Rect workArea() const override;
    std::uint64_t nowMs() const override;
    void createNative(WindowHandle window, const NativeWindowInfo& info) override;
    void destroyNative(WindowHandle window) override;
    void showNative(WindowHandle window, bool visible, bool activate) override;
    void moveNative(WindowHandle window, const Rect& screenRect) override;
    void restackNative(const std::vector<WindowHandle>& topToBottom) override;
    void setTitleNative(WindowHandle window, const std::string& title) override;
    void setShapeNative(WindowHandle window, const Region* outline) override;
    void present(WindowHandle window, const Surface& frame, const Rect& area) override;
    void setCursorNative(WindowHandle window, CursorShape shape) override;
    void focusNative(WindowHandle window) override;
    void captureNative(WindowHandle window) override;
    // The CLIPBOARD selection, as UTF8_STRING (or STRING from older
    // clients). Reading waits up to a second for the owner's answer.
    std::string clipboardText() override;
    void setClipboardText(const std::string& text) override;
    void pumpEvents() override;
    void waitForEvents(int timeoutMs) override;
    void wakeUp() override;

    bool hasShape() const;
    bool usesSharedMemory() const;
    // The X window behind a top-level window (0 for none).
    unsigned long nativeWindow(WindowHandle window) const;
    // Waits until the server has handled every request so far.
    void sync();

    // Synthetic input through the XTest extension, as if from the user; for
    // tests. False when the server lacks the extension.
    bool fakeMotion(int x, int y);
    bool fakeButton(unsigned button, bool pressed);
    bool fakeKey(unsigned virtualKey, bool pressed);
    // The root window's pixels (opaque), for screenshots.
    Surface grabScreen();

private:
    struct Impl;
    explicit X11Display(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace pelmo::platform
