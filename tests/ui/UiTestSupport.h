#pragma once

#include <cstdint>
#include <string>

#include "platform/graphics/PngWriter.h"
#include "platform/graphics/Surface.h"
#include "tests/platform/TemporaryFolder.h"
#include "ui/painter/UIDC.h"
#include "ui/painter/UIPaintResources.h"
#include "ui/resources/UIResources.h"

namespace pelmo::test {

inline std::string uiFixture(const std::string& name)
{
    return std::string(PELMO_FIXTURES) + "/ui/" + name;
}

// A surface of one colour with a device context over all of it, and a skin
// folder of its own that the test fills with images.
struct PaintBench {
    explicit PaintBench(int width = 32, int height = 32, std::uint32_t background = 0xFF000000)
        : surface(width, height)
    {
        surface.clear(background);
        ui::UIResources::Reset();
        ui::UIResources::SetSkinFolder(skin.path());
        dc = ui::UIDC{&surface, surface.bounds(), nullptr, &resources};
    }
    ~PaintBench() { ui::UIResources::Reset(); }

    // Writes an image into the skin folder; `pixels` are premultiplied.
    void addImage(const std::string& name, const platform::Surface& pixels)
    {
        platform::PngWriter::write(pixels, skin.file(name));
    }

    TemporaryFolder skin;
    platform::Surface surface;
    ui::UIPaintResources resources;
    ui::UIDC dc;
};

// An image of four solid quadrants (top-left, top-right, bottom-left,
// bottom-right), each `side` pixels square.
inline platform::Surface quadrants(int side, std::uint32_t tl, std::uint32_t tr, std::uint32_t bl, std::uint32_t br)
{
    platform::Surface image(2 * side, 2 * side);
    for (int y = 0; y < 2 * side; ++y)
        for (int x = 0; x < 2 * side; ++x)
            image.setPixel(x, y, y < side ? (x < side ? tl : tr) : (x < side ? bl : br));
    return image;
}

inline platform::Surface solid(int width, int height, std::uint32_t pixel)
{
    platform::Surface image(width, height);
    image.clear(pixel);
    return image;
}

} // namespace pelmo::test
