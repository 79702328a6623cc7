#include "ui/layout/CDialogLayoutUI.h"

#include <algorithm>

namespace pelmo::ui {

std::string_view CDialogLayoutUI::GetClass() const { return "DialogLayoutUI"; }

void* CDialogLayoutUI::AsInterface(std::string_view name)
{
    if (name == "DialogLayout")
        return static_cast<CDialogLayoutUI*>(this);
    return CContainerUI::AsInterface(name);
}

Rect CDialogLayoutUI::FixedRect(const CControlUI* control) const
{
    const UISize offset = control->GetFixedXY();
    return Rect{offset.cx, offset.cy, offset.cx + control->GetFixedWidth(), offset.cy + control->GetFixedHeight()};
}

void CDialogLayoutUI::SetStretchMode(CControlUI* control, unsigned mode)
{
    std::erase_if(stretches_, [control](const Stretch& stretch) { return stretch.control == control; });
    stretches_.push_back(Stretch{control, mode, FixedRect(control)});
}

void CDialogLayoutUI::SetPos(Rect rect)
{
    CControlUI::SetPos(rect);
    if (firstSize_ == UISize{})
        firstSize_ = UISize{item_.width(), item_.height()};
    const int growX = item_.width() - firstSize_.cx;
    const int growY = item_.height() - firstSize_.cy;
    // FIXME: groups and lines (which share the growth among the controls of
    // a row) are not distinguished; every stretched control takes all of it.
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = items_[static_cast<std::size_t>(i)];
        if (!child->IsVisible())
            continue;
        if (child->IsFloat()) {
            PlaceFloatingChild(i);
            continue;
        }
        Rect placed = FixedRect(child);
        auto stretch = std::find_if(stretches_.begin(), stretches_.end(),
                                    [child](const Stretch& each) { return each.control == child; });
        if (stretch != stretches_.end()) {
            placed = stretch->fixed;
            if (stretch->mode & UISTRETCH_MOVE_X)
                placed = placed.offset(growX, 0);
            if (stretch->mode & UISTRETCH_MOVE_Y)
                placed = placed.offset(0, growY);
            if (stretch->mode & UISTRETCH_SIZE_X)
                placed.right += growX;
            if (stretch->mode & UISTRETCH_SIZE_Y)
                placed.bottom += growY;
        }
        child->SetPos(placed.offset(item_.left + inset_.left, item_.top + inset_.top));
    }
}

bool CDialogLayoutUI::Remove(CControlUI* control) { return RemoveAt(GetItemIndex(control)); }

bool CDialogLayoutUI::RemoveAt(int index)
{
    CControlUI* control = GetItemAt(index);
    std::erase_if(stretches_, [control](const Stretch& stretch) { return stretch.control == control; });
    return CContainerUI::RemoveAt(index);
}

void CDialogLayoutUI::RemoveAll()
{
    stretches_.clear();
    CContainerUI::RemoveAll();
}

} // namespace pelmo::ui
