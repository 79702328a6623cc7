#pragma once

#include <string_view>

namespace pelmo::platform {

// Writes one diagnostic line to standard error when PELMO_DEBUG is set in the
// environment; otherwise does nothing. The line should end without a newline.
void debugOutput(std::string_view line);

bool debugOutputEnabled();

} // namespace pelmo::platform
