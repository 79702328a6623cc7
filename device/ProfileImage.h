#pragma once

#include <cstdint>
#include <span>

#include "device/Reports.h"
#include "pelmo_api.h"

namespace pelmo::device {

// The 2,048-byte on-board profile image and its conversion to and from the
// DeviceProfile record. Header and button bytes are moved unchanged; only
// the macro data is restructured.
//
// Image layout:
//   0-3      record bytes 0-3 (number, enabled, reserved)
//   17-26    record bytes 4-13 (image size, reserved, report rate, power saving, reserved)
//   50-69    record bytes 14-33 (reserved, DPI tables, angle snapping, lift-off)
//   80-170   13 button entries of 7 bytes
//   800-2047 the macro area: for each macro entry in order, its events as
//            7-byte lines followed by one all-zero line
using ProfileImage = std::span<std::uint8_t, kProfileImageSize>;
using ConstProfileImage = std::span<const std::uint8_t, kProfileImageSize>;

inline constexpr std::size_t kMacroAreaOffset = 800;
inline constexpr std::size_t kMacroLineSize = 7;
inline constexpr std::size_t kButtonEntryOffset = 80;
inline constexpr std::size_t kButtonEntrySize = 7;
// Macro addresses on the mouse point 20 bytes before the first event line.
inline constexpr std::size_t kMacroAddressBias = 20;
// The macro area holds 178 lines: 164 events and one end line for each of 13 macros.
inline constexpr std::size_t kMaxEventsPerProfile = 164;
inline constexpr std::uint8_t kMacroButtonKind = 3;

// Builds the image of `record` into `image` (which it zeroes first) and
// writes each macro entry's address and event count back into `record`.
// Refuses, leaving both untouched, when the macros hold more than 164 events
// together or a slot claims more than the 128 events it has room for.
bool encodeProfileImage(DeviceProfile& record, ProfileImage image);

// Fills the header fields, all button entries and the macro slots of macro
// entries from `image`; leaves every other byte of `record` as it was. The
// image comes from the mouse and is not trusted: a macro entry's events are
// cut to the 128 the slot holds and to the complete lines inside the image.
void decodeProfileImage(ConstProfileImage image, DeviceProfile& record);

} // namespace pelmo::device
