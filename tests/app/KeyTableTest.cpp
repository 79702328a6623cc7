#include "app/keys/KeyTable.h"

#include <gtest/gtest.h>

#include <set>

#include "app/settings/StoredText.h"

namespace pelmo::app {
namespace {

TEST(KeyTable, HoldsTheHundredAndFourKeysThenOneEmptyRow)
{
    const KeyEntry& last = KeyTable[kKeyCount];
    EXPECT_EQ(last.vk, 0);
    EXPECT_EQ(last.usage, 0);
    EXPECT_EQ(fieldText(last.name), "");

    std::set<std::uint16_t> codes;
    for (std::size_t row = 0; row < kKeyCount; ++row) {
        SCOPED_TRACE(row);
        std::string_view name = fieldText(KeyTable[row].name);
        ASSERT_GE(name.size(), 3u);
        EXPECT_EQ(name.front(), ' ');
        EXPECT_EQ(name.back(), ' ');
        EXPECT_LT(KeyTable[row].vk, 0x100);
        EXPECT_NE(KeyTable[row].vk, 0);
        codes.insert(KeyTable[row].vk);
    }
    EXPECT_EQ(codes.size(), kKeyCount) << "a virtual-key code appears twice";
    EXPECT_EQ(keyName(0), " BackSpace ");
    EXPECT_EQ(keyName(103), " , ");
}

struct Lookup {
    const char* what;
    std::optional<KeyIndex> found;
    std::optional<KeyIndex> expected;
};

TEST(KeyTable, LookupsFindTheFirstMatchingRowOrNothing)
{
    const Lookup lookups[] = {
        {"vk 0x10 (Shift)", findKeyByVirtualKey(0x10), 3},
        {"vk 0xA0 (left Shift as a specific code)", findKeyByVirtualKey(0xA0), std::nullopt},
        {"vk 0 (the empty row only ends the scan)", findKeyByVirtualKey(0), std::nullopt},
        {"vk 0x6C (keypad separator)", findKeyByVirtualKey(0x6C), 75},
        {"vk 0xDC (backslash)", findKeyByVirtualKey(0xDC), 96},
        {"vk 0x7C (F13)", findKeyByVirtualKey(0x7C), std::nullopt},
        {"a stored code whose low bits are Shift's", findKeyByVirtualKey(0x10010), std::nullopt},
        {"a negative stored code", findKeyByVirtualKey(-0xFFF0), std::nullopt},
        {"usage 0xE1 (left Shift)", findKeyByUsage(0xE1), 3},
        {"usage 0xE5 (right Shift)", findKeyByUsage(0xE5), std::nullopt},
        {"usage 0x58 (the separator row)", findKeyByUsage(0x58), 75},
        {"usage 0", findKeyByUsage(0), std::nullopt},
        {"name \" A \"", findKeyByName(" A "), 34},
        {"name \"A\" without its spaces", findKeyByName("A"), std::nullopt},
        {"name \" a \" in another case", findKeyByName(" a "), std::nullopt},
        {"name of row 75 with its two spaces", findKeyByName(" Num_  "), 75},
        {"empty name", findKeyByName(""), std::nullopt},
    };
    for (const Lookup& lookup : lookups)
        EXPECT_EQ(lookup.found, lookup.expected) << lookup.what;
    EXPECT_EQ(keyName(75), " Num_  ");
}

TEST(KeyTable, AButtonLabelFramesTheNameAsItStands)
{
    EXPECT_EQ(keyButtonLabel(34), "  A  Key ");
    EXPECT_EQ(keyButtonLabel(96), "  \\  Key ");
    EXPECT_EQ(keyName(NoKey), "");
    EXPECT_EQ(keyName(kKeyCount), "") << "the empty row is not a key";
}

} // namespace
} // namespace pelmo::app
