#include <gtest/gtest.h>

#include "ui/resources/UIResources.h"

namespace pelmo::ui {
namespace {

class UIResourcesTest : public ::testing::Test {
protected:
    void TearDown() override { UIResources::Reset(); }
};

TEST_F(UIResourcesTest, SkinFolderGetsOneTrailingSeparator)
{
    struct Case {
        const char* given;
        const char* stored;
    };
    const Case cases[] = {
        {"/opt/pelmo/PelmoSkin", "/opt/pelmo/PelmoSkin/"},
        {"/opt/pelmo/PelmoSkin/", "/opt/pelmo/PelmoSkin/"},
        {"C:\\Pelmo\\PelmoSkin\\", "C:\\Pelmo\\PelmoSkin\\"},
        {"", ""},
    };
    for (const Case& c : cases) {
        UIResources::SetSkinFolder(c.given);
        EXPECT_EQ(UIResources::GetSkinFolder(), c.stored) << c.given;
    }
}

TEST_F(UIResourcesTest, ModuleFolderIsTheProgramFilesFolder)
{
    EXPECT_EQ(UIResources::GetModuleFolder(), "");
    ResourceModule program("/opt/pelmo/PelmoMice", {});
    UIResources::SetProgramModule(&program);
    EXPECT_EQ(UIResources::GetModuleFolder(), "/opt/pelmo/");
}

TEST_F(UIResourcesTest, LayoutModuleFallsBackToTheProgramModule)
{
    ResourceModule program("/opt/pelmo/PelmoMice", {});
    ResourceModule layouts("/opt/pelmo/layouts.so", {});
    UIResources::SetProgramModule(&program);
    EXPECT_EQ(UIResources::GetLayoutModule(), &program);
    UIResources::SetLayoutModule(&layouts);
    EXPECT_EQ(UIResources::GetLayoutModule(), &layouts);
}

} // namespace
} // namespace pelmo::ui
