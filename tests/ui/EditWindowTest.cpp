#include <gtest/gtest.h>

#include <vector>

#include "platform/graphics/Font.h"
#include "platform/graphics/FontSystem.h"
#include "platform/window/EditWindow.h"
#include "tests/ui/WindowTestSupport.h"

using namespace pelmo;
using namespace pelmo::platform;
using pelmo::test::HeadlessScreen;

namespace {

// The EN_ codes the host window heard, in order.
std::vector<unsigned> heard;

LResult hostProcedure(WindowHandle window, unsigned message, WParam wParam, LParam lParam)
{
    if (message == WM_COMMAND)
        heard.push_back(highWord(wParam));
    return WindowSystem::current()->defWindowProc(window, message, wParam, lParam);
}

// A 300 x 100 host window at (0, 0) with an edit box at (10, 10), 200 x 24,
// that has the keyboard focus.
struct EditBox : ::testing::Test {
    EditBox()
    {
        heard.clear();
        windows().registerClass(WindowClass{"EditHost", CS_DBLCLKS, &hostProcedure, CursorShape::Arrow});
        CreateStruct host;
        host.className = "EditHost";
        host.style = WS_POPUP | WS_VISIBLE;
        host.width = 300;
        host.height = 100;
        hostWindow = windows().createWindow(host);
        edit = makeEdit(0);
        windows().setFocus(edit);
        display().runUntilIdle();
        heard.clear();
    }
    // The windows go before the window system, which takes down what is
    // left without telling the windows.
    ~EditBox() override { windows().destroyWindow(hostWindow); }
    WindowHandle makeEdit(unsigned style, int y = 10)
    {
        CreateStruct params;
        params.className = EditWindow::className;
        params.parent = hostWindow;
        params.style = WS_CHILD | WS_VISIBLE | style;
        params.x = 10;
        params.y = y;
        params.width = 200;
        params.height = 24;
        return windows().createWindow(params);
    }
    WindowSystem& windows() { return *screen.windows; }
    HeadlessDisplay& display() { return *screen.display; }
    std::string text() { return EditWindow::text(windows(), edit); }
    void setText(const char* text) { windows().sendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LParam>(text)); }
    std::pair<int, int> selection()
    {
        const auto packed = static_cast<std::uintptr_t>(windows().sendMessage(edit, EM_GETSEL));
        return {static_cast<int>(lowWord(packed)), static_cast<int>(highWord(packed))};
    }
    void withControl(unsigned key)
    {
        display().keyDown(VK_CONTROL);
        // With Ctrl held a letter key makes a control character, as on X11.
        display().keyDown(key, key >= 'A' && key <= 'Z' ? key - 'A' + 1 : 0);
        display().keyUp(key);
        display().keyUp(VK_CONTROL);
    }
    void withShift(unsigned key, int times = 1)
    {
        display().keyDown(VK_SHIFT);
        for (int i = 0; i < times; ++i)
            display().pressKey(key);
        display().keyUp(VK_SHIFT);
    }

    HeadlessScreen screen;
    WindowHandle hostWindow = NoWindow;
    WindowHandle edit = NoWindow;
};

} // namespace

TEST_F(EditBox, TypingInsertsAnyUnicodeTextAtTheCaretAndEachChangeIsReported)
{
    const std::string typed = "h\xC3\xA9llo \xE4\xB8\x96\xE7\x95\x8C \xF0\x9F\x98\x80";  // héllo 世界 😀
    display().typeText(typed);
    EXPECT_EQ(text(), typed);
    EXPECT_EQ(std::count(heard.begin(), heard.end(), EN_CHANGE), 10);
    // Control characters are not text.
    display().typeText("\t\x1b\r");
    EXPECT_EQ(std::count(heard.begin(), heard.end(), EN_CHANGE), 10);
}

TEST_F(EditBox, EditingKeysMoveTheCaretAndDeleteAroundIt)
{
    display().typeText("abcdef");
    display().pressKey(VK_LEFT);
    display().pressKey(VK_LEFT);
    display().pressKey(VK_BACK);  // the character before the caret: "d"
    EXPECT_EQ(text(), "abcef");
    display().pressKey(VK_HOME);
    display().pressKey(VK_DELETE);  // the character after the caret: "a"
    EXPECT_EQ(text(), "bcef");
    display().pressKey(VK_END);
    display().typeText("!");
    EXPECT_EQ(text(), "bcef!");
    display().pressKey(VK_HOME);
    display().pressKey(VK_BACK);  // nothing before the start
    EXPECT_EQ(text(), "bcef!");
}

TEST_F(EditBox, ShiftSelectsAndTypingReplacesTheSelection)
{
    setText("one two three");
    display().pressKey(VK_END);
    withShift(VK_LEFT, 5);
    EXPECT_EQ(selection(), (std::pair{8, 13}));
    display().typeText("four");
    EXPECT_EQ(text(), "one two four");
    withControl('A');
    EXPECT_EQ(selection(), (std::pair{0, 12}));
    display().pressKey(VK_BACK);
    EXPECT_EQ(text(), "");
}

TEST_F(EditBox, CopyAndPasteGoThroughTheDisplaysClipboardAndPasteTakesOnlyTheFirstLine)
{
    setText("copy me");
    withControl('A');
    withControl('C');
    EXPECT_EQ(display().clipboardText(), "copy me");
    display().pressKey(VK_END);
    withControl('V');
    EXPECT_EQ(text(), "copy mecopy me");
    display().setClipboardText("first\r\nsecond");
    withControl('A');
    withControl('V');
    EXPECT_EQ(text(), "first");
    withControl('A');
    withControl('X');
    EXPECT_EQ(text(), "");
    EXPECT_EQ(display().clipboardText(), "first");
}

TEST_F(EditBox, TheLengthLimitRefusesFurtherCharactersAndCutsAPaste)
{
    windows().sendMessage(edit, EM_LIMITTEXT, 3);
    display().typeText("abcd");
    EXPECT_EQ(text(), "abc");
    EXPECT_EQ(std::count(heard.begin(), heard.end(), EN_CHANGE), 3);
    EXPECT_EQ(std::count(heard.begin(), heard.end(), EN_MAXTEXT), 1);
    display().pressKey(VK_BACK);
    display().setClipboardText("xyz");
    withControl('V');
    EXPECT_EQ(text(), "abx");
}

TEST_F(EditBox, APasswordIsShownAsItsCharacterAndNeverCopied)
{
    const WindowHandle password = makeEdit(ES_PASSWORD, 50);
    const WindowHandle stars = makeEdit(0, 50);
    windows().sendMessage(password, WM_SETTEXT, 0, reinterpret_cast<LParam>("abc"));
    display().runUntilIdle();
    const Surface shown = *windows().surface(password);
    windows().destroyWindow(password);
    windows().sendMessage(stars, WM_SETTEXT, 0, reinterpret_cast<LParam>("***"));
    display().runUntilIdle();
    EXPECT_TRUE(std::equal(shown.pixels().begin(), shown.pixels().end(), windows().surface(stars)->pixels().begin()));

    windows().sendMessage(edit, EM_SETPASSWORDCHAR, U'#');
    setText("secret");
    display().setClipboardText("before");
    withControl('A');
    withControl('C');
    withControl('X');
    EXPECT_EQ(display().clipboardText(), "before");
    EXPECT_EQ(text(), "secret");
}

TEST_F(EditBox, AReadOnlyBoxSelectsAndCopiesButNeverChanges)
{
    setText("fixed");
    windows().sendMessage(edit, EM_SETREADONLY, 1);
    heard.clear();
    display().typeText("x");
    withControl('A');
    display().pressKey(VK_DELETE);
    display().setClipboardText("pasted");
    withControl('V');
    EXPECT_EQ(text(), "fixed");
    EXPECT_TRUE(heard.empty());
    withControl('C');
    EXPECT_EQ(display().clipboardText(), "fixed");
}

TEST_F(EditBox, ThePointerPlacesTheCaretDragsASelectionAndADoubleClickTakesAWord)
{
    setText("alpha beta");
    display().click(10 + 1, 20);  // left of the first character
    EXPECT_EQ(selection(), (std::pair{0, 0}));
    display().advanceTime(1000);  // no double click
    display().mouseDown();
    display().mouseMove(10 + 199, 20);
    display().mouseUp();
    EXPECT_EQ(selection(), (std::pair{0, 10}));
    display().advanceTime(1000);
    display().click(10 + 199, 20);
    display().click(10 + 199, 20);
    EXPECT_EQ(selection(), (std::pair{6, 10}));
}

TEST_F(EditBox, LongTextScrollsSoThatTheCaretStaysInView)
{
    // The caret is a one-pixel line as high as the font, in the text colour.
    const int lineHeight = FontSystem::instance().open(FontSystem::defaultGuiFontDescription())->metrics().height;
    auto caretAt = [&](int x) {
        const Surface& surface = *windows().surface(edit);
        int inked = 0;
        for (int y = 0; y < surface.height(); ++y)
            inked += surface.pixel(x, y) == 0xFF000000u ? 1 : 0;
        return inked >= lineHeight;
    };
    display().typeText(std::string(100, 'i'));
    EXPECT_TRUE(caretAt(198));  // just inside the right margin
    display().pressKey(VK_HOME);
    EXPECT_TRUE(caretAt(1));    // back at the start, inside the left margin
}
