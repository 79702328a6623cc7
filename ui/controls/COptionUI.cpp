#include "ui/controls/COptionUI.h"

#include <vector>

#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"

namespace pelmo::ui {

COptionUI::COptionUI() = default;

COptionUI::~COptionUI() = default;

std::string_view COptionUI::GetClass() const { return "OptionUI"; }

void* COptionUI::AsInterface(std::string_view name)
{
    if (name == "Option")
        return static_cast<COptionUI*>(this);
    return CButtonUI::AsInterface(name);
}

void COptionUI::SetManager(CUIManager* manager, CControlUI* parent, bool initialise)
{
    // An option that leaves a manager leaves its group there too, so that
    // the group never names an option the manager can no longer reach.
    if (manager_ && manager_ != manager && !group_.empty())
        manager_->LeaveOptionGroup(group_, this);
    CButtonUI::SetManager(manager, parent, initialise);
    if (manager_ && !group_.empty())
        manager_->JoinOptionGroup(group_, this);
}

bool COptionUI::Activate()
{
    const std::weak_ptr<bool> alive = life_;
    if (!CButtonUI::Activate())
        return false;
    // The click's listeners may have destroyed the option.
    if (alive.expired())
        return true;
    Select(group_.empty() ? !selected_ : true);
    return true;
}

void COptionUI::Select(bool selected, bool notify)
{
    if (selected_ == selected)
        return;
    selected_ = selected;
    state_ = selected ? state_ | UISTATE_SELECTED : state_ & ~UISTATE_SELECTED;
    Invalidate();
    if (!group_.empty()) {
        if (!selected)
            return;
        if (manager_) {
            if (const std::vector<CControlUI*>* members = manager_->OptionGroupMembers(group_)) {
                const std::vector<CControlUI*> others = *members;
                for (CControlUI* member : others) {
                    if (member == this)
                        continue;
                    if (auto* option = static_cast<COptionUI*>(member->AsInterface("Option")))
                        option->Select(false, false);
                }
            }
        }
    }
    if (notify && manager_)
        manager_->DispatchNotification(this, "selectchanged");
}

void COptionUI::SetGroup(std::string_view group)
{
    if (group_ == group)
        return;
    if (manager_ && !group_.empty())
        manager_->LeaveOptionGroup(group_, this);
    group_ = group;
    if (manager_ && !group_.empty())
        manager_->JoinOptionGroup(group_, this);
}

void COptionUI::SetSelectedImage(std::string_view image) { SetStateImage(selectedImage_, image); }
void COptionUI::SetForeImage(std::string_view image) { SetStateImage(foreImage_, image); }

void COptionUI::SetSelectedTextColor(std::uint32_t colour)
{
    selectedTextColour_ = colour;
    Invalidate();
}

void COptionUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "group")
        SetGroup(value);
    else if (name == "selected")
        Select(AttributeValue::Boolean(value), false);
    else if (name == "selectedimage")
        SetSelectedImage(value);
    else if (name == "foreimage")
        SetForeImage(value);
    else if (name == "selectedtextcolor")
        SetSelectedTextColor(AttributeValue::Colour(value));
    else
        CButtonUI::ApplyAttribute(name, value);
}

void COptionUI::PaintStateImage(UIDC& dc)
{
    if (selected_ && !selectedImage_.empty()) {
        RefreshState();
        DrawImage(dc, selectedImage_);
    } else {
        CButtonUI::PaintStateImage(dc);
    }
    DrawImage(dc, foreImage_);
}

std::uint32_t COptionUI::TextColourNow(const UIDC& dc) const
{
    if (selected_ && selectedTextColour_ != 0)
        return selectedTextColour_;
    return CButtonUI::TextColourNow(dc);
}

} // namespace pelmo::ui
