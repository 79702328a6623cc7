#include <gtest/gtest.h>

#include "platform/graphics/TextLayout.h"
#include "tests/ui/LayoutTestSupport.h"
#include "ui/controls/CActiveXUI.h"
#include "ui/controls/CComboUI.h"
#include "ui/controls/CEditUI.h"
#include "ui/controls/CListHeaderUI.h"
#include "ui/controls/CListTextElementUI.h"
#include "ui/controls/CListUI.h"
#include "ui/controls/CRichEditUI.h"
#include "ui/controls/CScrollBarUI.h"

using namespace pelmo;
using namespace pelmo::ui;
using namespace pelmo::test;

namespace {

// Every element of the edit, combo, list and scroll bar families with their
// own attributes, under a default list for vertical scroll bars.
constexpr const char* layout = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="300,400">
  <Default name="VScrollBar" value="width=&quot;11&quot; showbutton1=&quot;false&quot;" />
  <VerticalLayout>
    <Combo name="mode_combo" height="24" textpadding="4,1,4,1" itemtextcolor="#FF102030"
           dropbox="bkcolor=&quot;#FFFFFFFF&quot; inset=&quot;1,1,1,1&quot;" dropboxsize="0,300">
      <ListLabelElement name="mode_off" text="Off" />
      <ListLabelElement name="mode_on" text="On" selected="true" />
    </Combo>
    <Edit name="count_edit" height="24" maxchar="3" password="true" nativebkcolor="#FF101010" />
    <List name="events_list" height="60" header="hidden" vscrollbar="true" itemselectedbkcolor="#FF00FF00"
          itemendellipsis="true" scrollselect="true">
      <ListLabelElement name="event0" text="Key down" />
      <ListContainerElement name="event1" height="20"><Label text="inside" /></ListContainerElement>
    </List>
    <List name="table_list" height="80">
      <ListHeader><ListHeaderItem name="key_head" text="Key" width="60" sepwidth="2" />
        <ListHeaderItem text="Value" width="80" dragable="false" /></ListHeader>
      <ListTextElement name="row0" text="Alt" />
    </List>
    <RichEdit name="notes" multiline="false" wanttab="false" readonly="true" />
    <ActiveX name="player" clsid="{D27CDB6E-AE6D-11CF-96B8-444553540000}" delaycreate="false" />
    <ScrollBar name="zoom_bar" hor="true" range="50" value="20" linesize="5" />
  </VerticalLayout>
</Window>)";

} // namespace

TEST(StandardControlsLayout, ElementsBuildTheirControlsWithTheirAttributes)
{
    HeadlessScreen screen;
    LayoutWindow window(300, 400, layout);
    screen.display->runUntilIdle();
    ASSERT_NE(window.built, nullptr) << window.builder.GetLastErrorMessage();

    auto* combo = window.find<CComboUI>("mode_combo");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCount(), 2);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(combo->GetText(), "On");
    EXPECT_EQ(combo->GetTextPadding(), (platform::Rect{4, 1, 4, 1}));
    EXPECT_EQ(combo->GetItemSettings().textColour, 0xFF102030u);
    EXPECT_EQ(combo->GetDropBoxAttributes(), R"(bkcolor="#FFFFFFFF" inset="1,1,1,1")");
    // The drop box size is set by code only.
    EXPECT_EQ(combo->GetDropBoxSize().cy, 150);

    auto* edit = window.find<CEditUI>("count_edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetMaxChar(), 3);
    EXPECT_TRUE(edit->IsPasswordMode());
    EXPECT_EQ(edit->GetNativeBackground(), 0xFF101010u);

    auto* events = window.find<CListUI>("events_list");
    ASSERT_NE(events, nullptr);
    EXPECT_FALSE(events->GetHeader()->IsVisible());
    EXPECT_EQ(events->GetCount(), 2);
    EXPECT_TRUE(events->IsScrollSelect());
    EXPECT_EQ(events->GetItemSettings().selectedBkColour, 0xFF00FF00u);
    EXPECT_TRUE(events->GetItemSettings().textStyle & platform::TextStyle::EndEllipsis);
    auto* bar = dynamic_cast<CScrollBarUI*>(events->GetVerticalScrollBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetFixedWidth(), 11);
    EXPECT_FALSE(bar->IsShowButton1());
    EXPECT_NE(window.find<CControlUI>("event1")->AsInterface("ListContainerElement"), nullptr);

    auto* table = window.find<CListUI>("table_list");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->GetHeader()->GetCount(), 2);
    EXPECT_EQ(table->GetCount(), 1);
    EXPECT_EQ(window.find<CListTextElementUI>("row0")->GetColumnText(0), "Alt");
    EXPECT_EQ(table->GetItemSettings().columnCount, 2);

    auto* notes = window.find<CRichEditUI>("notes");
    ASSERT_NE(notes, nullptr);
    EXPECT_FALSE(notes->IsMultiLine());
    EXPECT_FALSE(notes->IsWantTab());
    EXPECT_TRUE(notes->IsReadOnly());
    auto* player = window.find<CActiveXUI>("player");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->GetClassId(), "{D27CDB6E-AE6D-11CF-96B8-444553540000}");
    EXPECT_FALSE(player->IsDelayCreate());

    auto* zoom = window.find<CScrollBarUI>("zoom_bar");
    ASSERT_NE(zoom, nullptr);
    EXPECT_TRUE(zoom->IsHorizontal());
    EXPECT_EQ(zoom->GetScrollRange(), 50);
    EXPECT_EQ(zoom->GetScrollPos(), 20);
    EXPECT_EQ(zoom->GetLineSize(), 5);
}
