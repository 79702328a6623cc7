#pragma once

namespace pelmo::ui {

// The state bits buttons, options, sliders, edits, combos and list items
// keep in one field. Focused and disabled are refreshed from the control
// before it paints; the others follow its input.
constexpr unsigned UISTATE_FOCUSED = 0x01;
constexpr unsigned UISTATE_SELECTED = 0x02;
constexpr unsigned UISTATE_DISABLED = 0x04;
constexpr unsigned UISTATE_HOT = 0x08;
constexpr unsigned UISTATE_PUSHED = 0x10;
// A press started on the control (on a slider: its thumb is being dragged).
constexpr unsigned UISTATE_CAPTURED = 0x40;

} // namespace pelmo::ui
