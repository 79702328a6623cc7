#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace pelmo::app {

// The function codes stored in `AppProfile::buttonFunction` and in profile
// files. `Default` is a menu choice only and is never stored: choosing it
// stores the button's entry of ButtonDefaultTable.
enum class ButtonFunction : std::int32_t {
    LeftClick = 1,
    RightClick = 2,
    ScrollWheelClick = 3,
    BrowserForward = 4,
    BrowserBackward = 5,
    ScrollUp = 6,
    ScrollDown = 7,
    DpiUp = 8,
    DpiDown = 9,
    DpiLevelSwitch = 10,
    ProfileSelect = 11,
    DoubleClick = 12,
    TripleClick = 13,
    SniperSwitch = 14,
    Macro = 15,     // buttonParam: the macro's slot + 1
    SingleKey = 16, // buttonParam: the key's virtual-key code
    Disable = 17,
    Default = 18,
};

inline constexpr std::size_t kButtonCount = 11;

// Each button's own function: what "Default" restores, what a button falls
// back to when its macro is deleted, and the factory assignment.
inline constexpr std::array<ButtonFunction, kButtonCount> ButtonDefaultTable = {
    ButtonFunction::LeftClick,      ButtonFunction::RightClick,      ButtonFunction::ScrollWheelClick,
    ButtonFunction::DpiUp,          ButtonFunction::DpiDown,         ButtonFunction::BrowserForward,
    ButtonFunction::BrowserBackward, ButtonFunction::Disable,        ButtonFunction::Disable,
    ButtonFunction::ProfileSelect,  ButtonFunction::Disable,
};

constexpr std::int32_t code(ButtonFunction function)
{
    return static_cast<std::int32_t>(function);
}

} // namespace pelmo::app
