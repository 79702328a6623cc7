#pragma once

#include "platform/graphics/Rect.h"
#include "platform/graphics/Region.h"
#include "platform/graphics/Surface.h"

namespace pelmo::ui {

class UIPaintResources;

// What the painter draws on: a window's offscreen surface (window
// coordinates), the area it may touch, and the window's fonts, images and
// default colours. Controls narrow `clip` (and set `clipRegion` for rounded
// borders) before painting their parts. Without a surface nothing is drawn.
struct UIDC {
    platform::Surface* surface = nullptr;
    platform::Rect clip;
    const platform::Region* clipRegion = nullptr;
    UIPaintResources* resources = nullptr;
};

} // namespace pelmo::ui
