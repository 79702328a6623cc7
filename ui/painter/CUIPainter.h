#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/graphics/Rect.h"
#include "platform/graphics/Surface.h"
#include "ui/painter/UIDC.h"

namespace pelmo::ui {

using platform::Rect;

// The drawing operations every control paints with. Rectangles are in
// window coordinates; everything is clipped to the device context.
//
// Colours are 0xAARRGGBB. For fills an alpha of 0 draws nothing, 0xFF fills
// opaquely and anything between blends. Text, lines and borders use only the
// red, green and blue bytes.
class CUIPainter {
public:
    static void FillColour(UIDC& dc, const Rect& rect, std::uint32_t colour);
    // A linear gradient from colour1 to colour2 (top to bottom when vertical,
    // left to right otherwise); both ends are exact. It is blended with the
    // average of the two alpha bytes (0 draws nothing). Our gradient is
    // always smooth, so `steps` (the number of bands a banded fallback would
    // use) does not change the result.
    static void FillGradient(UIDC& dc, const Rect& rect, std::uint32_t colour1, std::uint32_t colour2, bool vertical,
                             int steps);
    // A solid line from (x0, y0) towards (x1, y1), the end point excluded,
    // `width` pixels thick.
    static void StrokeLine(UIDC& dc, int x0, int y0, int x1, int y1, int width, std::uint32_t colour);
    // A hollow rectangle whose pen lies inside the rectangle.
    static void StrokeRect(UIDC& dc, const Rect& rect, int width, std::uint32_t colour);
    // A hollow rectangle with corners rounded by an ellipse of (cx, cy).
    static void StrokeRoundRect(UIDC& dc, const Rect& rect, int width, int cx, int cy, std::uint32_t colour);

    // Plain text in the window's font `fontIndex` (the default font when out
    // of range) with text styles (platform::TextStyle); ampersands are drawn
    // as they are. With the CalcRect style nothing is drawn and `rect`
    // becomes the text's extent.
    static void DrawText(UIDC& dc, Rect& rect, std::string_view text, std::uint32_t colour, int fontIndex,
                         unsigned style);
    // Markup text (see MarkupText). The areas and targets of its links are
    // written to linkRects / linkTexts, at most `linkCount` of them (the
    // capacity in), and linkCount becomes the number written. With the
    // CalcRect style nothing is drawn and `rect` becomes the text's extent.
    static void DrawMarkupText(UIDC& dc, Rect& rect, std::string_view text, std::uint32_t colour, Rect* linkRects,
                               std::string* linkTexts, int& linkCount, unsigned style);

    // Draws the images of an image description string for a control at
    // `controlRect`, within `paintRect`; the modifier string overrides the
    // keys of its last image. Returns true whenever there is something to
    // draw on, even if an image failed to load (it is tried again next time).
    static bool DrawImageDescription(UIDC& dc, const Rect& controlRect, const Rect& paintRect,
                                     std::string_view description, std::string_view modifier = {});

    // The bitmap primitive: `source` of `bitmap` into `destination`, with
    // nine-slice `corners` (left, top, right, bottom edge widths drawn at
    // their natural size), the centre stretched, tiled or (hole) left out.
    // Blends when hasAlpha or fade < 255, else copies.
    static void BlitImage(UIDC& dc, const platform::Surface& bitmap, const Rect& destination, const Rect& paintRect,
                          const Rect& source, const Rect& corners, bool hasAlpha, std::uint8_t fade = 255,
                          bool hole = false, bool xtiled = false, bool ytiled = false);

    // A control's background: colour 1 alone fills; with colour 2 a vertical
    // 16-step gradient 1 -> 2; with colour 3 as well, 1 -> 2 over the upper half
    // and 2 -> 3 over the lower half.
    static void PaintBackgroundColour(UIDC& dc, const Rect& controlRect, const Rect& paintRect, std::uint32_t colour1,
                                      std::uint32_t colour2, std::uint32_t colour3);
    // A control's border when size > 0: rounded when (roundX, roundY) is set,
    // in the focus colour while focused (and that colour is set), else the
    // border colour. A rounded border is drawn even in colour 0; a square one
    // is not drawn in colour 0.
    static void PaintBorder(UIDC& dc, const Rect& controlRect, int size, int roundX, int roundY,
                            std::uint32_t borderColour, std::uint32_t focusBorderColour, bool focused);
};

} // namespace pelmo::ui
