#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/settings/SettingsStore.h"

namespace pelmo::tools {

// What a settings file holds, told by its extension: .zrp one profile, .zrm
// the macros, anything else the whole store (an AllProfile file).
enum class SettingsKind { Store, Profile, Macros };
SettingsKind settingsKindOfPath(const std::string& path);

// The readable JSON form of the program's settings files, for users who edit
// and version them. Every field of the records appears with its value, so
// that importing an export gives back the file byte for byte; only bytes the
// program never reads (past a count, after a text's end, reserved) come back
// as zero. Texts are strings when they are UTF-8, else {"hex": "..."}.
//
// `store` holds the file as the program loaded it; for a profile file its
// record is profile 0.
nlohmann::ordered_json exportSettings(const app::SettingsStore& store, SettingsKind kind);

// The reverse: fills `store` (which must be all zero) from `json`. Returns
// the kind found, or nothing with one line per bad field in `errors`.
std::optional<SettingsKind> importSettings(const nlohmann::json& json, app::SettingsStore& store,
                                           std::vector<std::string>& errors);

} // namespace pelmo::tools
