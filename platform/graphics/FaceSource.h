#pragma once

#include <string>

namespace pelmo::platform {

// One installed face that fontconfig offers for a font description, with the
// synthetic styles to apply when the face itself lacks them.
struct FaceSource {
    std::string path;
    int index = 0;
    bool embolden = false;
    bool oblique = false;
};

} // namespace pelmo::platform
