#include "app/settings/SettingsStore.h"

#include <algorithm>

namespace pelmo::app {

std::unique_ptr<SettingsStore> SettingsStore::create()
{
    // Value-initialisation zero-fills the whole block.
    return std::unique_ptr<SettingsStore>(new SettingsStore());
}

std::span<std::uint8_t, sizeof(SettingsStore)> storeBytes(SettingsStore& store)
{
    return std::span<std::uint8_t, sizeof(SettingsStore)>(reinterpret_cast<std::uint8_t*>(&store),
                                                            sizeof(SettingsStore));
}

std::span<const std::uint8_t, sizeof(SettingsStore)> storeBytes(const SettingsStore& store)
{
    return std::span<const std::uint8_t, sizeof(SettingsStore)>(reinterpret_cast<const std::uint8_t*>(&store),
                                                                  sizeof(SettingsStore));
}

std::span<std::uint8_t, kMacroFileSize> macroFileBytes(SettingsStore& store)
{
    return storeBytes(store).subspan<offsetof(SettingsStore, macroCount), kMacroFileSize>();
}

std::span<const std::uint8_t, kMacroFileSize> macroFileBytes(const SettingsStore& store)
{
    return storeBytes(store).subspan<offsetof(SettingsStore, macroCount), kMacroFileSize>();
}

std::span<std::uint8_t, sizeof(AppProfile)> profileBytes(AppProfile& profile)
{
    return std::span<std::uint8_t, sizeof(AppProfile)>(reinterpret_cast<std::uint8_t*>(&profile),
                                                         sizeof(AppProfile));
}

std::span<const std::uint8_t, sizeof(AppProfile)> profileBytes(const AppProfile& profile)
{
    return std::span<const std::uint8_t, sizeof(AppProfile)>(reinterpret_cast<const std::uint8_t*>(&profile),
                                                               sizeof(AppProfile));
}

void loadFileImage(std::span<std::uint8_t> record, std::span<const std::uint8_t> bytes)
{
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    std::copy_n(bytes.begin(), std::min(bytes.size(), record.size()), record.begin());
}

} // namespace pelmo::app
