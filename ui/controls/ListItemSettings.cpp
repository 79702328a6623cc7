#include "ui/controls/ListItemSettings.h"

#include <algorithm>

#include "platform/graphics/TextLayout.h"
#include "ui/controls/CLabelUI.h"
#include "ui/controls/ControlState.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CControlUI.h"
#include "ui/core/IContainerUI.h"
#include "ui/painter/CUIPainter.h"

namespace pelmo::ui {

using platform::TextStyle;

bool ListItemSettings::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "itemfont")
        font = AttributeValue::Integer(value);
    else if (name == "itemalign")
        textStyle = CLabelUI::ApplyAlignment(textStyle, value);
    else if (name == "itemendellipsis")
        textStyle = AttributeValue::Boolean(value) ? textStyle | TextStyle::EndEllipsis
                                                   : textStyle & ~TextStyle::EndEllipsis;
    else if (name == "itemtextpadding")
        textPadding = AttributeValue::ReadRect(value);
    else if (name == "itemtextcolor")
        textColour = AttributeValue::Colour(value);
    else if (name == "itembkcolor")
        bkColour = AttributeValue::Colour(value);
    else if (name == "itembkimage")
        bkImage = value;
    else if (name == "itemaltbk")
        alternateBk = AttributeValue::Boolean(value);
    else if (name == "itemselectedtextcolor")
        selectedTextColour = AttributeValue::Colour(value);
    else if (name == "itemselectedbkcolor")
        selectedBkColour = AttributeValue::Colour(value);
    else if (name == "itemselectedimage")
        selectedImage = value;
    else if (name == "itemhottextcolor")
        hotTextColour = AttributeValue::Colour(value);
    else if (name == "itemhotbkcolor")
        hotBkColour = AttributeValue::Colour(value);
    else if (name == "itemhotimage")
        hotImage = value;
    else if (name == "itemdisabledtextcolor")
        disabledTextColour = AttributeValue::Colour(value);
    else if (name == "itemdisabledbkcolor")
        disabledBkColour = AttributeValue::Colour(value);
    else if (name == "itemdisabledimage")
        disabledImage = value;
    else if (name == "itemlinecolor")
        lineColour = AttributeValue::Colour(value);
    else if (name == "itemshowhtml")
        showHtml = AttributeValue::Boolean(value);
    else
        return false;
    return true;
}

std::uint32_t ListItemSettings::TextColour(unsigned state) const
{
    if (state & UISTATE_DISABLED)
        return disabledTextColour;
    if (state & UISTATE_SELECTED)
        return selectedTextColour;
    if (state & UISTATE_HOT)
        return hotTextColour;
    return textColour;
}

void ListItemSettings::PaintBackground(UIDC& dc, const platform::Rect& rect, unsigned state, int index) const
{
    const bool plainRow = !alternateBk || index % 2 == 0;
    // The first state in the order disabled, selected, hot decides.
    std::uint32_t colour = plainRow ? bkColour : 0;
    const std::string* stateImage = nullptr;
    if (state & UISTATE_DISABLED) {
        colour = disabledBkColour;
        stateImage = &disabledImage;
    } else if (state & UISTATE_SELECTED) {
        colour = selectedBkColour;
        stateImage = &selectedImage;
    } else if (state & UISTATE_HOT) {
        colour = hotBkColour;
        stateImage = &hotImage;
    }
    if (colour != 0)
        CUIPainter::FillColour(dc, rect, colour);
    if (stateImage && !stateImage->empty())
        CUIPainter::DrawImageDescription(dc, rect, dc.clip, *stateImage);
    else if (plainRow && !bkImage.empty())
        CUIPainter::DrawImageDescription(dc, rect, dc.clip, bkImage);
    if (lineColour != 0)
        CUIPainter::FillColour(dc, platform::Rect{rect.left, rect.bottom - 1, rect.right, rect.bottom}, lineColour);
}

void ListItemSettings::PaintText(UIDC& dc, const platform::Rect& rect, std::string_view text, unsigned state,
                                 platform::Rect* linkRects, int* linkCount) const
{
    if (text.empty())
        return;
    platform::Rect area{rect.left + textPadding.left, rect.top + textPadding.top, rect.right - textPadding.right,
                        rect.bottom - textPadding.bottom};
    const unsigned style = textStyle | TextStyle::SingleLine;
    if (showHtml) {
        int found = linkCount ? *linkCount : 0;
        CUIPainter::DrawMarkupText(dc, area, text, TextColour(state), linkRects, nullptr, found, style);
        if (linkCount)
            *linkCount = found;
        return;
    }
    if (linkCount)
        *linkCount = 0;
    CUIPainter::DrawText(dc, area, text, TextColour(state), font, style);
}

int FindSelectableItem(const IContainerUI& items, int index, bool forward)
{
    const int count = items.GetCount();
    if (count == 0)
        return -1;
    index = std::clamp(index, 0, count - 1);
    auto selectable = [&items](int at) {
        CControlUI* control = items.GetItemAt(at);
        return control && control->IsVisible() && control->IsEnabled() && control->AsInterface("ListItem");
    };
    for (int i = index; i >= 0 && i < count; i += forward ? 1 : -1)
        if (selectable(i))
            return i;
    for (int i = index; i >= 0 && i < count; i += forward ? -1 : 1)
        if (selectable(i))
            return i;
    return -1;
}

} // namespace pelmo::ui
