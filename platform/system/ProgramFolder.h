#pragma once

#include <string>

namespace pelmo::platform {

// The folder of the running executable, with a trailing '/'. Every relative
// path of the program is built on it.
std::string programFolder();

} // namespace pelmo::platform
