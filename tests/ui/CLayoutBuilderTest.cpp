#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "TestLayoutResources.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/TextLayout.h"
#include "ui/painter/UIPaintResources.h"
#include "tests/platform/TemporaryFolder.h"
#include "tests/ui/LayoutTestSupport.h"
#include "ui/builder/CLayoutBuilder.h"
#include "ui/builder/ControlFactory.h"
#include "ui/builder/IDialogBuilderCallback.h"
#include "ui/controls/CButtonUI.h"
#include "ui/controls/CLabelUI.h"
#include "ui/controls/COptionUI.h"
#include "ui/core/CContainerUI.h"
#include "ui/resources/ResourceModule.h"
#include "ui/resources/UIResources.h"

using namespace pelmo;
using namespace pelmo::ui;
using namespace pelmo::test;
using platform::Rect;
using platform::TextStyle;

namespace {

struct CLayoutBuilderTest : ::testing::Test {
    CLayoutBuilderTest() { UIResources::Reset(); }
    ~CLayoutBuilderTest() override { UIResources::Reset(); }

    // Builds without a manager; the test owns the result.
    std::unique_ptr<CControlUI> build(const std::string& layout, IDialogBuilderCallback* callback = nullptr)
    {
        return std::unique_ptr<CControlUI>(builder.Create(layout, {}, callback));
    }
    static CContainerUI* container(CControlUI* control) { return dynamic_cast<CContainerUI*>(control); }

    HeadlessScreen screen;
    CLayoutBuilder builder;
};

// Remembers the names it was asked for; makes a container holding a label of
// its own for "PelmoPanel".
class RecordingCallback : public IDialogBuilderCallback {
public:
    CControlUI* CreateCustomControl(std::string_view name) override
    {
        asked.emplace_back(name);
        if (name != "PelmoPanel")
            return nullptr;
        auto* panel = new CContainerUI;
        auto* own = new CLabelUI;
        own->SetName("own_label");
        panel->Add(own);
        return panel;
    }
    std::vector<std::string> asked;
};

} // namespace

TEST_F(CLayoutBuilderTest, IncludedFilesAreBuiltCountTimesIntoTheIncludingContainer)
{
    TemporaryFolder skin;
    std::ofstream(skin.file("row.xml")) << R"(<Window><Button text="row" /></Window>)";
    UIResources::SetSkinFolder(skin.path());
    struct Case {
        const char* include;
        int rows;
    } cases[] = {
        {R"(<Include source="row.xml" count="3" />)", 3},
        {R"(<Include source="row.xml" />)", 1},
        {R"(<Include source="row.xml" count="0" />)", 0},
        {R"(<Include source="missing.xml" count="2" />)", 0},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.include);
        auto list = build(std::string(R"(<Window><VerticalLayout><Label />)") + each.include + "<Label /></VerticalLayout></Window>");
        ASSERT_NE(container(list.get()), nullptr);
        ASSERT_EQ(container(list.get())->GetCount(), each.rows + 2);
        for (int row = 1; row <= each.rows; ++row) {
            auto* button = dynamic_cast<CButtonUI*>(container(list.get())->GetItemAt(row));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->GetText(), "row");
        }
    }
}

TEST_F(CLayoutBuilderTest, EmbeddedLayoutIsBuiltByIdWithItsResourceIncludesAndWindowAttributes)
{
    ResourceModule program("/opt/pelmo/PelmoMice", embedded::TestLayoutResources());
    UIResources::SetProgramModule(&program);
    // The program asks for type "xml"; the resources are stored as "XML".
    LayoutWindow window(100, 100, [](CLayoutBuilder& layoutBuilder, CUIManager& manager) {
        return layoutBuilder.Create(133, "xml", nullptr, &manager);
    });
    ASSERT_NE(window.built, nullptr) << window.builder.GetLastErrorMessage();
    EXPECT_EQ(window.built->GetName(), "root");
    EXPECT_EQ(screen.windows->clientRect(window.GetHWND()), (Rect{0, 0, 320, 200}));
    EXPECT_EQ(window.manager.GetCaptionRect(), (Rect{0, 0, 0, 30}));

    auto* row = window.find<CContainerUI>("mode_row");
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->GetCount(), 2);
    EXPECT_EQ(dynamic_cast<COptionUI*>(row->GetItemAt(1))->GetGroup(), "mode");
    const std::vector<CControlUI*>* group = window.manager.OptionGroupMembers("mode");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->size(), 2u);
    ASSERT_NE(window.find<CButtonUI>("ok_btn"), nullptr);
    EXPECT_EQ(window.find<CButtonUI>("ok_btn")->GetFixedHeight(), 24);

    CLayoutBuilder missing;
    EXPECT_EQ(missing.Create(135, "xml"), nullptr);
    EXPECT_EQ(missing.GetLastErrorMessage(), "Error opening file");
    EXPECT_EQ(missing.Create(133, "bitmap"), nullptr);
}

TEST_F(CLayoutBuilderTest, DefaultsComeBeforeTheElementsOwnAttributesAndTheFirstDefaultOfANameWins)
{
    const std::string layout = R"(<Window>
        <Default name="Label" value="text=&quot;from default&quot; width=&quot;40&quot; height=&quot;10&quot;" />
        <Default name="Label" value="width=&quot;99&quot; text=&quot;second default&quot;" />
        <VerticalLayout>
          <Default name="Button" value="text=&quot;not at the top&quot;" />
          <Label name="plain_label" />
          <Label name="own_label" height="30" text="own" />
          <Button name="plain_btn" />
        </VerticalLayout>
      </Window>)";
    LayoutWindow window(200, 100, layout);
    auto* plain = window.find<CLabelUI>("plain_label");
    auto* own = window.find<CLabelUI>("own_label");
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(plain->GetText(), "from default");
    EXPECT_EQ(plain->GetFixedWidth(), 40);
    EXPECT_EQ(plain->GetFixedHeight(), 10);
    EXPECT_EQ(own->GetText(), "own");
    EXPECT_EQ(own->GetFixedWidth(), 40);
    EXPECT_EQ(own->GetFixedHeight(), 30);
    // A Default below the root's level is no registration.
    EXPECT_EQ(window.find<CButtonUI>("plain_btn")->GetText(), "");

    // Without a manager nothing is registered and no default applies.
    auto bare = build(layout);
    ASSERT_NE(container(bare.get()), nullptr);
    EXPECT_EQ(container(bare.get())->GetItemAt(0)->GetText(), "");
}

TEST_F(CLayoutBuilderTest, UnknownElementsAreSkippedWithTheirSubtreeAndCustomNamesGoToTheCallback)
{
    RecordingCallback callback;
    LayoutWindow window(200, 200, R"(<Window><VerticalLayout name="root">
        <Mystery><Button name="hidden_btn" /></Mystery>
        <PelmoPanel name="panel"><Button name="inner_btn" /></PelmoPanel>
        <button name="lower_btn" />
        <Button name="last_btn" />
      </VerticalLayout></Window>)",
                        &callback);
    EXPECT_EQ(callback.asked, (std::vector<std::string>{"Mystery", "PelmoPanel", "button"}));
    ASSERT_NE(window.built, nullptr);
    EXPECT_EQ(container(window.built)->GetCount(), 2);
    EXPECT_EQ(window.manager.LookupControl("hidden_btn"), nullptr);
    EXPECT_EQ(window.manager.LookupControl("lower_btn"), nullptr);
    ASSERT_NE(window.find<CButtonUI>("last_btn"), nullptr);
    // A custom control's children follow what it made of itself.
    auto* panel = window.find<CContainerUI>("panel");
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->GetCount(), 2);
    EXPECT_EQ(panel->GetItemAt(0)->GetName(), "own_label");
    EXPECT_EQ(panel->GetItemAt(1)->GetName(), "inner_btn");
}

TEST_F(CLayoutBuilderTest, PosTakesItsSizeOnlyWhenTheSizeIsNotNegativeInEitherOrderOfAttributes)
{
    struct Case {
        const char* attributes;
        Rect placed;
    } cases[] = {
        {R"(pos="120,47,0,0" width="178" height="19")", Rect{120, 47, 298, 66}},
        {R"(width="178" height="19" pos="120,47,0,0")", Rect{120, 47, 298, 66}},
        {R"(pos="10,20,40,60")", Rect{10, 20, 40, 60}},
        {R"(pos="10,20,40,60" width="5")", Rect{10, 20, 15, 60}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.attributes);
        LayoutWindow window(400, 200, std::string(R"(<Window><Container><Label name="placed_label" float="true" )") +
                                          each.attributes + " /></Container></Window>");
        screen.display->runUntilIdle();
        ASSERT_NE(window.find<CLabelUI>("placed_label"), nullptr);
        EXPECT_EQ(window.find<CLabelUI>("placed_label")->GetPos(), each.placed);
    }
}

TEST_F(CLayoutBuilderTest, FontsGoToTheWindowsListInOrderAndWithoutSizeAreTwelvePixels)
{
    LayoutWindow window(100, 100, R"(<Window>
        <Font name="DejaVu Sans" />
        <Font name="DejaVu Serif" size="20" bold="true" italic="true" default="true" />
        <Font size="30" />
        <Label />
      </Window>)");
    const platform::FontDescription& first = window.manager.GetFont(0).description();
    EXPECT_EQ(first.face, "DejaVu Sans");
    EXPECT_EQ(first.height, 12);
    EXPECT_FALSE(first.bold);
    const platform::FontDescription& second = window.manager.GetFont(1).description();
    EXPECT_EQ(second.height, 20);
    EXPECT_TRUE(second.bold);
    EXPECT_TRUE(second.italic);
    EXPECT_EQ(window.manager.DefaultFontDescription(), second);
    // A Font without a name is ignored.
    EXPECT_EQ(window.manager.PaintResources().FontCount(), 2u);
}

TEST_F(CLayoutBuilderTest, ColoursAreReadAsAlphaRedGreenBlueWithOrWithoutPrefix)
{
    struct Case {
        const char* value;
        std::uint32_t colour;
    } cases[] = {
        {"#FF3C3C3C", 0xFF3C3C3Cu}, {"0xFF3C3C3C", 0xFF3C3C3Cu}, {"FF3C3C3C", 0xFF3C3C3Cu},
        {"#00FFFFFF", 0x00FFFFFFu}, {"#nonsense", 0u},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.value);
        auto control = build(std::string(R"(<Window><Label bkcolor=")") + each.value + R"(" textcolor=")" +
                             each.value + R"(" /></Window>)");
        auto* label = dynamic_cast<CLabelUI*>(control.get());
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->GetBkColor(), each.colour);
        EXPECT_EQ(label->GetTextColor(), each.colour);
    }
}

TEST_F(CLayoutBuilderTest, AlignmentWordsSetTheTextStyleWhereverTheyStand)
{
    struct Case {
        const char* align;
        unsigned style;
    } cases[] = {
        {"left", TextStyle::VCenter},
        {"center", TextStyle::Center | TextStyle::VCenter},
        {"centerwrap", TextStyle::Center | TextStyle::VCenter},
        {"right", TextStyle::Right | TextStyle::VCenter},
        {"top", 0},
        {"bottom", TextStyle::Bottom},
        {"right top", TextStyle::Right},
        {"bottom right", TextStyle::Right | TextStyle::Bottom},
        {"center bottom", TextStyle::Center | TextStyle::Bottom},
        {"middle", TextStyle::VCenter},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.align);
        auto control = build(std::string(R"(<Window><Label align=")") + each.align + R"(" /></Window>)");
        ASSERT_NE(dynamic_cast<CLabelUI*>(control.get()), nullptr);
        EXPECT_EQ(dynamic_cast<CLabelUI*>(control.get())->GetTextStyle(), each.style);
    }
    auto button = build(R"(<Window><Button align="left" endellipsis="true" /></Window>)");
    EXPECT_EQ(dynamic_cast<CButtonUI*>(button.get())->GetTextStyle(),
              TextStyle::VCenter | TextStyle::SingleLine | TextStyle::EndEllipsis);
}

TEST_F(CLayoutBuilderTest, WindowAttributesGoToTheManagerOnlyFromARootNamedWindow)
{
    LayoutWindow window(100, 100, R"(<Window size="300,150" sizebox="4,4,6,6" caption="0,0,0,28" roundcorner="5,5"
        mininfo="120,60" maxinfo="600,400" alpha="200" defaultfontcolor="#FF112233" disabledfontcolor="#FF445566"
        linkfontcolor="#FF0000AA" linkhoverfontcolor="#FFAA0000" selectedcolor="#FF00AA00"><Control /></Window>)");
    EXPECT_EQ(screen.windows->clientRect(window.GetHWND()), (Rect{0, 0, 300, 150}));
    EXPECT_EQ(window.manager.GetSizeBox(), (Rect{4, 4, 6, 6}));
    EXPECT_EQ(window.manager.GetRoundCorner(), (UISize{5, 5}));
    EXPECT_EQ(window.manager.GetMinInfo(), (UISize{120, 60}));
    EXPECT_EQ(window.manager.GetMaxInfo(), (UISize{600, 400}));
    EXPECT_EQ(window.manager.GetTransparent(), 200);
    const UIPaintResources& colours = window.manager.PaintResources();
    EXPECT_EQ(colours.textColour, 0xFF112233u);
    EXPECT_EQ(colours.disabledTextColour, 0xFF445566u);
    EXPECT_EQ(colours.linkColour, 0xFF0000AAu);
    EXPECT_EQ(colours.linkHoverColour, 0xFFAA0000u);
    EXPECT_EQ(colours.selectedBackgroundColour, 0xFF00AA00u);

    LayoutWindow page(100, 100, R"(<Page size="300,150" caption="0,0,0,28"><Control /></Page>)");
    ASSERT_NE(page.built, nullptr);
    EXPECT_EQ(screen.windows->clientRect(page.GetHWND()), (Rect{0, 0, 100, 100}));
    EXPECT_EQ(page.manager.GetCaptionRect(), (Rect{}));
}

TEST_F(CLayoutBuilderTest, StretchedControlsOfADialogLayoutFollowItsGrowth)
{
    LayoutWindow window(200, 100, R"(<Window><DialogLayout>
        <Control name="grow" pos="10,10,50,30" stretch="size_x move_y" />
        <Control name="fixed" pos="60,10,80,30" />
      </DialogLayout></Window>)");
    screen.display->runUntilIdle();
    EXPECT_EQ(window.manager.LookupControl("grow")->GetPos(), (Rect{10, 10, 50, 30}));
    screen.windows->setWindowPos(window.GetHWND(), platform::ZOrder::Keep, 0, 0, 300, 200,
                                 platform::SWP_NOMOVE | platform::SWP_NOZORDER);
    screen.display->runUntilIdle();
    EXPECT_EQ(window.manager.LookupControl("grow")->GetPos(), (Rect{10, 110, 150, 130}));
    EXPECT_EQ(window.manager.LookupControl("fixed")->GetPos(), (Rect{60, 10, 80, 30}));
}

TEST_F(CLayoutBuilderTest, FailuresReturnNoneWithTheReadersOrTheBuildersMessage)
{
    struct Case {
        std::string layout;
        std::string message;
    } cases[] = {
        {R"(<Window><Button text='single' /></Window>)", "Expected attribute value"},
        {"<Window><Label><Button /></Label></Window>", "Parent is not a container"},
        {"layout-that-does-not-exist.xml", "Error opening file"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.layout);
        EXPECT_EQ(builder.Create(each.layout), nullptr);
        EXPECT_EQ(builder.GetLastErrorMessage(), each.message);
    }
    // A good build clears the message, and the loaded text builds again.
    auto first = build("<Window><Button name=\"again_btn\" /></Window>");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(builder.GetLastErrorMessage(), "");
    std::unique_ptr<CControlUI> second(builder.Create());
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second.get(), first.get());
    EXPECT_EQ(second->GetName(), "again_btn");
}

TEST_F(CLayoutBuilderTest, DeepOrRunawayLayoutsFailWithAClearMessageInsteadOfExhaustingTheStack)
{
    auto nested = [](int depth) {
        std::string text = "<Window>";
        for (int i = 0; i < depth; ++i)
            text += "<Container>";
        for (int i = 0; i < depth; ++i)
            text += "</Container>";
        return text + "</Window>";
    };
    EXPECT_NE(build(nested(CLayoutBuilder::maxControlDepth)), nullptr);
    EXPECT_EQ(build(nested(100000)), nullptr);
    EXPECT_EQ(builder.GetLastErrorMessage(), CLayoutBuilder::controlsTooDeep);

    auto bytes = [](const char* text) {
        return std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text), std::strlen(text));
    };
    ResourceModule program("/opt/pelmo/PelmoMice",
                           {{7, "XML", bytes(R"(<Window><Include source="7" /></Window>)")},
                            {8, "XML", bytes(R"(<Window><Include source="9" count="70000" /></Window>)")},
                            {9, "XML", bytes("<Window><Control /></Window>")}});
    UIResources::SetProgramModule(&program);
    EXPECT_EQ(builder.Create(7, "xml"), nullptr);
    EXPECT_EQ(builder.GetLastErrorMessage(), CLayoutBuilder::includesTooDeep);
    EXPECT_EQ(builder.Create(8, "xml"), nullptr);
    EXPECT_EQ(builder.GetLastErrorMessage(), CLayoutBuilder::tooManyControls);
}

TEST_F(CLayoutBuilderTest, EveryFrameworkElementNameCreatesItsOwnClass)
{
    for (const ControlFactory::Entry& entry : ControlFactory::Entries()) {
        SCOPED_TRACE(entry.elementName);
        std::unique_ptr<CControlUI> control(ControlFactory::Create(entry.elementName));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->GetClass(), std::string(entry.elementName) + "UI");
        EXPECT_NE(control->AsInterface(entry.elementName), nullptr);
    }
    EXPECT_EQ(ControlFactory::Create("button"), nullptr);
    EXPECT_EQ(ControlFactory::Create("Window"), nullptr);
}

TEST_F(CLayoutBuilderTest, AControlFocusedByAnAttributeWhileBuildingIsNotLeftAsTheWindowsFocus)
{
    LayoutWindow window(100, 100, R"(<Window><Control name="root_control" /></Window>)");
    std::unique_ptr<CControlUI> tabs(window.builder.Create(
        R"(<Window><TabLayout selectedid="1"><Control /><Control name="second_page" /></TabLayout></Window>)", {},
        nullptr, &window.manager));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(window.manager.GetFocus(), nullptr);
    tabs.reset();
    // With a dangling focus this would reach the destroyed page.
    window.find<CControlUI>("root_control")->SetFocus();
    EXPECT_EQ(window.manager.GetFocus(), window.find<CControlUI>("root_control"));
}
