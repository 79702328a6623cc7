#pragma once

#include <array>
#include <cstdint>

namespace pelmo::app {

// What the stored levels 1..10 of a profile mean, index = level - 1. The
// device link applies them when profiles are written to the mouse.
inline constexpr std::array<std::int32_t, 10> kDoubleClickTimeMs = {1500, 1350, 1200, 1050, 900,
                                                                    750,  600,  450,  300,  150};
inline constexpr std::array<std::int32_t, 10> kWheelScrollLines = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
// The system's pointer-speed scale runs from 1 to 20.
inline constexpr std::array<std::int32_t, 10> kPointerSpeed = {2, 4, 6, 8, 10, 12, 14, 16, 18, 20};
// The mouse's own lift-off values.
inline constexpr std::array<std::uint8_t, 10> kLiftOffValues = {5, 6, 7, 8, 9, 10, 12, 18, 25, 32};

} // namespace pelmo::app
