#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/settings/Language.h"

namespace pelmo::app {

// The seven mouse buttons that macro events name, in their fixed order.
enum class MouseButton : std::uint8_t { Left, Right, Middle, Forward, Backward, WheelUp, WheelDown };
inline constexpr std::size_t kMouseButtonCount = 7;

// The words that follow a button's name in a macro list, and the one that
// follows a delay's seconds text.
enum class MouseEventSuffix : std::uint8_t { Up, Down, Click, Delay };
inline constexpr std::size_t kMouseEventSuffixCount = 4;

using LanguageTexts = std::array<std::string_view, kLanguageCount>;

// The localized button names of macro lists: English, Traditional Chinese,
// Simplified Chinese, German (UTF-8). Trailing spaces are part of the texts,
// and the English column is what the program stores in the macro events it
// records or inserts.
extern const std::array<LanguageTexts, kMouseButtonCount> MouseEventNameTable;
extern const std::array<LanguageTexts, kMouseEventSuffixCount> MouseEventSuffixTable;

// The 15-character names under which macro mouse events travel to and from
// the mouse; a macro read back from the mouse stores these.
extern const std::array<std::string_view, kMouseButtonCount> CanonicalMouseName;

// Texts in the language `languageIndex`; an index outside 0..3 reads English.
std::string_view mouseButtonName(MouseButton button, std::uint8_t languageIndex);
std::string_view mouseEventSuffix(MouseEventSuffix suffix, std::uint8_t languageIndex);

// The button a stored mouse-event name stands for: the first whose English,
// Traditional or Simplified Chinese name equals it, ignoring the case of
// ASCII letters. Canonical names match none of these.
std::optional<MouseButton> findMouseButtonByStoredName(std::string_view stored);

// How a stored mouse-event name is shown: the button's name in the language,
// or the stored text itself (made safe to show) when it names no button.
std::string mouseEventDisplayName(std::string_view stored, std::uint8_t languageIndex);

// A macro list's line for a mouse event: its display name followed directly
// by the suffix; and for a delay: its seconds text followed by the delay word.
std::string mouseEventListText(std::string_view stored, MouseEventSuffix suffix, std::uint8_t languageIndex);
std::string delayListText(std::string_view secondsText, std::uint8_t languageIndex);

} // namespace pelmo::app
