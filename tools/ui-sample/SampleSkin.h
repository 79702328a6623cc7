#pragma once

#include <string>

namespace pelmo::tools {

// Draws the sample's skin images in code and writes them as PNG files into
// `folder`, so the sample needs no image files of its own. False when a file
// cannot be written.
bool writeSampleSkin(const std::string& folder);

} // namespace pelmo::tools
