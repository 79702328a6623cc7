// A state file of any content either is refused or gives a mouse that
// answers every report safely.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "emulator/EmulatedMouse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto state = pelmo::emulator::EmulatedMouse::deserialize({data, size});
    if (!state)
        return 0;
    pelmo::emulator::EmulatedMouse mouse(*state);
    std::vector<std::uint8_t> report(1041, 0);
    const std::uint8_t commands[] = {0x02, 0x03, 0x04, 0x07, 0x30, 0x31};
    for (std::uint8_t command : commands) {
        report.assign(64, 0);
        report[0] = 0x60;
        report[1] = command;
        report[5] = state->currentProfile;
        mouse.setFeature(report.data(), report.size());
        mouse.getFeature(report.data(), report.size());
    }
    report.assign(1041, 0);
    report[0] = 0x61;
    mouse.getFeature(report.data(), report.size());
    return 0;
}
