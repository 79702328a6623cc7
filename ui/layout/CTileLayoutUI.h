#pragma once

#include "ui/core/CContainerUI.h"

namespace pelmo::ui {

// A grid of `columns` equal columns; each row is as high as its highest
// child asks (a square cell when none asks).
class CTileLayoutUI : public CContainerUI {
public:
    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    void SetPos(Rect rect) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;

    int GetColumns() const { return columns_; }
    void SetColumns(int columns);

private:
    int columns_ = 2;
};

} // namespace pelmo::ui
