#pragma once

#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/graphics/FaceSource.h"
#include "platform/graphics/FontDescription.h"

struct FT_LibraryRec_;

namespace pelmo::platform {

class Font;

// The process's font machinery: the FreeType library, fontconfig's view of
// the installed fonts, and the fonts opened so far. One per process, used on
// the UI thread only. Fonts are shared: asking twice for the same description
// gives the same font and so the same glyph cache.
class FontSystem {
public:
    static FontSystem& instance();

    // Never fails: a face name nothing matches resolves to fontconfig's
    // default face, and with no usable face at all the font draws nothing.
    std::shared_ptr<Font> open(const FontDescription& description);

    // The desktop's user-interface font: the sans-serif face at 12 pixels,
    // regular. Windows layouts take their fonts from it and change only what
    // they name.
    static FontDescription defaultGuiFontDescription();

    // The faces fontconfig offers for the description, best first, each adding
    // characters the ones before it lack (so Chinese text finds a CJK face).
    std::vector<FaceSource> resolve(const FontDescription& description) const;

    FT_LibraryRec_* library() const { return library_; }

    FontSystem(const FontSystem&) = delete;
    FontSystem& operator=(const FontSystem&) = delete;
    ~FontSystem();

private:
    FontSystem();

    FT_LibraryRec_* library_ = nullptr;
    bool fontconfigReady_ = false;
    // Most recently used first; bounded because markup text can ask for any
    // face and size.
    std::list<std::pair<FontDescription, std::shared_ptr<Font>>> fonts_;
};

} // namespace pelmo::platform
