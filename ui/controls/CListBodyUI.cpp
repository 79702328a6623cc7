#include "ui/controls/CListBodyUI.h"

namespace pelmo::ui {

std::string_view CListBodyUI::GetClass() const { return "ListBodyUI"; }

} // namespace pelmo::ui
