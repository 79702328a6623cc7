#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/graphics/Rect.h"
#include "ui/painter/UIDC.h"

namespace pelmo::ui {

class IContainerUI;

// How the items of a list or combo box are drawn: one record per owner,
// which its items read. Colours and images per item state (normal, hot,
// selected, disabled), alternate rows, a line under each item, and the
// columns a list's header gives its text items.
struct ListItemSettings {
    static constexpr int maxColumns = 32;

    int columnCount = 0;
    platform::Rect columns[maxColumns];  // left and right of each header column
    int font = -1;
    unsigned textStyle = 0x4;  // vertically centred, left
    platform::Rect textPadding;
    std::uint32_t textColour = 0xFF000000;
    std::uint32_t bkColour = 0;
    std::string bkImage;
    // Odd rows leave the owner's background showing.
    bool alternateBk = false;
    std::uint32_t selectedTextColour = 0xFF000000;
    std::uint32_t selectedBkColour = 0xFFC1E3FF;
    std::string selectedImage;
    std::uint32_t hotTextColour = 0xFF000000;
    std::uint32_t hotBkColour = 0xFFE9F5FF;
    std::string hotImage;
    std::uint32_t disabledTextColour = 0xFFCCCCCC;
    std::uint32_t disabledBkColour = 0xFFFFFFFF;
    std::string disabledImage;
    std::uint32_t lineColour = 0;
    bool showHtml = false;
    bool multiExpanding = false;

    // The item attributes lists and combo boxes share (itemfont ...
    // itemlinecolor, and itemendellipsis and itemshowhtml); false for any
    // other name.
    bool ApplyAttribute(std::string_view name, std::string_view value);

    // The text colour of an item in a state (UISTATE_ bits).
    std::uint32_t TextColour(unsigned state) const;
    // An item's background for its state and row, and its bottom line.
    void PaintBackground(UIDC& dc, const platform::Rect& rect, unsigned state, int index) const;
    // The item text in the item font and style (markup when showHtml),
    // inside the text padding. Links of markup text are written to
    // `linkRects` (up to `linkCount`, which becomes the number found).
    void PaintText(UIDC& dc, const platform::Rect& rect, std::string_view text, unsigned state,
                   platform::Rect* linkRects = nullptr, int* linkCount = nullptr) const;
};

// The index of the first item from `index` on in the direction that is
// visible, enabled and a list item; the other direction when there is none
// that way; -1 for an empty owner.
int FindSelectableItem(const IContainerUI& items, int index, bool forward);

} // namespace pelmo::ui
