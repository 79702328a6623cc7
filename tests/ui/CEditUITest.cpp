#include <gtest/gtest.h>

#include "platform/window/EditWindow.h"
#include "tests/ui/WindowTestSupport.h"
#include "ui/controls/CEditUI.h"
#include "ui/controls/CEditWnd.h"
#include "ui/layout/CVerticalLayoutUI.h"

using namespace pelmo;
using namespace pelmo::ui;
using namespace pelmo::test;
using platform::Rect;

namespace {

// A 300 x 100 window at (100, 100): an edit "name_edit" 24 pixels high
// holding "abc", then a button "ok_btn" of 30 pixels.
struct EditField : ::testing::Test {
    EditField()
    {
        auto* root = new CVerticalLayoutUI;
        edit = new CEditUI;
        edit->SetName("name_edit");
        edit->SetFixedHeight(24);
        edit->SetText("abc");
        root->Add(edit);
        button = new TestButton("ok_btn");
        button->SetFixedHeight(30);
        root->Add(button);
        root->Add(new CControlUI);
        window = std::make_unique<TestWindow>(Rect{100, 100, 400, 200}, root);
        display().runUntilIdle();
    }
    platform::HeadlessDisplay& display() { return *screen.display; }
    platform::WindowSystem& windows() { return *screen.windows; }
    void clickEdit() { display().click(100 + 150, 100 + 12); }
    void clickButton() { display().click(100 + 150, 100 + 24 + 15); }
    platform::WindowHandle native() const
    {
        return edit->GetEditWindow() ? edit->GetEditWindow()->GetHWND() : platform::NoWindow;
    }
    void withControl(unsigned key)
    {
        display().keyDown(platform::VK_CONTROL);
        display().keyDown(key, key - 'A' + 1);
        display().keyUp(key);
        display().keyUp(platform::VK_CONTROL);
    }

    HeadlessScreen screen;
    CEditUI* edit = nullptr;
    TestButton* button = nullptr;
    std::unique_ptr<TestWindow> window;
};

} // namespace

TEST_F(EditField, AClickOpensTheNativeWindowOverTheTextWithAllOfItSelected)
{
    clickEdit();
    ASSERT_NE(native(), platform::NoWindow);
    EXPECT_EQ(windows().className(native()), "EditWnd");
    EXPECT_EQ(windows().focus(), native());
    // Inside the text padding, at the font's height, centred.
    const int fontHeight = window->manager.DefaultFontHeight();
    const Rect placed = windows().windowRect(native());
    EXPECT_EQ(placed.left, 100 + 4);
    EXPECT_EQ(placed.right, 100 + 300 - 4);
    EXPECT_EQ(placed.height(), fontHeight);
    EXPECT_EQ(placed.top, 100 + 3 + (18 - fontHeight) / 2);
    EXPECT_EQ(platform::EditWindow::text(windows(), native()), "abc");
    display().typeText("x");
    EXPECT_EQ(edit->GetText(), "x");
}

TEST_F(EditField, EachChangeSendsTextchangedAndClosingSendsEditReturn)
{
    clickEdit();
    display().pressKey(platform::VK_END);
    display().typeText("de");
    display().pressKey(platform::VK_BACK);
    EXPECT_EQ(window->count("textchanged:name_edit"), 3u);
    EXPECT_EQ(edit->GetText(), "abcd");
    EXPECT_EQ(window->count("edit_return:name_edit"), 0u);
    clickButton();
    EXPECT_EQ(native(), platform::NoWindow);
    EXPECT_EQ(window->count("edit_return:name_edit"), 1u);
    EXPECT_TRUE(window->logged("click:ok_btn"));
    EXPECT_EQ(edit->GetText(), "abcd");
}

TEST_F(EditField, ReturnEndsTheEditing)
{
    clickEdit();
    display().typeText("z");
    display().pressKey(platform::VK_RETURN);
    EXPECT_EQ(native(), platform::NoWindow);
    EXPECT_EQ(window->count("edit_return:name_edit"), 1u);
    EXPECT_EQ(edit->GetText(), "z");
}

TEST_F(EditField, AMaxcharOfThreeTakesThreeCharactersAndIgnoresTheFourth)
{
    edit->SetText("");
    edit->ApplyAttribute("maxchar", "3");
    clickEdit();
    display().typeText("wxyz");
    EXPECT_EQ(edit->GetText(), "wxy");
    EXPECT_EQ(window->count("textchanged:name_edit"), 3u);
}

TEST_F(EditField, TextCopiedFromTheEditPastesBackThroughTheClipboard)
{
    clickEdit();
    withControl('C');
    EXPECT_EQ(display().clipboardText(), "abc");
    display().pressKey(platform::VK_END);
    withControl('V');
    EXPECT_EQ(edit->GetText(), "abcabc");
}

TEST_F(EditField, TheTabKeyOpensTheNativeWindowToo)
{
    window->manager.SetFocus(button);
    display().keyDown(platform::VK_SHIFT);
    display().pressKey(platform::VK_TAB);
    display().keyUp(platform::VK_SHIFT);
    EXPECT_TRUE(edit->IsFocused());
    EXPECT_NE(native(), platform::NoWindow);
}

TEST_F(EditField, AReadOnlyOrDisabledEditNeverOpensTheNativeWindow)
{
    edit->SetReadOnly(true);
    clickEdit();
    EXPECT_EQ(native(), platform::NoWindow);
    edit->SetReadOnly(false);
    edit->SetEnabled(false);
    clickEdit();
    EXPECT_EQ(native(), platform::NoWindow);
}

TEST_F(EditField, ANativeBackgroundColourPaintsTheNativeWindowInTheEditsTextColour)
{
    edit->ApplyAttributeString("nativebkcolor=\"#FF203040\" textcolor=\"#FFFFFFFF\"");
    clickEdit();
    display().runUntilIdle();
    const platform::Surface* surface = windows().surface(native());
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->pixel(surface->width() - 2, 1), 0xFF203040u);
}

TEST_F(EditField, RemovingTheEditWhileItsWindowIsOpenClosesTheWindow)
{
    clickEdit();
    const platform::WindowHandle open = native();
    static_cast<CContainerUI*>(window->manager.GetRoot())->Remove(edit);
    display().runUntilIdle();
    EXPECT_FALSE(windows().isWindow(open));
    EXPECT_EQ(window->count("edit_return:name_edit"), 0u);
}
