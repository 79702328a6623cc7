#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/controls/CButtonUI.h"

namespace pelmo::ui {

// A check box or, in a group, a radio button. Activating it sends "click"
// and then toggles it (without a group) or selects it (in a group, where
// selecting the selected option changes nothing). A group is the set of
// options of one window with the same group name; selecting one deselects
// the others silently.
//
// While selected it draws its selected image in place of the button's state
// images (those are used when it has none) and its selected text colour when
// set; its fore image goes on top in every state.
class COptionUI : public CButtonUI {
public:
    COptionUI();
    ~COptionUI() override;

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    // Keeps the option's group membership with the manager it is bound to.
    void SetManager(CUIManager* manager, CControlUI* parent, bool initialise = true) override;
    bool Activate() override;

    bool IsSelected() const { return selected_; }
    // Changes the selection; an unchanged state does nothing. Selecting a
    // grouped option deselects the rest of its group, silently, and then
    // sends "selectchanged" when `notify` is set. Deselecting a grouped
    // option only repaints it; an option without a group sends
    // "selectchanged" for either change when `notify` is set.
    void Select(bool selected, bool notify = true);

    const std::string& GetGroup() const { return group_; }
    // Moves the option into the named group of its manager (from its
    // previous one); an empty name leaves every group.
    void SetGroup(std::string_view group);

    const std::string& GetSelectedImage() const { return selectedImage_; }
    void SetSelectedImage(std::string_view image);
    const std::string& GetForeImage() const { return foreImage_; }
    void SetForeImage(std::string_view image);
    std::uint32_t GetSelectedTextColor() const { return selectedTextColour_; }
    void SetSelectedTextColor(std::uint32_t colour);

    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void PaintStateImage(UIDC& dc) override;

protected:
    std::uint32_t TextColourNow(const UIDC& dc) const override;

private:
    bool selected_ = false;
    std::string group_;
    std::string selectedImage_;
    std::string foreImage_;
    std::uint32_t selectedTextColour_ = 0;
};

} // namespace pelmo::ui
