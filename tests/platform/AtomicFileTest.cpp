#include "platform/files/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "TemporaryFolder.h"

namespace pelmo::platform {
namespace {

std::vector<std::uint8_t> bytes(std::initializer_list<std::uint8_t> list)
{
    return list;
}

std::size_t entriesIn(const std::string& folder)
{
    auto entries = std::filesystem::directory_iterator(folder);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

TEST(AtomicFile, ReplacesTheWholeFileAndKeepsItsPermissions)
{
    test::TemporaryFolder folder;
    const std::string path = folder.file("AllProfile");
    ASSERT_TRUE(writeFileAtomically(path, bytes({1, 2, 3, 4, 5})));
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(writeFileAtomically(path, bytes({9, 8})));
    EXPECT_EQ(readWholeFile(path), bytes({9, 8}));

    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(entriesIn(folder.path()), 1u); // no temporary file left behind

    ASSERT_TRUE(writeFileAtomically(path, {}, nullptr, Durability::Unsynced));
    EXPECT_EQ(readWholeFile(path), bytes({}));
}

TEST(AtomicFile, AFailedWriteLeavesTheOldFileAndNoDebris)
{
    test::TemporaryFolder folder;
    // A folder standing where the file should go: the final rename fails.
    const std::string blocked = folder.file("profile");
    std::filesystem::create_directory(blocked);
    std::filesystem::create_directory(blocked + "/inside");
    std::string error;
    EXPECT_FALSE(writeFileAtomically(blocked, bytes({1}), &error));
    EXPECT_NE(error.find(blocked), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(blocked + "/inside"));
    EXPECT_EQ(entriesIn(folder.path()), 1u);

    // A folder that does not exist: nothing can be created.
    EXPECT_FALSE(writeFileAtomically(folder.file("missing/AllProfile"), bytes({1}), &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

TEST(AtomicFile, ReadingStopsAtTheLimitAndReportsAMissingFile)
{
    test::TemporaryFolder folder;
    EXPECT_FALSE(readWholeFile(folder.file("absent")));
    std::vector<std::uint8_t> big(200000, 7);
    ASSERT_TRUE(writeFileAtomically(folder.file("big"), big));
    EXPECT_EQ(readWholeFile(folder.file("big"))->size(), big.size());
    EXPECT_EQ(readWholeFile(folder.file("big"), 1000)->size(), 1000u);
    EXPECT_EQ(readWholeFile("/dev/zero", 70000)->size(), 70000u);
}

} // namespace
} // namespace pelmo::platform
