#include "platform/hid/ReportDescriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace pelmo::platform {
namespace {

constexpr std::uint16_t kGenericDesktop = 0x01;
constexpr std::uint16_t kConsumer = 0x0C;

std::vector<std::uint8_t> loadDescriptor(const std::string& name)
{
    std::ifstream file(std::string(PELMO_FIXTURES) + "/hidraw/descriptors/" + name, std::ios::binary);
    EXPECT_TRUE(file) << "missing fixture " << name;
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct DescriptorCase {
    const char* fixture;
    std::vector<HidUsage> expected;
};

void expectCollections(const std::vector<DescriptorCase>& cases)
{
    for (const auto& row : cases) {
        SCOPED_TRACE(row.fixture);
        EXPECT_EQ(topLevelCollections(loadDescriptor(row.fixture)), row.expected);
    }
}

TEST(ReportDescriptorTest, ListsEveryTopLevelCollectionInOrderWithItsUsage)
{
    expectCollections({
        // The Pointer collection nested in the Mouse collection is not top level.
        {"mouse_with_vendor_collection.bin", {{kGenericDesktop, 0x02}, {0xFF01, 0x02}}},
        {"long_item_before_collection.bin", {{kGenericDesktop, 0x02}}},
        {"extended_usage.bin", {{0xFF00, 0x01}, {kGenericDesktop, 0x02}}},
        {"push_pop_usage_page.bin", {{0xFF00, 0x01}, {kGenericDesktop, 0x02}, {kGenericDesktop, 0x06}}},
        {"usages_around_main_items.bin", {{kGenericDesktop, 0x06}}},
        // Listed with usage 0 so that the number of collections stays true.
        {"collection_without_usage.bin", {{kConsumer, 0x00}}},
    });
}

TEST(ReportDescriptorTest, MalformedDescriptorsYieldTheCollectionsOpenedBeforeTheFault)
{
    expectCollections({
        {"empty_descriptor.bin", {}},
        {"truncated_descriptor.bin", {{kGenericDesktop, 0x02}}},
        {"truncated_long_item.bin", {{kGenericDesktop, 0x02}}},
        {"unbalanced_end_collection.bin", {{kGenericDesktop, 0x02}, {kGenericDesktop, 0x06}}},
    });
}

TEST(ReportDescriptorTest, EveryCutOfADescriptorYieldsALeadingPartOfItsCollections)
{
    for (const char* fixture : {"mouse_with_vendor_collection.bin", "long_item_before_collection.bin",
                                "extended_usage.bin", "push_pop_usage_page.bin"}) {
        const auto whole = loadDescriptor(fixture);
        const auto all = topLevelCollections(whole);
        for (std::size_t length = 0; length <= whole.size(); ++length) {
            SCOPED_TRACE(std::string(fixture) + " cut at " + std::to_string(length));
            // A copy of exactly `length` bytes, so a read past the cut lands
            // outside the allocation where a sanitizer build reports it.
            const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            const auto found = topLevelCollections(cut);
            ASSERT_LE(found.size(), all.size());
            EXPECT_TRUE(std::equal(found.begin(), found.end(), all.begin()));
        }
    }
}

TEST(ReportDescriptorTest, ArbitraryBytesNeverCrashTheParser)
{
    // Bytes drawn mostly from item prefixes that matter here (long items,
    // 4-byte data, Collection, End Collection, Push, Pop) so that the walk
    // reaches deep nesting, stack overflow and cuts inside items.
    const std::uint8_t interesting[] = {0xFE, 0xFF, 0x0B, 0xA1, 0xA3, 0xC0, 0xA4, 0xB4, 0x07, 0x09, 0x00};
    std::mt19937 random(20240611);
    for (int round = 0; round < 5000; ++round) {
        std::vector<std::uint8_t> bytes(random() % 96);
        for (auto& byte : bytes) {
            byte = random() % 2 ? interesting[random() % sizeof interesting] : static_cast<std::uint8_t>(random());
        }
        const auto found = topLevelCollections(bytes);
        ASSERT_LE(found.size(), bytes.size());
    }
}

} // namespace
} // namespace pelmo::platform
