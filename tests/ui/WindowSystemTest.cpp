#include <gtest/gtest.h>

#include <thread>

#include "platform/graphics/Raster.h"
#include "platform/window/TooltipWindow.h"
#include "tests/ui/WindowTestSupport.h"

using namespace pelmo;
using namespace pelmo::platform;
using pelmo::test::HeadlessScreen;

namespace {

struct Seen {
    WindowHandle window;
    unsigned message;
    WParam wParam;
    LParam lParam;
};

// What the recording procedure saw, and how it answers hit tests: the top
// `captionHeight` pixels of every window are its caption.
std::vector<Seen> seen;
int captionHeight = 0;
bool paintRed = false;

LResult recorder(WindowHandle window, unsigned message, WParam wParam, LParam lParam)
{
    WindowSystem& windows = *WindowSystem::current();
    seen.push_back(Seen{window, message, wParam, lParam});
    if (message == WM_NCHITTEST) {
        const Point client = windows.screenToClient(window, Point{xFromLParam(lParam), yFromLParam(lParam)});
        return client.y < captionHeight ? HTCAPTION : HTCLIENT;
    }
    if (message == WM_PAINT && paintRed) {
        PaintStruct paint = windows.beginPaint(window);
        raster::fill(*paint.surface, paint.surface->bounds(), paint.dirty, 0xFFFF0000);
        windows.endPaint(window, paint);
        return 0;
    }
    return windows.defWindowProc(window, message, wParam, lParam);
}

struct WindowSystemTest : ::testing::Test {
    WindowSystemTest()
    {
        seen.clear();
        captionHeight = 0;
        paintRed = false;
        windows().registerClass(WindowClass{"Recorder", CS_DBLCLKS, recorder, CursorShape::Arrow});
        windows().registerClass(WindowClass{"Plain", 0, recorder, CursorShape::Hand});
    }
    WindowSystem& windows() { return *screen.windows; }
    HeadlessDisplay& display() { return *screen.display; }
    WindowHandle make(Rect rect, const char* className = "Recorder", WindowHandle parent = NoWindow,
                      unsigned style = WS_POPUP | WS_VISIBLE, unsigned exStyle = 0)
    {
        CreateStruct params;
        params.className = className;
        params.parent = parent;
        params.style = style;
        params.exStyle = exStyle;
        params.x = rect.left;
        params.y = rect.top;
        params.width = rect.width();
        params.height = rect.height();
        const WindowHandle window = windows().createWindow(params);
        display().runUntilIdle();
        return window;
    }
    std::vector<unsigned> messages(WindowHandle window, std::initializer_list<unsigned> wanted) const
    {
        std::vector<unsigned> result;
        for (const Seen& each : seen)
            if (each.window == window && std::find(wanted.begin(), wanted.end(), each.message) != wanted.end())
                result.push_back(each.message);
        return result;
    }
    const Seen* last(unsigned message) const
    {
        for (auto it = seen.rbegin(); it != seen.rend(); ++it)
            if (it->message == message)
                return &*it;
        return nullptr;
    }

    HeadlessScreen screen;
};

} // namespace

TEST_F(WindowSystemTest, CreationSendsItsMessagesInOrderAndDestructionUnwindsChildrenFirst)
{
    const WindowHandle top = make(Rect{10, 10, 110, 110});
    const WindowHandle child = make(Rect{5, 5, 25, 25}, "Plain", top, WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(messages(top, {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_ACTIVATE}),
              (std::vector<unsigned>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_ACTIVATE}));
    EXPECT_EQ(windows().windowRect(child), (Rect{15, 15, 35, 35}));
    EXPECT_EQ(windows().topLevel(child), top);
    seen.clear();
    EXPECT_TRUE(windows().destroyWindow(top));
    std::vector<std::pair<WindowHandle, unsigned>> order;
    for (const Seen& each : seen)
        if (each.message == WM_DESTROY || each.message == WM_NCDESTROY)
            order.emplace_back(each.window, each.message);
    EXPECT_EQ(order, (std::vector<std::pair<WindowHandle, unsigned>>{
                         {top, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {top, WM_NCDESTROY}}));
    EXPECT_FALSE(windows().isWindow(child));
    EXPECT_FALSE(windows().destroyWindow(top));
}

TEST_F(WindowSystemTest, DoubleClickNeedsTheClassStyleTheTimeAndTheSamePlace)
{
    const WindowHandle with = make(Rect{0, 0, 100, 100});
    const WindowHandle without = make(Rect{200, 0, 300, 100}, "Plain");
    struct Case {
        WindowHandle window;
        int x;
        int secondX;
        std::uint64_t pause;
        unsigned second;
    } cases[] = {
        {with, 50, 51, 100, WM_LBUTTONDBLCLK},
        {with, 50, 50, 501, WM_LBUTTONDOWN},
        {with, 50, 55, 100, WM_LBUTTONDOWN},
        {without, 250, 250, 100, WM_LBUTTONDOWN},
    };
    for (const Case& c : cases) {
        display().advanceTime(1000);
        display().click(c.x, 50);
        display().advanceTime(c.pause);
        seen.clear();
        display().click(c.secondX, 50);
        EXPECT_EQ(messages(c.window, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}), (std::vector<unsigned>{c.second}))
            << c.x << " " << c.secondX << " " << c.pause;
    }
}

TEST_F(WindowSystemTest, MouseMessagesCarryClientPointsButtonsAndWheelDeltas)
{
    const WindowHandle window = make(Rect{100, 100, 200, 200});
    display().mouseMove(130, 140);
    ASSERT_NE(last(WM_MOUSEMOVE), nullptr);
    EXPECT_EQ(last(WM_MOUSEMOVE)->lParam, makeLParam(30, 40));
    display().mouseDown(MouseButton::Right);
    EXPECT_EQ(last(WM_RBUTTONDOWN)->wParam, MK_RBUTTON);
    display().mouseUp(MouseButton::Right);
    // The default procedure turns the release into a context menu request.
    ASSERT_NE(last(WM_CONTEXTMENU), nullptr);
    EXPECT_EQ(last(WM_CONTEXTMENU)->lParam, makeLParam(130, 140));
    display().mouseDown(MouseButton::X2);
    EXPECT_EQ(highWord(last(WM_XBUTTONDOWN)->wParam), XBUTTON2);
    display().mouseUp(MouseButton::X2);
    display().wheel(-1);
    EXPECT_EQ(static_cast<std::int16_t>(highWord(last(WM_MOUSEWHEEL)->wParam)), -WHEEL_DELTA);
    EXPECT_EQ(last(WM_MOUSEWHEEL)->window, window);
}

TEST_F(WindowSystemTest, CaptureKeepsThePointerAndTheCaptionDragsTheWindow)
{
    const WindowHandle window = make(Rect{100, 100, 200, 200});
    windows().setCapture(window);
    display().mouseMove(50, 60);
    EXPECT_EQ(last(WM_MOUSEMOVE)->window, window);
    EXPECT_EQ(last(WM_MOUSEMOVE)->lParam, makeLParam(-50, -40));
    windows().releaseCapture();
    EXPECT_NE(last(WM_CAPTURECHANGED), nullptr);

    captionHeight = 20;
    display().mouseMove(150, 110);
    display().mouseDown();
    display().mouseMove(400, 310);
    display().mouseUp();
    EXPECT_EQ(windows().windowRect(window), (Rect{350, 300, 450, 400}));
    EXPECT_EQ(last(WM_LBUTTONDOWN), nullptr);  // the caption press is not a client press
}

TEST_F(WindowSystemTest, TheOutlineDecidesWhichWindowThePointerIsOver)
{
    const WindowHandle below = make(Rect{0, 0, 100, 100});
    const WindowHandle above = make(Rect{0, 0, 100, 100});
    windows().setWindowRegion(above, Region::roundRect(Rect{0, 0, 100, 100}, 40, 40), false);
    EXPECT_EQ(windows().windowAt(Point{1, 1}), below);
    EXPECT_EQ(windows().windowAt(Point{50, 50}), above);
    EXPECT_EQ(windows().windowAt(Point{150, 50}), NoWindow);
}

TEST_F(WindowSystemTest, KeysBecomeVirtualKeyMessagesWithTextAndKeyState)
{
    const WindowHandle window = make(Rect{0, 0, 100, 100});
    EXPECT_EQ(windows().focus(), window);
    display().keyDown(VK_RSHIFT);
    EXPECT_LT(windows().keyState(VK_SHIFT), 0);
    EXPECT_LT(windows().keyState(VK_RSHIFT), 0);
    EXPECT_GE(windows().keyState(VK_LSHIFT), 0);
    EXPECT_EQ(last(WM_KEYDOWN)->wParam, VK_SHIFT);
    display().pressKey('A');
    EXPECT_EQ(last(WM_CHAR)->wParam, static_cast<WParam>('A'));
    display().keyUp(VK_RSHIFT);
    display().pressKey('A');
    EXPECT_EQ(last(WM_CHAR)->wParam, static_cast<WParam>('a'));
    // The character comes before the key's release.
    std::vector<unsigned> order = messages(window, {WM_KEYDOWN, WM_CHAR, WM_KEYUP});
    EXPECT_EQ(std::vector<unsigned>(order.end() - 3, order.end()),
              (std::vector<unsigned>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));

    display().keyDown(VK_RCONTROL);
    EXPECT_NE(last(WM_KEYDOWN)->lParam & KF_EXTENDED_BIT, 0);
    display().keyUp(VK_RCONTROL);
    display().keyDown(VK_MENU);
    display().pressKey('F');
    display().keyUp(VK_MENU);
    EXPECT_EQ(last(WM_SYSKEYDOWN)->wParam, static_cast<WParam>('F'));
    EXPECT_EQ(last(WM_SYSCHAR)->wParam, static_cast<WParam>('f'));
    display().pressKey(VK_CAPITAL);
    EXPECT_EQ(windows().keyState(VK_CAPITAL) & 1, 1);
}

TEST_F(WindowSystemTest, TimersFireInOrderAndStopWithTheirWindow)
{
    const WindowHandle first = make(Rect{0, 0, 10, 10});
    const WindowHandle second = make(Rect{20, 0, 30, 10});
    windows().setTimer(first, 13, 300);
    windows().setTimer(second, 14, 200);
    seen.clear();
    display().advanceTime(600);
    std::vector<std::pair<WindowHandle, WParam>> ticks;
    for (const Seen& each : seen)
        if (each.message == WM_TIMER)
            ticks.emplace_back(each.window, each.wParam);
    EXPECT_EQ(ticks, (std::vector<std::pair<WindowHandle, WParam>>{
                         {second, 14}, {first, 13}, {second, 14}, {first, 13}, {second, 14}}));
    windows().destroyWindow(second);
    seen.clear();
    display().advanceTime(600);
    EXPECT_EQ(messages(second, {WM_TIMER}).size(), 0u);
    EXPECT_EQ(messages(first, {WM_TIMER}).size(), 2u);
}

TEST_F(WindowSystemTest, HoverComesAfterTheDelayAtRestAndLeaveWhenThePointerGoes)
{
    const WindowHandle window = make(Rect{0, 0, 100, 100});
    display().mouseMove(50, 50);
    windows().trackMouseEvent(window, TME_HOVER | TME_LEAVE, 300);
    display().advanceTime(200);
    display().mouseMove(60, 60);  // moving restarts the wait
    display().advanceTime(200);
    EXPECT_EQ(messages(window, {WM_MOUSEHOVER}).size(), 0u);
    display().advanceTime(100);
    EXPECT_EQ(messages(window, {WM_MOUSEHOVER}).size(), 1u);
    display().advanceTime(1000);
    EXPECT_EQ(messages(window, {WM_MOUSEHOVER}).size(), 1u);  // once per request
    display().mouseMove(150, 60);
    EXPECT_EQ(messages(window, {WM_MOUSELEAVE}).size(), 1u);
}

TEST_F(WindowSystemTest, OnlyTheInvalidatedPartsArePaintedAndPresented)
{
    paintRed = true;
    const WindowHandle window = make(Rect{0, 0, 200, 200});
    display().clearPresented();
    const Rect a{10, 10, 20, 20};
    const Rect b{100, 150, 120, 160};
    windows().invalidateRect(window, &a, false);
    windows().invalidateRect(window, &b, false);
    display().runUntilIdle();
    EXPECT_EQ(messages(window, {WM_PAINT}).size(), 2u);  // one at creation, one now
    ASSERT_EQ(display().presented().size(), 2u);
    EXPECT_EQ(display().presented()[0].area, a);
    EXPECT_EQ(display().presented()[1].area, b);
    EXPECT_EQ(display().screenshot().pixel(15, 15), 0xFFFF0000u);
}

TEST_F(WindowSystemTest, OwnedAndTopmostWindowsStayAboveAndActivationFollowsClicks)
{
    const WindowHandle owner = make(Rect{0, 0, 100, 100});
    const WindowHandle popup = make(Rect{20, 20, 60, 60}, "Recorder", owner);
    const WindowHandle other = make(Rect{200, 0, 300, 100});
    const WindowHandle topmost = make(Rect{400, 0, 450, 50}, "Recorder", NoWindow, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    EXPECT_EQ(windows().activeWindow(), topmost);
    display().click(10, 10);  // on the owner: it and its popup come up, under the topmost one
    EXPECT_EQ(windows().activeWindow(), owner);
    std::vector<WindowHandle> stack = windows().topLevelWindows();
    EXPECT_EQ(stack, (std::vector<WindowHandle>{topmost, popup, owner, other}));
    EXPECT_NE(last(WM_ACTIVATE), nullptr);
    // Hiding the active popup hands activation back to its owner.
    windows().setActiveWindow(popup);
    windows().showWindow(popup, ShowCommand::Hide);
    EXPECT_EQ(windows().activeWindow(), owner);
}

TEST_F(WindowSystemTest, PostingFromAnotherThreadWakesTheLoop)
{
    const WindowHandle window = make(Rect{0, 0, 10, 10});
    std::thread poster([&] { windows().postMessage(window, WM_USER + 103, 0, 0); });
    WindowMessage message;
    ASSERT_TRUE(windows().getMessage(message));
    poster.join();
    EXPECT_EQ(message.message, WM_USER + 103u);
    windows().postQuitMessage(3);
    EXPECT_FALSE(windows().getMessage(message));
    EXPECT_EQ(message.wParam, 3u);
}

TEST_F(WindowSystemTest, ScreenshotComposesChildrenAndOutlines)
{
    paintRed = true;
    const WindowHandle window = make(Rect{10, 10, 60, 60});
    windows().setWindowRegion(window, Region(Rect{0, 0, 25, 50}), true);
    display().runUntilIdle();
    const Surface shot = display().screenshot();
    EXPECT_EQ(shot.width(), 1920);
    EXPECT_EQ(shot.pixel(20, 20), 0xFFFF0000u);
    EXPECT_NE(shot.pixel(50, 20), 0xFFFF0000u);  // cut off by the outline
    EXPECT_NE(shot.pixel(5, 5), 0xFFFF0000u);
}

TEST_F(WindowSystemTest, PlacesAndSizesFromOutsideDataAreKeptToWhatAScreenCanShow)
{
    CreateStruct params;
    params.className = "Plain";
    params.style = WS_POPUP;
    params.x = 2147483000;
    params.y = -2147483000;
    params.width = 2147483647;
    params.height = 2147483647;
    const WindowHandle window = windows().createWindow(params);
    EXPECT_EQ(windows().windowRect(window), (Rect{32767, -32767, 32767 + 16384, -32767 + 16384}));

    ASSERT_TRUE(windows().setWindowPos(window, ZOrder::Keep, -2147483647, 2147483000, 2147483647, -5, SWP_NOZORDER));
    EXPECT_EQ(windows().windowRect(window), (Rect{-32767, 32767, -32767 + 16384, 32767}));
}
