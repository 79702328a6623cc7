#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/platform/TemporaryFolder.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/resources/ResourceReader.h"
#include "ui/resources/UIResources.h"

namespace pelmo::ui {
namespace {

std::string text(const ResourceBytes& read)
{
    return std::string(read.bytes.begin(), read.bytes.end());
}

std::string readError(std::string_view name, std::string_view type = {},
                      std::size_t limit = ResourceReader::layoutLimit)
{
    return std::string(ResourceReader::errorText(ResourceReader::read(name, type, limit).error));
}

class ResourceReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UIResources::Reset();
        UIResources::SetSkinFolder(folder.path());
    }
    void TearDown() override { UIResources::Reset(); }

    void writeFile(const std::string& name, const std::string& bytes)
    {
        std::ofstream(folder.file(name), std::ios::binary) << bytes;
    }

    test::TemporaryFolder folder;
};

TEST_F(ResourceReaderTest, ReadsFilesFromTheSkinFolderWithWindowsSeparatorsTurnedRound)
{
    std::filesystem::create_directory(folder.file("menu"));
    writeFile("menu/Item.xml", "<Window/>");
    EXPECT_EQ(text(ResourceReader::read("menu\\Item.xml", {}, ResourceReader::layoutLimit)), "<Window/>");
}

TEST_F(ResourceReaderTest, LayoutFileFailuresCarryTheirMessages)
{
    writeFile("Empty.xml", "");
    writeFile("Big.xml", std::string(ResourceReader::layoutLimit + 1, ' '));
    writeFile("Exact.xml", std::string(ResourceReader::layoutLimit, ' '));
    std::filesystem::create_directory(folder.file("Folder.xml"));

    EXPECT_EQ(readError("Missing.xml"), "Error opening file");
    EXPECT_EQ(readError("Folder.xml"), "Error opening file");
    EXPECT_EQ(readError("Empty.xml"), "File is empty");
    EXPECT_EQ(readError("Big.xml"), "File too large");
    EXPECT_EQ(readError("Exact.xml"), "");
}

TEST_F(ResourceReaderTest, ModuleResourcesAreFoundByIdAndTypeIgnoringCase)
{
    static const std::uint8_t layout[] = {'<', 'W', '/', '>'};
    ResourceModule program("/opt/pelmo/PelmoMice", {{133, "XML", layout}, {134, "XML", {}}});
    UIResources::SetProgramModule(&program);

    EXPECT_EQ(text(ResourceReader::read("133", "xml", ResourceReader::layoutLimit)), "<W/>");
    EXPECT_EQ(readError("133", "PNG"), "Error opening file");
    EXPECT_EQ(readError("Main", "xml"), "Error opening file");
    EXPECT_EQ(readError("999999999999", "xml"), "Error opening file");
    EXPECT_EQ(readError("134", "xml"), "File is empty");
    EXPECT_EQ(readError("133", "xml", 3), "File too large");
}

TEST_F(ResourceReaderTest, ArchiveItemsAreExtractedByNameIgnoringCase)
{
    std::filesystem::copy_file(test::uiFixture("skin.zip"), folder.file("skin.zip"));
    UIResources::SetSkinArchive("skin.zip");

    EXPECT_EQ(text(ResourceReader::read("stored.TXT", {}, 100)), "stored bytes");
    auto deflated = ResourceReader::read("images\\deflated.txt", {}, 1000);
    ASSERT_TRUE(deflated);
    EXPECT_EQ(deflated.bytes.size(), 450u);
    EXPECT_EQ(readError("Missing.txt"), "Could not find ziped file");
    EXPECT_EQ(readError("Empty.txt"), "File is empty");
    EXPECT_EQ(readError("images/Deflated.txt", {}, 100), "File too large");
}

TEST_F(ResourceReaderTest, DamagedOrMissingArchivesFail)
{
    std::filesystem::copy_file(test::uiFixture("damaged_item.zip"), folder.file("damaged.zip"));
    writeFile("notzip.zip", "this is not an archive at all, just text");

    UIResources::SetSkinArchive("damaged.zip");
    EXPECT_EQ(readError("Broken.txt"), "Could not unzip file");
    UIResources::SetSkinArchive("notzip.zip");
    EXPECT_EQ(readError("Broken.txt"), "Error opening file");
    UIResources::SetSkinArchive("absent.zip");
    EXPECT_EQ(readError("Broken.txt"), "Error opening file");
}

} // namespace
} // namespace pelmo::ui
