// The conversion of all five profiles between the program's records and the
// records the mouse exchanges, both ways.

#include <benchmark/benchmark.h>

#include <memory>

#include "app/settings/ProfileConversion.h"
#include "app/settings/StoreDefaults.h"
#include "app/settings/StoredText.h"

namespace {

using namespace pelmo;

class NoMouse final : public app::IFirmwareSource {
public:
    std::uint16_t readFirmwareVersion() override { return 0; }
};

// Default profiles whose every button plays a full macro of keys and delays.
std::unique_ptr<app::SettingsStore> busyStore()
{
    auto store = app::SettingsStore::create();
    NoMouse mouse;
    app::restoreDefaults(*store, mouse);
    for (std::size_t m = 0; m < 11; ++m) {
        app::MacroRecord& macro = store->macros[m];
        macro.eventCount = 256;
        for (std::size_t i = 0; i < 256; ++i) {
            app::storeFieldText(macro.events[i].kind, i % 2 ? "t" : "k");
            app::storeFieldText(macro.events[i].text, i % 2 ? "0.015" : " A ");
            app::storeFieldText(macro.events[i].action, i % 4 ? "up" : "down");
        }
    }
    for (app::AppProfile& profile : store->profiles)
        for (std::size_t b = 0; b < 11; ++b) {
            profile.buttonFunction[b] = 15;
            profile.buttonParam[b] = static_cast<std::int32_t>(b + 1);
        }
    return store;
}

void BM_ProfilesToDevice(benchmark::State& state)
{
    auto store = busyStore();
    auto device = std::make_unique<app::DeviceProfiles>();
    for (auto _ : state) {
        app::profilesToDevice(*store, *device);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ProfilesToDevice)->Unit(benchmark::kMicrosecond);

void BM_ProfilesFromDevice(benchmark::State& state)
{
    auto store = busyStore();
    auto device = std::make_unique<app::DeviceProfiles>();
    app::profilesToDevice(*store, *device);
    const platform::PointerValues pointer;
    for (auto _ : state) {
        app::profilesFromDevice(*store, *device, 1, pointer);
        app::compactMacros(*store);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ProfilesFromDevice)->Unit(benchmark::kMicrosecond);

} // namespace
