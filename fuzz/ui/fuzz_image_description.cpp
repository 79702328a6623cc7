// Any image description string, with any modifier (the text after the first
// newline), parses and draws within the surface.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/graphics/Surface.h"
#include "ui/painter/CUIPainter.h"
#include "ui/painter/UIPaintResources.h"
#include "ui/resources/UIResources.h"

namespace {

pelmo::ui::UIPaintResources* resources = nullptr;

} // namespace

// Fonts and fontconfig are set up before the fuzzing starts, so what they keep
// for the process's lifetime is not taken for a leak of one input.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    pelmo::ui::UIResources::SetSkinFolder(PELMO_FIXTURES "/ui");
    resources = new pelmo::ui::UIPaintResources;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pelmo;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t newline = text.find('\n');
    std::string_view description = text.substr(0, newline);
    std::string_view modifier = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);

    static platform::Surface surface(48, 32);
    ui::UIDC dc{&surface, surface.bounds(), nullptr, resources};
    ui::CUIPainter::DrawImageDescription(dc, platform::Rect{4, 4, 44, 28}, surface.bounds(), description, modifier);
    return 0;
}
