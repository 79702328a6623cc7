#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/settings/IFirmwareSource.h"
#include "app/settings/SettingsStore.h"

namespace pelmo::app {

// The program's version as stored in `appVersion`.
inline constexpr std::string_view kAppVersionText = "V2.30";

// "V%d.%2.2d" of version / 100 and version % 100: 123 gives "V1.23".
std::string firmwareVersionText(std::uint16_t version);

// The factory settings: all five profiles reset to their defaults, profile 1
// active, lighting on, both version texts renewed. The macros and the macro
// count are kept.
void restoreDefaults(SettingsStore& store, IFirmwareSource& firmware);

} // namespace pelmo::app
