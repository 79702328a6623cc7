#include "ui/controls/CProgressUI.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/graphics/TextLayout.h"
#include "ui/core/AttributeValue.h"

namespace pelmo::ui {

using platform::TextStyle;

namespace {
constexpr int barHeight = 12;
} // namespace

CProgressUI::CProgressUI()
{
    textStyle_ = TextStyle::Center | TextStyle::SingleLine;
    fixedHeight_ = barHeight;
}

std::string_view CProgressUI::GetClass() const { return "ProgressUI"; }

void* CProgressUI::AsInterface(std::string_view name)
{
    if (name == "Progress")
        return static_cast<CProgressUI*>(this);
    return CLabelUI::AsInterface(name);
}

void CProgressUI::SetHorizontal(bool horizontal)
{
    if (horizontal_ == horizontal)
        return;
    horizontal_ = horizontal;
    Invalidate();
}

void CProgressUI::SetMinValue(int value)
{
    min_ = value;
    Invalidate();
}

void CProgressUI::SetMaxValue(int value)
{
    max_ = value;
    Invalidate();
}

void CProgressUI::SetValue(int value)
{
    if (value_ == value)
        return;
    value_ = value;
    Invalidate();
}

void CProgressUI::SetFillImage(std::string_view image)
{
    if (foreImage_ == image)
        return;
    foreImage_ = image;
    Invalidate();
}

void CProgressUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "fgimage")
        SetFillImage(value);
    else if (name == "hor")
        SetHorizontal(AttributeValue::Boolean(value));
    else if (name == "min")
        SetMinValue(AttributeValue::Integer(value));
    else if (name == "max")
        SetMaxValue(AttributeValue::Integer(value));
    else if (name == "value")
        SetValue(AttributeValue::Integer(value));
    else
        CLabelUI::ApplyAttribute(name, value);
}

void CProgressUI::SettleRange()
{
    if (max_ <= min_) {
        // The range needs one step; at the top of the integers it is taken
        // below the maximum instead.
        if (min_ == std::numeric_limits<int>::max())
            min_ = max_ = std::numeric_limits<int>::max() - 1;
        max_ = min_ + 1;
    }
    value_ = std::clamp(value_, min_, max_);
}

int CProgressUI::Portion(int length) const
{
    // 64-bit, since a layout may give any range an int holds.
    const std::int64_t span = static_cast<std::int64_t>(max_) - min_;
    const std::int64_t done = static_cast<std::int64_t>(value_) - min_;
    return static_cast<int>(static_cast<std::int64_t>(length) * done / span);
}

void CProgressUI::PaintStateImage(UIDC& dc)
{
    SettleRange();
    if (foreImage_.empty())
        return;
    const int width = item_.width();
    const int height = item_.height();
    Rect dest;
    if (horizontal_)
        dest = Rect{0, 0, Portion(width), height};
    else
        dest = Rect{0, height - Portion(height), width, height};
    const std::string modifier = "dest='" + std::to_string(dest.left) + "," + std::to_string(dest.top) + "," +
                                 std::to_string(dest.right) + "," + std::to_string(dest.bottom) + "'";
    DrawImage(dc, foreImage_, modifier);
}

} // namespace pelmo::ui
