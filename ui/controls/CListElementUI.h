#pragma once

#include <memory>

#include "ui/controls/IListItemUI.h"
#include "ui/controls/ListItemSettings.h"
#include "ui/core/CControlUI.h"

namespace pelmo::ui {

class IListOwnerUI;

// The base of the list items that draw themselves: an index in its owner,
// the selected flag, and the hot state while the mouse is inside. It is
// drawn with its owner's item settings. A double click or Return activates
// it ("itemactivate"); keys and the wheel it does not use go to its owner,
// which moves the selection.
class CListElementUI : public CControlUI, public IListItemUI {
public:
    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    bool Activate() override;
    void SetEnabled(bool enabled = true) override;

    int GetIndex() const override { return index_; }
    void SetIndex(int index) override { index_ = index; }
    IListOwnerUI* GetOwner() const override { return owner_; }
    void SetOwner(IListOwnerUI* owner) override { owner_ = owner; }
    bool IsSelected() const override { return selected_; }
    bool Select(bool selected = true) override;
    bool IsExpanded() const override { return false; }
    bool Expand(bool) override { return false; }
    void DrawItem(UIDC& dc, const Rect& rect) override;

    void HandleEvent(UIEvent& event) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void PaintStateImage(UIDC& dc) override;
    void PaintText(UIDC& dc) override;

protected:
    // The owner's settings, or the defaults while the item has no owner.
    const ListItemSettings& Settings() const;
    // The UISTATE_ bits the item is drawn with.
    unsigned ItemState() const;

    int index_ = -1;
    IListOwnerUI* owner_ = nullptr;
    bool selected_ = false;
    unsigned state_ = 0;
    // Expires with the item: listeners of its notifications may destroy it.
    std::shared_ptr<bool> life_ = std::make_shared<bool>(true);
};

} // namespace pelmo::ui
