#include <gtest/gtest.h>

#include "platform/window/TooltipWindow.h"
#include "tests/ui/WindowTestSupport.h"

using namespace pelmo;
using namespace pelmo::platform;
using namespace pelmo::ui;
using pelmo::test::HeadlessScreen;

namespace {

// A popup that deletes itself when its native window is gone, as the
// program's popups do.
class SelfDeletingPopup : public CWindowWnd {
public:
    explicit SelfDeletingPopup(bool* finalised) : finalised_(finalised) {}

protected:
    std::string WindowClassName() const override { return "PopupWnd"; }
    void FinalMessage(WindowHandle) override
    {
        *finalised_ = true;
        delete this;
    }

private:
    bool* finalised_;
};

// A window class superclassing the layer's tooltip class: it sees every
// message first and leaves the rest to the tooltip's own procedure.
class TipWnd : public CWindowWnd {
public:
    int seen = 0;

protected:
    std::string WindowClassName() const override { return "TipWnd"; }
    std::string SuperclassName() const override { return TOOLTIPS_CLASS; }
    LResult HandleWindowMessage(unsigned message, WParam wParam, LParam lParam) override
    {
        ++seen;
        return CWindowWnd::HandleWindowMessage(message, wParam, lParam);
    }
};

class PlainWnd : public CWindowWnd {
protected:
    std::string WindowClassName() const override { return "PlainWnd"; }
};

} // namespace

TEST(CWindowWnd, CloseDestroysTheWindowAndFinalMessageRunsAfterwards)
{
    HeadlessScreen screen;
    bool finalised = false;
    auto* popup = new SelfDeletingPopup(&finalised);
    const WindowHandle window = popup->Create(NoWindow, "", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, 50, 50);
    ASSERT_NE(window, NoWindow);
    popup->Close();
    EXPECT_TRUE(screen.windows->isWindow(window));  // the close is posted
    screen.display->runUntilIdle();
    EXPECT_FALSE(screen.windows->isWindow(window));
    EXPECT_TRUE(finalised);
}

TEST(CWindowWnd, ClassIsRegisteredOnceAndSuperclassingKeepsTheBaseProcedure)
{
    HeadlessScreen screen;
    PlainWnd first;
    PlainWnd second;
    EXPECT_NE(first.Create(NoWindow, "a", WS_POPUP, 0), NoWindow);
    EXPECT_NE(second.Create(NoWindow, "b", WS_POPUP, 0), NoWindow);

    TipWnd tip;
    const WindowHandle window = tip.Create(NoWindow, "", WS_POPUP, 0);
    ASSERT_NE(window, NoWindow);
    EXPECT_GT(tip.seen, 0);
    // The tooltip's procedure still answers its own messages.
    EXPECT_EQ(tip.SendMessage(TTM_GETDELAYTIME, TTDT_INITIAL), static_cast<LResult>(TooltipWindow::initialDelayMs));
    EXPECT_EQ(screen.windows->userData(window) != 0, true);  // the tooltip's state, not the object
}

TEST(CWindowWnd, CentreOnOwnerCentresAndKeepsTheWindowInsideTheWorkArea)
{
    HeadlessScreen screen;
    PlainWnd owner;
    owner.Create(NoWindow, "", WS_POPUP | WS_VISIBLE, 0, 100, 100, 400, 300);
    struct Case {
        Rect ownerRect;
        Rect expected;
    } cases[] = {
        {Rect{100, 100, 500, 400}, Rect{250, 200, 350, 300}},
        {Rect{-300, 1000, 100, 1300}, Rect{0, 980, 100, 1080}},
    };
    for (const Case& c : cases) {
        screen.windows->moveWindow(owner.GetHWND(), c.ownerRect);
        PlainWnd popup;
        popup.Create(owner.GetHWND(), "", WS_POPUP, 0, 0, 0, 100, 100);
        popup.CentreOnOwner();
        EXPECT_EQ(screen.windows->windowRect(popup.GetHWND()), c.expected);
    }
    PlainWnd lonely;
    lonely.Create(NoWindow, "", WS_POPUP, 0, 0, 0, 120, 80);
    lonely.CentreOnOwner();
    EXPECT_EQ(screen.windows->windowRect(lonely.GetHWND()), (Rect{900, 500, 1020, 580}));
}
