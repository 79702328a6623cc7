#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/settings/SettingsStore.h"
#include "pelmo_api.h"
#include "platform/session/PointerSettings.h"

namespace pelmo::app {

using DeviceProfiles = std::array<DeviceProfile, kProfileCount>;

// A stored level 1..10 as an index of the level tables: 9 above 10, 0 below 1.
int clampLevel(std::int32_t level);

// The conversions between the program's profiles and macros and the records
// pelmo_api exchanges with the mouse. Values go to the mouse clamped or
// defaulted, whatever the store holds; values come back as the pages show
// them.

// Fills `device` (zeroing it first) from the five profiles of `store`, and
// settles which profile is active: `activeProfile` outside 1..5 becomes 1,
// and a disabled active profile gives way to the first enabled one. Returns
// the active profile's number (1..5).
int profilesToDevice(SettingsStore& store, DeviceProfiles& device);

// Rebuilds the five profiles, and the macros their buttons play, from what
// was read from the mouse. `activeProfileNumber` is the mouse's current
// profile (1..5, 0 when unknown); `pointer` holds the session's pointer
// settings, which every profile takes. Version texts and compaction are the
// caller's.
void profilesFromDevice(SettingsStore& store, DeviceProfiles& device, int activeProfileNumber,
                        const platform::PointerValues& pointer);

// Closes the gaps in the macro library after a read: macros move down to the
// lowest slots, the buttons that play them follow, and `macroCount` becomes
// the number of macros kept.
void compactMacros(SettingsStore& store);

// Seconds text ("4.205") as whole milliseconds, read exactly in decimal;
// digits past the thousandths are dropped. None when the text is not a
// number; values beyond what the mouse keeps (24 bits) are capped there.
std::optional<std::uint32_t> delayMilliseconds(std::string_view secondsText);

} // namespace pelmo::app
