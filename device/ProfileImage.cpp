#include "device/ProfileImage.h"

#include <algorithm>
#include <cstring>

namespace pelmo::device {

namespace {

// The header ranges that travel: {record offset, image offset, length}.
struct HeaderRange {
    std::size_t recordOffset;
    std::size_t imageOffset;
    std::size_t length;
};
constexpr HeaderRange kHeaderRanges[] = {{0, 0, 4}, {4, 17, 10}, {14, 50, 20}};

std::uint8_t* bytesOf(DeviceProfile& record)
{
    return reinterpret_cast<std::uint8_t*>(&record);
}

} // namespace

bool encodeProfileImage(DeviceProfile& record, ProfileImage image)
{
    std::size_t totalEvents = 0;
    for (std::size_t k = 0; k < PELMO_BUTTON_ENTRIES; ++k) {
        if (record.buttons[k].kind != kMacroButtonKind)
            continue;
        const std::size_t count = record.macros[k].eventCount;
        if (count > PELMO_MAX_MACRO_EVENTS)
            return false;
        totalEvents += count;
    }
    if (totalEvents > kMaxEventsPerProfile)
        return false;

    std::fill(image.begin(), image.end(), std::uint8_t{0});

    std::size_t offset = kMacroAreaOffset;
    for (std::size_t k = 0; k < PELMO_BUTTON_ENTRIES; ++k) {
        DeviceButton& button = record.buttons[k];
        if (button.kind != kMacroButtonKind)
            continue;
        const DeviceMacro& macro = record.macros[k];
        button.macroAddress = static_cast<std::uint16_t>(offset - kMacroAddressBias);
        button.macroEventCount = macro.eventCount;
        for (std::size_t j = 0; j < macro.eventCount; ++j) {
            const DeviceMacroEvent& event = macro.events[j];
            std::uint8_t* line = image.data() + offset;
            line[0] = event.kind;
            line[1] = static_cast<std::uint8_t>(event.code);
            line[2] = static_cast<std::uint8_t>(event.code >> 8);
            line[3] = static_cast<std::uint8_t>(event.direction + 1);
            line[4] = static_cast<std::uint8_t>(event.delay);
            line[5] = static_cast<std::uint8_t>(event.delay >> 8);
            line[6] = static_cast<std::uint8_t>(event.delay >> 16);
            offset += kMacroLineSize;
        }
        offset += kMacroLineSize; // the all-zero end line
    }

    const std::uint8_t* source = bytesOf(record);
    for (const HeaderRange& range : kHeaderRanges)
        std::memcpy(image.data() + range.imageOffset, source + range.recordOffset, range.length);
    for (std::size_t k = 0; k < PELMO_BUTTON_ENTRIES; ++k)
        std::memcpy(image.data() + kButtonEntryOffset + kButtonEntrySize * k, &record.buttons[k], kButtonEntrySize);
    return true;
}

void decodeProfileImage(ConstProfileImage image, DeviceProfile& record)
{
    std::uint8_t* target = bytesOf(record);
    for (const HeaderRange& range : kHeaderRanges)
        std::memcpy(target + range.recordOffset, image.data() + range.imageOffset, range.length);
    for (std::size_t k = 0; k < PELMO_BUTTON_ENTRIES; ++k)
        std::memcpy(&record.buttons[k], image.data() + kButtonEntryOffset + kButtonEntrySize * k, kButtonEntrySize);

    for (std::size_t k = 0; k < PELMO_BUTTON_ENTRIES; ++k) {
        const DeviceButton& button = record.buttons[k];
        if (button.kind != kMacroButtonKind)
            continue;
        // The entry's count and address come from the mouse. Keep only the
        // events that exist both in the slot and inside the image.
        const std::size_t start = std::size_t{button.macroAddress} + kMacroAddressBias;
        const std::size_t linesInImage = start < kProfileImageSize ? (kProfileImageSize - start) / kMacroLineSize : 0;
        const std::size_t count = std::min({std::size_t{button.macroEventCount},
                                            std::size_t{PELMO_MAX_MACRO_EVENTS}, linesInImage});

        DeviceMacro& macro = record.macros[k];
        macro.eventCount = static_cast<std::uint16_t>(count);
        for (std::size_t j = 0; j < count; ++j) {
            const std::uint8_t* line = image.data() + start + kMacroLineSize * j;
            DeviceMacroEvent& event = macro.events[j];
            // Code and delay come back in the opposite byte order from the
            // one they were written in, and the direction keeps the wire's +1;
            // the program undoes both.
            event.kind = line[0];
            event.code = static_cast<std::uint16_t>(line[1] << 8 | line[2]);
            event.direction = line[3];
            event.delay = std::uint32_t{line[4]} << 16 | std::uint32_t{line[5]} << 8 | line[6];
        }
    }
}

} // namespace pelmo::device
