#include "platform/hid/ReportDescriptor.h"

#include <array>
#include <cstddef>

namespace pelmo::platform {

namespace {

// Item types and tags of the short item prefix (HID 1.11, 6.2.2.2 and the
// main, global and local item tables of 6.2.2.4 to 6.2.2.8).
constexpr std::uint8_t kTypeMain = 0;
constexpr std::uint8_t kTypeGlobal = 1;
constexpr std::uint8_t kTypeLocal = 2;

constexpr std::uint8_t kMainCollection = 0xA;
constexpr std::uint8_t kMainEndCollection = 0xC;
constexpr std::uint8_t kGlobalUsagePage = 0x0;
constexpr std::uint8_t kGlobalPush = 0xA;
constexpr std::uint8_t kGlobalPop = 0xB;
constexpr std::uint8_t kLocalUsage = 0x0;

constexpr std::uint8_t kLongItemPrefix = 0xFE;

// The kernel refuses descriptors that push more than four global states;
// real descriptors rarely push at all. A few more slots cost nothing and let
// an odd but harmless descriptor through.
constexpr std::size_t kGlobalStackDepth = 16;

// Short item data is little-endian and unsigned for the items read here.
std::uint32_t littleEndian(std::span<const std::uint8_t> data)
{
    std::uint32_t value = 0;
    for (std::size_t i = data.size(); i > 0; --i)
        value = (value << 8) | data[i - 1];
    return value;
}

} // namespace

std::vector<HidUsage> topLevelCollections(std::span<const std::uint8_t> descriptor)
{
    std::vector<HidUsage> collections;

    std::uint16_t usagePage = 0;
    std::array<std::uint16_t, kGlobalStackDepth> pushedPages{};
    std::size_t pushed = 0;
    // Pushes beyond the stack are counted so that their pops stay paired
    // with them instead of unwinding states they never saved.
    std::size_t pushesDropped = 0;

    // The first Usage of the current local item set. A 4-byte usage names
    // its own page; a shorter one takes the Usage Page in force when the
    // main item that consumes it is reached, as globals apply there.
    bool haveUsage = false;
    std::uint16_t usageId = 0;
    bool haveOwnPage = false;
    std::uint16_t usageOwnPage = 0;

    std::size_t depth = 0;
    std::size_t at = 0;
    const std::size_t end = descriptor.size();

    while (at < end) {
        const std::uint8_t prefix = descriptor[at];

        // Long items (6.2.2.3): prefix, data size, tag, then the data. No
        // long item tags are defined, so they are stepped over unread.
        if (prefix == kLongItemPrefix) {
            if (end - at < 3)
                break;
            const std::size_t dataSize = descriptor[at + 1];
            if (end - at - 3 < dataSize)
                break;
            at += 3 + dataSize;
            continue;
        }

        static constexpr std::array<std::size_t, 4> kDataSizes{0, 1, 2, 4};
        const std::size_t dataSize = kDataSizes[prefix & 0x3];
        const std::uint8_t type = (prefix >> 2) & 0x3;
        const std::uint8_t tag = (prefix >> 4) & 0xF;
        if (end - at - 1 < dataSize)
            break;
        const std::uint32_t value = littleEndian(descriptor.subspan(at + 1, dataSize));
        at += 1 + dataSize;

        if (type == kTypeMain) {
            if (tag == kMainCollection) {
                if (depth == 0) {
                    HidUsage usage;
                    usage.page = haveOwnPage ? usageOwnPage : usagePage;
                    usage.usage = usageId;
                    collections.push_back(usage);
                }
                ++depth;
            } else if (tag == kMainEndCollection && depth > 0) {
                --depth;
            }
            haveUsage = haveOwnPage = false;
            usageId = usageOwnPage = 0;
        } else if (type == kTypeGlobal) {
            if (tag == kGlobalUsagePage) {
                usagePage = static_cast<std::uint16_t>(value);
            } else if (tag == kGlobalPush) {
                if (pushed < pushedPages.size())
                    pushedPages[pushed++] = usagePage;
                else
                    ++pushesDropped;
            } else if (tag == kGlobalPop) {
                if (pushesDropped > 0)
                    --pushesDropped;
                else if (pushed > 0)
                    usagePage = pushedPages[--pushed];
            }
        } else if (type == kTypeLocal) {
            if (tag == kLocalUsage && !haveUsage) {
                haveUsage = true;
                usageId = static_cast<std::uint16_t>(value);
                if (dataSize == 4) {
                    haveOwnPage = true;
                    usageOwnPage = static_cast<std::uint16_t>(value >> 16);
                }
            }
        }
    }
    return collections;
}

} // namespace pelmo::platform
