#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "platform/window/X11Display.h"
#include "tests/support/XvfbServer.h"
#include "tests/ui/WindowTestSupport.h"
#include "ui/controls/CEditUI.h"
#include "ui/controls/CEditWnd.h"
#include "ui/layout/CVerticalLayoutUI.h"

// After the project's headers: X.h names things (CursorShape, None) that
// they use otherwise.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace pelmo;
using namespace pelmo::platform;
using namespace pelmo::ui;
using pelmo::test::TestWindow;

namespace {

bool pumpUntil(WindowSystem& windows, const std::function<bool()>& done, int milliseconds = 5000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
        WindowMessage message;
        while (windows.peekMessage(message, true)) {
            if (CUIManager::TranslateMessage(message))
                continue;
            windows.translateMessage(message);
            windows.dispatchMessage(message);
        }
        if (done())
            return true;
        windows.backend().waitForEvents(20);
    }
    return done();
}

// Another client of the same server, as a text editor or a terminal would
// be: it asks for the CLIPBOARD or offers its own.
class OtherClient {
public:
    explicit OtherClient(const std::string& name) : display_(XOpenDisplay(name.c_str()))
    {
        if (!display_)
            return;
        window_ = XCreateSimpleWindow(display_, XDefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
        utf8_ = XInternAtom(display_, "UTF8_STRING", False);
        property_ = XInternAtom(display_, "OTHER_CLIENT_PASTE", False);
    }
    ~OtherClient()
    {
        stop_ = true;
        if (server_.joinable())
            server_.join();
        if (display_)
            XCloseDisplay(display_);
    }
    bool connected() const { return display_ != nullptr; }

    // Types one key of another script, as a keyboard with that layout
    // would: a spare key is given the keysym and pressed.
    void typeKeysym(KeySym keysym)
    {
        int lowest = 0;
        int highest = 0;
        XDisplayKeycodes(display_, &lowest, &highest);
        const auto key = static_cast<KeyCode>(highest);
        KeySym symbols[2] = {keysym, keysym};
        XChangeKeyboardMapping(display_, key, 2, symbols, 1);
        XSync(display_, False);
        XTestFakeKeyEvent(display_, key, True, CurrentTime);
        XTestFakeKeyEvent(display_, key, False, CurrentTime);
        XSync(display_, False);
    }

    void askForClipboard()
    {
        XConvertSelection(display_, clipboard_, utf8_, property_, window_, CurrentTime);
        XFlush(display_);
    }
    // The text once the owner has answered, or nothing yet.
    std::optional<std::string> answer()
    {
        XEvent event;
        if (!XCheckTypedWindowEvent(display_, window_, SelectionNotify, &event))
            return std::nullopt;
        if (event.xselection.property == None)
            return std::string("(refused)");
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display_, window_, property_, 0, 1024, True, AnyPropertyType, &type, &format, &count,
                           &after, &data);
        std::string text(reinterpret_cast<char*>(data), count);
        XFree(data);
        return text;
    }

    // Takes the CLIPBOARD and answers requests for it from a thread of its
    // own, since the asking side waits for the answer.
    void offer(const std::string& text)
    {
        XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
        XSync(display_, False);
        server_ = std::thread([this, text] {
            while (!stop_) {
                while (XPending(display_)) {
                    XEvent event;
                    XNextEvent(display_, &event);
                    if (event.type != SelectionRequest)
                        continue;
                    const XSelectionRequestEvent& request = event.xselectionrequest;
                    XSelectionEvent reply{};
                    reply.type = SelectionNotify;
                    reply.requestor = request.requestor;
                    reply.selection = request.selection;
                    reply.target = request.target;
                    reply.time = request.time;
                    reply.property = None;
                    if (request.target == utf8_) {
                        XChangeProperty(display_, request.requestor, request.property, utf8_, 8, PropModeReplace,
                                        reinterpret_cast<const unsigned char*>(text.data()),
                                        static_cast<int>(text.size()));
                        reply.property = request.property;
                    }
                    XSendEvent(display_, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
                    XFlush(display_);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }

private:
    Display* display_;
    Window window_ = 0;
    Atom clipboard_ = 0;
    Atom utf8_ = 0;
    Atom property_ = 0;
    std::thread server_;
    std::atomic<bool> stop_{false};
};

constexpr std::uint32_t windowColour = 0xFF3060A0;

} // namespace

TEST(X11Edit, TypingThroughTheServerEditsTheTextAndTheClipboardIsSharedWithOtherClients)
{
    test::XvfbServer xvfb;
    ASSERT_TRUE(xvfb.running()) << "Xvfb did not start";
    std::string error;
    std::unique_ptr<WindowSystem> windows = WindowSystem::open(WindowSystem::Choice::X11, xvfb.display(), &error);
    ASSERT_TRUE(windows) << error;
    WindowSystem::setCurrent(windows.get());
    auto& x11 = static_cast<X11Display&>(windows->backend());
    {
        auto* root = new CVerticalLayoutUI;
        root->SetBkColor(windowColour);
        auto* edit = new CEditUI;
        edit->SetName("name_edit");
        edit->SetFixedHeight(24);
        root->Add(edit);
        root->Add(new CControlUI);
        TestWindow window(Rect{50, 50, 350, 150}, root);
        ASSERT_TRUE(pumpUntil(*windows, [&] {
            x11.sync();
            return x11.grabScreen().pixel(200, 140) == windowColour;
        }));

        auto key = [&](unsigned virtualKey) {
            x11.fakeKey(virtualKey, true);
            x11.fakeKey(virtualKey, false);
        };
        auto withControl = [&](unsigned virtualKey) {
            x11.fakeKey(VK_CONTROL, true);
            key(virtualKey);
            x11.fakeKey(VK_CONTROL, false);
        };
        ASSERT_TRUE(x11.fakeMotion(200, 62));
        x11.fakeButton(1, true);
        x11.fakeButton(1, false);
        ASSERT_TRUE(pumpUntil(*windows, [&] { return edit->GetEditWindow() != nullptr; }));
        key('H');
        key('I');
        x11.fakeKey(VK_SHIFT, true);
        key('1');
        x11.fakeKey(VK_SHIFT, false);
        ASSERT_TRUE(pumpUntil(*windows, [&] { return edit->GetText() == "hi!"; })) << edit->GetText();
        EXPECT_EQ(window.count("textchanged:name_edit"), 3u);
        // A key of another script, which has no virtual-key code.
        OtherClient other(xvfb.display());
        ASSERT_TRUE(other.connected());
        other.typeKeysym(XK_Cyrillic_zhe);
        const std::string typed = "hi!\xD0\xB6";  // "hi!ж"
        EXPECT_TRUE(pumpUntil(*windows, [&] { return edit->GetText() == typed; })) << edit->GetText();

        // Copied here, pasted elsewhere.
        withControl('A');
        withControl('C');
        ASSERT_TRUE(pumpUntil(*windows, [&] { return x11.clipboardText() == typed; }));
        other.askForClipboard();
        std::optional<std::string> pasted;
        EXPECT_TRUE(pumpUntil(*windows, [&] { return (pasted = other.answer()).has_value(); }));
        EXPECT_EQ(pasted.value_or("(no answer)"), typed);

        // Copied elsewhere, pasted here over the selected text.
        other.offer("xyz");
        withControl('V');
        EXPECT_TRUE(pumpUntil(*windows, [&] { return edit->GetText() == "xyz"; })) << edit->GetText();

        key(VK_RETURN);
        EXPECT_TRUE(pumpUntil(*windows, [&] { return window.logged("edit_return:name_edit"); }));
        EXPECT_EQ(edit->GetEditWindow(), nullptr);
    }
    WindowSystem::setCurrent(nullptr);
}
