// The painter against pixman on the same pixels (alpha-blended blits and
// fills), a full repaint of a main-window-sized surface, and cached text.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <pixman.h>

#include "platform/graphics/PngWriter.h"
#include "platform/graphics/TextLayout.h"
#include "ui/painter/CUIPainter.h"
#include "ui/painter/UIPaintResources.h"
#include "ui/resources/UIResources.h"

namespace {

using pelmo::platform::Rect;
using pelmo::platform::Surface;
using pelmo::ui::CUIPainter;
using pelmo::ui::UIDC;

constexpr int side = 512;

// Every pixel semi-transparent (alpha 1..254), premultiplied: no fast path.
Surface translucentImage()
{
    Surface image(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            std::uint32_t alpha = 1 + static_cast<std::uint32_t>(x + y) % 254;
            image.setPixel(x, y, pelmo::platform::premultiply(alpha << 24 | 0x3080C0u));
        }
    return image;
}

Surface background()
{
    Surface surface(side, side);
    surface.clear(0xFF405060);
    return surface;
}

pixman_image_t* wrap(Surface& surface)
{
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, surface.width(), surface.height(), surface.pixels().data(),
                                    surface.width() * 4);
}

void pixels(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * side * side);
    state.SetBytesProcessed(state.iterations() * side * side * 4);
}

void BM_BlendBlit_Painter(benchmark::State& state)
{
    Surface source = translucentImage();
    Surface target = background();
    pelmo::ui::UIPaintResources resources;
    UIDC dc{&target, target.bounds(), nullptr, &resources};
    for (auto _ : state) {
        CUIPainter::BlitImage(dc, source, target.bounds(), target.bounds(), source.bounds(), Rect{}, true);
        benchmark::ClobberMemory();
    }
    pixels(state);
}
BENCHMARK(BM_BlendBlit_Painter);

void BM_BlendBlit_Pixman(benchmark::State& state)
{
    Surface source = translucentImage();
    Surface target = background();
    pixman_image_t* src = wrap(source);
    pixman_image_t* dst = wrap(target);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, 0, 0, 0, 0, side, side);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(src);
    pixman_image_unref(dst);
    pixels(state);
}
BENCHMARK(BM_BlendBlit_Pixman);

void BM_SolidFill_Painter(benchmark::State& state)
{
    Surface target = background();
    pelmo::ui::UIPaintResources resources;
    UIDC dc{&target, target.bounds(), nullptr, &resources};
    for (auto _ : state) {
        CUIPainter::FillColour(dc, target.bounds(), 0xFF2E8B57);
        benchmark::ClobberMemory();
    }
    pixels(state);
}
BENCHMARK(BM_SolidFill_Painter);

void BM_SolidFill_Pixman(benchmark::State& state)
{
    Surface target = background();
    for (auto _ : state) {
        pixman_fill(reinterpret_cast<std::uint32_t*>(target.pixels().data()), side, 32, 0, 0, side, side, 0xFF2E8B57);
        benchmark::ClobberMemory();
    }
    pixels(state);
}
BENCHMARK(BM_SolidFill_Pixman);

void BM_BlendedFill_Painter(benchmark::State& state)
{
    Surface target = background();
    pelmo::ui::UIPaintResources resources;
    UIDC dc{&target, target.bounds(), nullptr, &resources};
    for (auto _ : state) {
        CUIPainter::FillColour(dc, target.bounds(), 0x80FFFFFF);
        benchmark::ClobberMemory();
    }
    pixels(state);
}
BENCHMARK(BM_BlendedFill_Painter);

void BM_BlendedFill_Pixman(benchmark::State& state)
{
    Surface target = background();
    pixman_image_t* dst = wrap(target);
    pixman_color_t colour{0x8080, 0x8080, 0x8080, 0x8080}; // 0x80FFFFFF premultiplied, 16 bits a channel
    pixman_image_t* solid = pixman_image_create_solid_fill(&colour);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, solid, nullptr, dst, 0, 0, 0, 0, 0, 0, side, side);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(solid);
    pixman_image_unref(dst);
    pixels(state);
}
BENCHMARK(BM_BlendedFill_Pixman);

// A main window's repaint: a 1025 x 701 background image, fifty controls
// drawn from image strings (nine-sliced, cut-out and faded buttons) and a
// hundred short text labels, all from warm caches.
void BM_FullRepaint(benchmark::State& state)
{
    std::string folder = (std::filesystem::temp_directory_path() / "pelmo-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        state.SkipWithError("no temporary folder");
        return;
    }
    Surface backgroundImage(1025, 701);
    for (int y = 0; y < 701; ++y)
        for (int x = 0; x < 1025; ++x)
            backgroundImage.setPixel(x, y, 0xFF000000u | static_cast<std::uint32_t>((x ^ y) & 0x3F) * 0x010101u);
    Surface buttons(288, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 288; ++x)
            buttons.setPixel(x, y, (x % 96 < 4 || x % 96 > 91) ? 0x80204080u : 0xFF3060C0u);
    pelmo::platform::PngWriter::write(backgroundImage, folder + "/background.png");
    pelmo::platform::PngWriter::write(buttons, folder + "/buttons.png");
    pelmo::ui::UIResources::SetSkinFolder(folder);

    pelmo::ui::UIPaintResources resources;
    resources.AddFont({"Verdana", 12});
    Surface target(1025, 701);
    UIDC dc{&target, target.bounds(), nullptr, &resources};
    const char* images[] = {"file='buttons.png' source='0,0,96,32' corner='8,8,8,8'",
                            "file='buttons.png' source='96,0,192,32'",
                            "file='buttons.png' source='192,0,288,32' fade='200'"};
    for (auto _ : state) {
        CUIPainter::DrawImageDescription(dc, target.bounds(), target.bounds(), "background.png");
        for (int i = 0; i < 50; ++i) {
            Rect control{20 + (i % 10) * 100, 40 + (i / 10) * 60, 110 + (i % 10) * 100, 72 + (i / 10) * 60};
            CUIPainter::DrawImageDescription(dc, control, target.bounds(), images[i % 3]);
        }
        for (int i = 0; i < 100; ++i) {
            Rect label{20 + (i % 10) * 100, 360 + (i / 10) * 30, 110 + (i % 10) * 100, 384 + (i / 10) * 30};
            CUIPainter::DrawText(dc, label, "DPI 1600", 0xFFFFFFFF, 0,
                                 pelmo::platform::TextStyle::SingleLine | pelmo::platform::TextStyle::VCenter);
        }
        benchmark::ClobberMemory();
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

void BM_CachedText(benchmark::State& state)
{
    pelmo::ui::UIPaintResources resources;
    const pelmo::platform::Font& font = resources.DefaultFont();
    Surface target(400, 20);
    const std::string text = "The quick brown fox jumps over the lazy dog";
    pelmo::platform::TextLayout::drawString(target, target.bounds(), font, 0, 14, text, 0xFF000000);
    for (auto _ : state) {
        pelmo::platform::TextLayout::drawString(target, target.bounds(), font, 0, 14, text, 0xFF000000);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(text.size()));
    state.counters["glyphs/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * text.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CachedText);

} // namespace
