// Any markup text lays out and draws within the surface, with link records
// never past the caller's capacity. The first byte chooses the text style.

#include <cstddef>
#include <cstdint>
#include <string>
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
    resources->AddFont({"Verdana", 14});
    resources->AddFont({"微软雅黑", 14});
    resources->mouseX = 20;
    resources->mouseY = 8;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pelmo;
    // Markup in the program is a line or two; long inputs only slow the search.
    if (size < 1 || size > 1024)
        return 0;
    const unsigned styles[] = {0x20, 0x25, 0x10, 0x8020, 0x8010, 0x26, 0x0, 0x8000};
    unsigned style = styles[data[0] % 8];
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    static platform::Surface surface(96, 48);
    ui::UIDC dc{&surface, surface.bounds(), nullptr, resources};
    platform::Rect links[4];
    std::string targets[4];
    int count = 4;
    platform::Rect rect{2, 2, 94, 46};
    ui::CUIPainter::DrawMarkupText(dc, rect, text, 0xFF000000, links, targets, count, style);
    if (count < 0 || count > 4)
        __builtin_trap();
    return 0;
}
