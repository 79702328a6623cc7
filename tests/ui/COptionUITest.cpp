#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/LayoutTestSupport.h"
#include "ui/controls/COptionUI.h"

using namespace pelmo;
using namespace pelmo::ui;
using namespace pelmo::test;

namespace {

// Three options of the group "mode" (the first selected by its layout) and a
// check box without a group, stacked 20 pixels apart from the top.
struct COptionUITest : ::testing::Test {
    COptionUITest()
    {
        window = std::make_unique<LayoutWindow>(200, 200, R"(<Window><VerticalLayout>
            <Option name="first_option" group="mode" height="20" selected="true" />
            <Option name="second_option" group="mode" height="20" />
            <Option name="third_option" group="mode" height="20" />
            <Option name="check_option" height="20" />
            <Control />
          </VerticalLayout></Window>)");
        display().runUntilIdle();
        for (const char* name : {"first_option", "second_option", "third_option", "check_option"})
            options.push_back(window->find<COptionUI>(name));
        window->notifications.clear();
    }
    platform::HeadlessDisplay& display() { return *screen.display; }
    bool selected(int index) const { return options[static_cast<std::size_t>(index)]->IsSelected(); }

    HeadlessScreen screen;
    std::unique_ptr<LayoutWindow> window;
    std::vector<COptionUI*> options;
};

} // namespace

TEST_F(COptionUITest, ClickingTheSelectedOptionOfAGroupSendsClickButNoSelectchanged)
{
    ASSERT_EQ(window->manager.OptionGroupMembers("mode")->size(), 3u);
    display().click(50, 10);
    EXPECT_EQ(window->count("click", "first_option"), 1u);
    EXPECT_EQ(window->count("selectchanged"), 0u);
    EXPECT_TRUE(selected(0));
}

TEST_F(COptionUITest, SelectingAnotherOptionOfTheGroupDeselectsTheRestSilently)
{
    display().click(50, 30);
    EXPECT_TRUE(selected(1));
    EXPECT_FALSE(selected(0));
    EXPECT_EQ(window->count("click", "second_option"), 1u);
    EXPECT_EQ(window->count("selectchanged", "second_option"), 1u);
    EXPECT_EQ(window->count("selectchanged"), 1u);
    // The click goes out before the change.
    EXPECT_EQ(window->notifications.back().type, "selectchanged");

    window->notifications.clear();
    options[2]->Select(true, false);
    EXPECT_TRUE(selected(2));
    EXPECT_FALSE(selected(1));
    EXPECT_TRUE(window->notifications.empty());
    options[2]->Select(false);
    EXPECT_FALSE(selected(2));
    EXPECT_TRUE(window->notifications.empty());
}

TEST_F(COptionUITest, AnOptionWithoutAGroupTogglesAndReportsBothChanges)
{
    display().click(50, 70);
    EXPECT_TRUE(selected(3));
    display().click(50, 70);
    EXPECT_FALSE(selected(3));
    EXPECT_EQ(window->count("click", "check_option"), 2u);
    EXPECT_EQ(window->count("selectchanged", "check_option"), 2u);
    EXPECT_TRUE(selected(0));
}

TEST_F(COptionUITest, ChangingTheGroupMovesTheOptionAndADestroyedOptionLeavesIt)
{
    options[2]->SetGroup("other");
    EXPECT_EQ(window->manager.OptionGroupMembers("mode")->size(), 2u);
    ASSERT_NE(window->manager.OptionGroupMembers("other"), nullptr);
    options[2]->Select(true);
    EXPECT_TRUE(selected(0));
    auto* root = dynamic_cast<CContainerUI*>(window->manager.GetRoot());
    root->SetDelayedDestroy(false);
    root->Remove(options[2]);
    EXPECT_EQ(window->manager.OptionGroupMembers("other"), nullptr);
}
