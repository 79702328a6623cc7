#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "app/macros/MacroRecord.h"
#include "app/settings/AppProfile.h"

namespace pelmo::app {

inline constexpr std::size_t kProfileCount = 5;
inline constexpr std::size_t kMacroSlots = 20;
// The program fills only the first fifteen macro slots; the other five stay
// zero and travel with the rest.
inline constexpr std::size_t kMacrosInUseLimit = 15;

// The program's whole lasting state: 2,056,231 bytes, packed, little-endian.
// Its byte image is the profile/AllProfile file, and the range from
// `macroCount` to the end of `macros` is the image of a macro file.
// Allocated once, zero-filled, and addressed through one reference by every
// part of the program; fields are accessed directly.
#pragma pack(push, 1)
struct SettingsStore {
    std::int32_t activeProfile; // 1..5
    AppProfile profiles[kProfileCount];
    std::int32_t macroCount;    // macros in use, slots 0..macroCount-1; files may hold any value
    MacroRecord macros[kMacroSlots];
    std::uint8_t lightsOn;      // 1 lit, 0 dark
    char appVersion[256];       // "V2.30"
    char firmwareVersion[256];  // "V%d.%2.2d" of the firmware version last read

    // The one allocation of the store, all zero.
    static std::unique_ptr<SettingsStore> create();
};
#pragma pack(pop)
static_assert(std::endian::native == std::endian::little, "records are stored as little-endian memory images");
static_assert(sizeof(SettingsStore) == 2056231);
static_assert(offsetof(SettingsStore, activeProfile) == 0);
static_assert(offsetof(SettingsStore, profiles) == 4);
static_assert(offsetof(SettingsStore, macroCount) == 2434);
static_assert(offsetof(SettingsStore, macros) == 2438);
static_assert(offsetof(SettingsStore, lightsOn) == 2055718);
static_assert(offsetof(SettingsStore, appVersion) == 2055719);
static_assert(offsetof(SettingsStore, firmwareVersion) == 2055975);

// A macro file: the macro count followed by the twenty macro records, the
// same bytes as in the store.
inline constexpr std::size_t kMacroFileSize = 4 + kMacroSlots * sizeof(MacroRecord);
static_assert(kMacroFileSize == 2053284);
static_assert(offsetof(SettingsStore, macros) + kMacroSlots * sizeof(MacroRecord) ==
              offsetof(SettingsStore, lightsOn));

// The store's bytes as a file holds them.
std::span<std::uint8_t, sizeof(SettingsStore)> storeBytes(SettingsStore& store);
std::span<const std::uint8_t, sizeof(SettingsStore)> storeBytes(const SettingsStore& store);
std::span<std::uint8_t, kMacroFileSize> macroFileBytes(SettingsStore& store);
std::span<const std::uint8_t, kMacroFileSize> macroFileBytes(const SettingsStore& store);
std::span<std::uint8_t, sizeof(AppProfile)> profileBytes(AppProfile& profile);
std::span<const std::uint8_t, sizeof(AppProfile)> profileBytes(const AppProfile& profile);

// How every file of the program is loaded into its record: the record is
// zeroed, then takes the file's bytes from its start. A shorter file leaves
// the rest zero; a longer one is cut.
void loadFileImage(std::span<std::uint8_t> record, std::span<const std::uint8_t> bytes);

} // namespace pelmo::app
