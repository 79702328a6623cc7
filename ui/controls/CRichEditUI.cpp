#include "ui/controls/CRichEditUI.h"

#include "platform/graphics/TextLayout.h"
#include "ui/controls/CLabelUI.h"
#include "ui/core/AttributeValue.h"
#include "ui/painter/CUIPainter.h"
#include "ui/painter/UIPaintResources.h"

namespace pelmo::ui {

using platform::TextStyle;

std::string_view CRichEditUI::GetClass() const { return "RichEditUI"; }

void* CRichEditUI::AsInterface(std::string_view name)
{
    if (name == "RichEdit")
        return static_cast<CRichEditUI*>(this);
    return CContainerUI::AsInterface(name);
}

platform::LResult CRichEditUI::FilterMessage(unsigned, platform::WParam, platform::LParam, bool& handled)
{
    handled = false;
    return 0;
}

void CRichEditUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    const bool on = AttributeValue::Boolean(value);
    if (name == "autovscroll")
        autoVScroll_ = on;
    else if (name == "autohscroll")
        autoHScroll_ = on;
    else if (name == "wanttab")
        wantTab_ = on;
    else if (name == "wantreturn")
        wantReturn_ = on;
    else if (name == "wantctrlreturn")
        wantCtrlReturn_ = on;
    else if (name == "rich")
        rich_ = on;
    else if (name == "multiline")
        multiLine_ = on;
    else if (name == "readonly")
        readOnly_ = on;
    else if (name == "numberonly")
        numberOnly_ = on;
    else if (name == "password")
        password_ = on;
    else if (name == "align")
        textStyle_ = CLabelUI::ApplyAlignment(textStyle_, value);
    else if (name == "font")
        font_ = AttributeValue::Integer(value);
    else if (name == "textcolor")
        textColour_ = AttributeValue::Colour(value);
    else
        CContainerUI::ApplyAttribute(name, value);
    Invalidate();
}

void CRichEditUI::PaintText(UIDC& dc)
{
    if (text_.empty() || password_)
        return;
    Rect rect = ContentRect();
    const std::uint32_t colour =
        textColour_ != 0 ? textColour_ : (dc.resources ? dc.resources->textColour : 0xFF000000u);
    const unsigned style = textStyle_ | (multiLine_ ? TextStyle::WordBreak : TextStyle::SingleLine);
    CUIPainter::DrawText(dc, rect, text_, colour, font_, style);
}

} // namespace pelmo::ui
