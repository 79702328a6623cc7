#include <gtest/gtest.h>

#include "tests/ui/WindowTestSupport.h"
#include "ui/core/CContainerUI.h"
#include "ui/layout/CDialogLayoutUI.h"
#include "ui/layout/CHorizontalLayoutUI.h"
#include "ui/layout/CTabLayoutUI.h"
#include "ui/layout/CTileLayoutUI.h"
#include "ui/layout/CVerticalLayoutUI.h"

using namespace pelmo;
using namespace pelmo::ui;
using platform::Rect;

namespace {

CControlUI* floating(const char* pos, int width, int height)
{
    auto* control = new CControlUI;
    control->ApplyAttribute("float", "true");
    control->ApplyAttribute("pos", pos);
    control->ApplyAttribute("width", std::to_string(width));
    control->ApplyAttribute("height", std::to_string(height));
    return control;
}

} // namespace

TEST(ContainerLayout, FloatingControlIsPlacedByItsOffsetFromTheNearEdgeOrTheFarEdge)
{
    struct Case {
        const char* pos;
        Rect expected;
    } cases[] = {
        {"10,20,0,0", Rect{110, 120, 140, 160}},
        // A negative left takes the right as the offset: from the far edge.
        {"-40,20,-10,60", Rect{360, 120, 390, 160}},
        {"10,-60,40,-20", Rect{110, 340, 140, 380}},
    };
    for (const Case& c : cases) {
        CContainerUI container;
        CControlUI* child = floating(c.pos, 30, 40);
        container.Add(child);
        container.SetPos(Rect{100, 100, 400, 400});
        EXPECT_EQ(child->GetPos(), c.expected) << c.pos;
        // Laid out again, it stays where it is.
        container.SetPos(Rect{100, 100, 400, 400});
        EXPECT_EQ(child->GetPos(), c.expected) << c.pos;
    }
}

TEST(ContainerLayout, PosWithZeroExtentsKeepsTheSizeWhicheverOrderTheAttributesCome)
{
    CControlUI first;
    first.ApplyAttribute("pos", "120,47,0,0");
    first.ApplyAttribute("width", "178");
    first.ApplyAttribute("height", "19");
    CControlUI second;
    second.ApplyAttribute("width", "178");
    second.ApplyAttribute("height", "19");
    second.ApplyAttribute("pos", "120,47,0,0");
    for (CControlUI* control : {&first, &second}) {
        EXPECT_EQ(control->GetFixedXY(), (UISize{120, 47}));
        EXPECT_EQ(control->GetFixedWidth(), 178);
        EXPECT_EQ(control->GetFixedHeight(), 19);
    }
}

TEST(ContainerLayout, RelativeFloatingControlFollowsTheGrowthOfItsParentWithoutAddingItUp)
{
    CContainerUI container;
    CControlUI* child = floating("10,10,0,0", 20, 20);
    child->ApplyAttribute("relativepos", "100,50,50,0");
    container.Add(child);
    container.SetPos(Rect{0, 0, 100, 100});
    EXPECT_EQ(child->GetPos(), (Rect{10, 10, 30, 30}));
    container.SetPos(Rect{0, 0, 200, 120});
    // Moved by all of the 100 pixels of width and half the 20 of height,
    // widened by half the width's growth.
    EXPECT_EQ(child->GetPos(), (Rect{110, 20, 180, 40}));
    container.SetPos(Rect{0, 0, 200, 120});
    EXPECT_EQ(child->GetPos(), (Rect{110, 20, 180, 40}));
}

TEST(ContainerLayout, VerticalLayoutGivesAdjustableChildrenWhatTheFixedOnesLeave)
{
    CVerticalLayoutUI layout;
    layout.SetChildGap(5);
    CControlUI* adjustable = new CControlUI;
    CControlUI* fixed = new CControlUI;
    fixed->SetFixedHeight(30);
    layout.Add(adjustable);
    layout.Add(fixed);
    layout.SetPos(Rect{0, 0, 100, 100});
    EXPECT_EQ(adjustable->GetPos(), (Rect{0, 0, 100, 65}));
    EXPECT_EQ(fixed->GetPos(), (Rect{0, 70, 100, 100}));
}

TEST(ContainerLayout, LayoutsShareRemainingSpaceAndHonourPaddingInsetAndLimits)
{
    // Horizontal: three adjustable children of 100 pixels with an inset of
    // 5 all round; the last takes the remainder, the middle one its maximum.
    CHorizontalLayoutUI row;
    row.SetInset(Rect{5, 5, 5, 5});
    CControlUI* a = new CControlUI;
    CControlUI* b = new CControlUI;
    CControlUI* c = new CControlUI;
    b->SetMaxWidth(20);
    c->SetPadding(Rect{2, 3, 0, 0});
    row.Add(a);
    row.Add(b);
    row.Add(c);
    row.SetPos(Rect{0, 0, 110, 50});
    EXPECT_EQ(a->GetPos(), (Rect{5, 5, 37, 45}));
    EXPECT_EQ(b->GetPos(), (Rect{37, 5, 57, 45}));
    EXPECT_EQ(c->GetPos(), (Rect{59, 8, 105, 45}));

    // A hidden or floating child takes no share.
    CVerticalLayoutUI column;
    CControlUI* shown = new CControlUI;
    CControlUI* hidden = new CControlUI;
    hidden->SetVisible(false);
    column.Add(shown);
    column.Add(hidden);
    column.Add(floating("0,0,0,0", 5, 5));
    column.SetPos(Rect{0, 0, 10, 80});
    EXPECT_EQ(shown->GetPos(), (Rect{0, 0, 10, 80}));
}

TEST(ContainerLayout, TileAndDialogLayoutsPlaceTheirChildren)
{
    CTileLayoutUI tiles;
    tiles.SetColumns(3);
    std::vector<CControlUI*> cells;
    for (int i = 0; i < 4; ++i) {
        cells.push_back(new CControlUI);
        cells.back()->SetFixedHeight(10);
        tiles.Add(cells.back());
    }
    tiles.SetPos(Rect{0, 0, 90, 100});
    EXPECT_EQ(cells[2]->GetPos(), (Rect{60, 0, 90, 10}));
    EXPECT_EQ(cells[3]->GetPos(), (Rect{0, 10, 30, 20}));

    CDialogLayoutUI dialog;
    CControlUI* stretched = new CControlUI;
    stretched->ApplyAttribute("pos", "10,10,50,30");
    dialog.Add(stretched);
    dialog.SetStretchMode(stretched, UISTRETCH_MOVE_Y | UISTRETCH_SIZE_X);
    dialog.SetPos(Rect{0, 0, 100, 100});
    EXPECT_EQ(stretched->GetPos(), (Rect{10, 10, 50, 30}));
    dialog.SetPos(Rect{0, 0, 150, 120});
    EXPECT_EQ(stretched->GetPos(), (Rect{10, 30, 100, 50}));
}

TEST(ContainerLayout, TabLayoutShowsOnePageAndKeepsItsIndexThroughRemovals)
{
    CTabLayoutUI tabs;
    CControlUI* pages[3] = {new CControlUI, new CControlUI, new CControlUI};
    for (CControlUI* page : pages)
        tabs.Add(page);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_TRUE(pages[0]->IsVisible());
    EXPECT_FALSE(pages[1]->IsVisible());
    tabs.SetPos(Rect{0, 0, 50, 50});
    EXPECT_EQ(pages[0]->GetPos(), (Rect{0, 0, 50, 50}));

    EXPECT_TRUE(tabs.SelectItem(2));
    EXPECT_FALSE(pages[0]->IsVisible());
    tabs.SetAutoDestroy(true);
    tabs.SetDelayedDestroy(false);
    EXPECT_TRUE(tabs.RemoveAt(0));  // before the current page: the index follows it
    EXPECT_EQ(tabs.GetCurSel(), 1);
    EXPECT_TRUE(tabs.RemoveAt(1));  // the current page: the first page shows
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_TRUE(tabs.GetItemAt(0)->IsVisible());
    tabs.RemoveAll();
    EXPECT_EQ(tabs.GetCurSel(), -1);
    EXPECT_FALSE(tabs.SelectItem(0));
}

TEST(ContainerLayout, HitTestFindsTheTopmostChildAndRespectsMouseAndInsetRules)
{
    CContainerUI container;
    container.SetInset(Rect{10, 10, 10, 10});
    CControlUI* below = new CControlUI;
    CControlUI* above = floating("0,0,0,0", 20, 20);
    container.Add(below);
    container.Add(above);
    container.SetPos(Rect{0, 0, 100, 100});
    auto hit = [&](int x, int y) {
        platform::Point point{x, y};
        return container.LookupControl([](CControlUI* c, void*) { return c; }, &point,
                                       UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_HITTEST | UIFIND_TOP_FIRST);
    };
    EXPECT_EQ(hit(5, 5), above);       // floating: counts in the inset
    EXPECT_EQ(hit(50, 50), below);
    EXPECT_EQ(hit(95, 95), &container);  // inset area, nothing floats there
    above->SetMouseEnabled(false);
    EXPECT_EQ(hit(15, 15), below);
    below->SetEnabled(false);
    EXPECT_EQ(hit(50, 50), &container);
    container.SetChildrenGetMouse(false);
    EXPECT_EQ(hit(5, 5), &container);
    EXPECT_EQ(hit(150, 5), nullptr);
}
