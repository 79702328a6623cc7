#include "tools/ui-sample/SampleSkin.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "platform/graphics/PngWriter.h"
#include "platform/graphics/Surface.h"

namespace pelmo::tools {

using platform::Surface;

namespace {

std::uint32_t argb(double a, double r, double g, double b)
{
    auto byte = [](double v) { return static_cast<std::uint32_t>(std::clamp(v, 0.0, 255.0) + 0.5); };
    return platform::premultiply(byte(a) << 24 | byte(r) << 16 | byte(g) << 8 | byte(b));
}

// Coverage of a rounded rectangle of radius `radius` at the pixel's centre,
// softened over one pixel.
double roundedCoverage(int x, int y, int width, int height, double radius)
{
    double px = x + 0.5;
    double py = y + 0.5;
    double cx = std::clamp(px, radius, width - radius);
    double cy = std::clamp(py, radius, height - radius);
    double distance = std::hypot(px - cx, py - cy);
    return std::clamp(radius - distance + 0.5, 0.0, 1.0);
}

Surface background()
{
    Surface image(1025, 701);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            double t = y / 700.0;
            double stripe = ((x + y) / 24) % 2 ? 6.0 : 0.0;
            image.setPixel(x, y, argb(255, 24 + 20 * t + stripe, 30 + 24 * t + stripe, 48 + 40 * t + stripe));
        }
    }
    return image;
}

// Three states side by side (normal, hot, pushed), each 96 x 32.
Surface buttons()
{
    Surface image(288, 32);
    const double tints[3][3] = {{70, 110, 190}, {90, 150, 240}, {40, 70, 140}};
    for (int state = 0; state < 3; ++state) {
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 96; ++x) {
                double coverage = roundedCoverage(x, y, 96, 32, 8);
                double light = 1.25 - y / 40.0;
                image.setPixel(state * 96 + x, y,
                               argb(255 * coverage, tints[state][0] * light, tints[state][1] * light,
                                    tints[state][2] * light));
            }
        }
    }
    return image;
}

// A 48 x 48 panel for nine slices: a light border 12 pixels wide with round
// corners, a translucent centre.
Surface panel()
{
    Surface image(48, 48);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            double coverage = roundedCoverage(x, y, 48, 48, 12);
            bool edge = x < 3 || y < 3 || x >= 45 || y >= 45 || roundedCoverage(x, y, 48, 48, 12) < 1.0 ||
                        roundedCoverage(x - 3, y - 3, 42, 42, 9) < 1.0;
            image.setPixel(x, y, edge ? argb(255 * coverage, 230, 200, 120) : argb(150, 250, 250, 250));
        }
    }
    return image;
}

// Four 16 x 16 frames of a coloured dot, for inline images in markup.
Surface dots()
{
    Surface image(64, 16);
    const double colours[4][3] = {{220, 60, 60}, {60, 200, 90}, {60, 120, 230}, {240, 200, 40}};
    for (int frame = 0; frame < 4; ++frame)
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                double distance = std::hypot(x + 0.5 - 8, y + 0.5 - 8);
                double coverage = std::clamp(7.5 - distance, 0.0, 1.0);
                image.setPixel(frame * 16 + x, y,
                               argb(255 * coverage, colours[frame][0], colours[frame][1], colours[frame][2]));
            }
    return image;
}

Surface checker()
{
    Surface image(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, ((x / 8) + (y / 8)) % 2 ? argb(255, 200, 90, 40) : argb(255, 250, 220, 160));
    return image;
}

// A red star on a white ground: drawn with mask='#FFFFFFFF' the white goes.
Surface keyed()
{
    Surface image(40, 40);
    image.clear(0xFFFFFFFF);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            double angle = std::atan2(y - 19.5, x - 19.5);
            double radius = std::hypot(x - 19.5, y - 19.5);
            double edge = 11 + 7 * std::cos(5 * angle);
            if (radius < edge)
                image.setPixel(x, y, 0xFFD02030);
        }
    return image;
}

} // namespace

bool writeSampleSkin(const std::string& folder)
{
    const std::pair<const char*, Surface> images[] = {
        {"background.png", background()}, {"buttons.png", buttons()}, {"panel.png", panel()},
        {"dots.png", dots()},             {"checker.png", checker()}, {"keyed.png", keyed()},
        {"keyed-mask.png", keyed()},
    };
    for (const auto& [name, image] : images) {
        std::string error;
        if (!platform::PngWriter::write(image, folder + name, &error)) {
            std::fprintf(stderr, "ui-sample: %s\n", error.c_str());
            return false;
        }
    }
    return true;
}

} // namespace pelmo::tools
