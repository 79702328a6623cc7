#pragma once

#include <string>

namespace pelmo::platform {

// What a font is asked for by: a face name as the layouts write it (resolved
// through fontconfig, so "Verdana" or "微软雅黑" find the nearest installed
// face), the character height in pixels (the em size), and the styles.
struct FontDescription {
    std::string face;
    int height = 12;
    bool bold = false;
    bool underline = false;
    bool italic = false;

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

} // namespace pelmo::platform
