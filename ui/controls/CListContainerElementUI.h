#pragma once

#include <memory>

#include "ui/controls/IListItemUI.h"
#include "ui/controls/ListItemSettings.h"
#include "ui/core/CContainerUI.h"

namespace pelmo::ui {

// A list item made of other controls: it draws its owner's item background
// for its state under its children. Presses, hot tracking, activation and
// selection work as for CListLabelElementUI.
class CListContainerElementUI : public CContainerUI, public IListItemUI {
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
    void DrawItemText(UIDC&, const Rect&) override {}

    void HandleEvent(UIEvent& event) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void PaintStateImage(UIDC& dc) override;

protected:
    const ListItemSettings& Settings() const;
    unsigned ItemState() const;

    int index_ = -1;
    IListOwnerUI* owner_ = nullptr;
    bool selected_ = false;
    unsigned state_ = 0;
    std::shared_ptr<bool> life_ = std::make_shared<bool>(true);
};

} // namespace pelmo::ui
