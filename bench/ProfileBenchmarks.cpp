// How long the library takes to turn profiles into images and back, and how
// much a whole read or write of the mouse costs beyond the pauses the
// firmware needs.

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <memory>

#include "device/DeviceContext.h"
#include "device/ProfileImage.h"
#include "pelmo_api.h"
#include "platform/hid/EmulatedHidBackend.h"

namespace {

using namespace pelmo;

// A profile as full as the mouse allows: 164 macro events over 13 entries.
std::unique_ptr<DeviceProfile> fullProfile()
{
    auto profile = std::make_unique<DeviceProfile>();
    profile->enabled = 1;
    profile->imageSize = 2048;
    int remaining = 164;
    for (int k = 0; k < PELMO_BUTTON_ENTRIES; ++k) {
        const int events = std::min(remaining, k == 0 ? 128 : 3);
        remaining -= events;
        profile->buttons[k].kind = 3;
        profile->macros[k].eventCount = static_cast<std::uint16_t>(events);
        for (int j = 0; j < events; ++j)
            profile->macros[k].events[j] = {1, 0, static_cast<std::uint16_t>(4 + j), 0, {}, 100u * static_cast<unsigned>(j)};
    }
    return profile;
}

void BM_EncodeProfileImage(benchmark::State& state)
{
    auto profile = fullProfile();
    std::array<std::uint8_t, 2048> image;
    for (auto _ : state) {
        benchmark::DoNotOptimize(device::encodeProfileImage(*profile, image));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EncodeProfileImage);

void BM_DecodeProfileImage(benchmark::State& state)
{
    auto profile = fullProfile();
    std::array<std::uint8_t, 2048> image;
    device::encodeProfileImage(*profile, image);
    auto decoded = std::make_unique<DeviceProfile>();
    for (auto _ : state) {
        device::decodeProfileImage(image, *decoded);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DecodeProfileImage);

// All five profiles through the library against the emulated mouse. With the
// virtual clock the time measured is everything but the firmware's pauses;
// with the real clock it is what a user waits, and the counter
// overhead_ms_per_profile is that time less the pauses.
template <bool Write, bool RealClock>
void BM_AllProfiles(benchmark::State& state)
{
    auto clock = RealClock ? std::unique_ptr<platform::Clock>(std::make_unique<platform::RealClock>())
                           : std::unique_ptr<platform::Clock>(std::make_unique<platform::VirtualClock>());
    device::replaceHidContext(std::make_unique<platform::HidContext>(
        std::make_unique<platform::EmulatedHidBackend>(), std::move(clock)));
    std::array<std::unique_ptr<DeviceProfile>, 5> profiles;
    for (std::uint8_t p = 0; p < 5; ++p) {
        profiles[p] = fullProfile();
        profiles[p]->profileNumber = p;
    }
    const double pausesMs = 5 * (Write ? 2 * 60 : 2 * 100);

    double elapsedMs = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        Open_ZR_device();
        for (int p = 0; p < 5; ++p) {
            ApiResult result = Write ? Write_profile(p, profiles[p].get()) : Read_profile(p, profiles[p].get());
            if (result != ApiResult::Ok)
                state.SkipWithError("the emulated mouse refused a transfer");
        }
        Close_ZR_device();
        elapsedMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    const double perRun = elapsedMs / static_cast<double>(state.iterations());
    state.counters["pauses_ms"] = RealClock ? pausesMs : 0;
    state.counters["overhead_ms_per_profile"] = ((RealClock ? perRun - pausesMs : perRun)) / 5;
    device::replaceHidContext(nullptr);
}
BENCHMARK(BM_AllProfiles<false, false>)->Name("BM_ReadAllProfiles/virtual_clock");
BENCHMARK(BM_AllProfiles<true, false>)->Name("BM_WriteAllProfiles/virtual_clock");
BENCHMARK(BM_AllProfiles<false, true>)->Name("BM_ReadAllProfiles/real_clock")->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllProfiles<true, true>)->Name("BM_WriteAllProfiles/real_clock")->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
