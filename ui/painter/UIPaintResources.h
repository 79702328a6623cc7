#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics/Font.h"
#include "platform/graphics/FontDescription.h"
#include "ui/resources/ImageTable.h"

namespace pelmo::ui {

// A window's drawing resources, which its manager owns and the painter reads:
// the image table, the font list (index n is the n-th font the layout named)
// with the default font, the default text, link and selection colours, and the
// last mouse position (for hovered links).
class UIPaintResources {
public:
    UIPaintResources();

    ImageTable& images() { return images_; }

    // Appends a font; returns its index.
    int AddFont(const platform::FontDescription& description);
    std::size_t FontCount() const { return fonts_.size(); }
    // The font of that index; the default font when the index is outside the list.
    const platform::Font& GetFont(int index) const;
    void SetDefaultFont(const platform::FontDescription& description);
    const platform::Font& DefaultFont() const { return *defaultFont_; }

    std::uint32_t textColour = 0xFF000000;
    std::uint32_t disabledTextColour = 0xFFA7A6AA;
    std::uint32_t linkColour = 0xFF0000FF;
    std::uint32_t linkHoverColour = 0xFFD3215F;
    std::uint32_t selectedBackgroundColour = 0xFFBAE4FF;
    int mouseX = -1;
    int mouseY = -1;

private:
    ImageTable images_;
    std::vector<std::shared_ptr<platform::Font>> fonts_;
    std::shared_ptr<platform::Font> defaultFont_;
};

} // namespace pelmo::ui
