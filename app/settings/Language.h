#pragma once

#include <cstddef>

namespace pelmo::app {

// `languageIndex`: 0 English, 1 Traditional Chinese, 2 Simplified Chinese,
// 3 German. Every text table of the program has one column per language.
inline constexpr std::size_t kLanguageCount = 4;

} // namespace pelmo::app
