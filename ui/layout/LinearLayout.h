#pragma once

#include <vector>

#include "ui/core/CControlUI.h"

namespace pelmo::ui {

// The arithmetic the vertical and horizontal layouts share, written for the
// vertical case: "main" is the stacking axis, "cross" the other one.
class LinearLayout {
public:
    struct Child {
        CControlUI* control;
        int mainSize;      // measured; 0 = adjustable
        int mainMin;
        int mainMax;
        int crossSize;     // fixed or 0
        int crossMin;
        int crossMax;
        int mainPaddingBefore;
        int mainPaddingAfter;
        int crossPaddingBefore;
        int crossPaddingAfter;
    };
    struct Placement {
        int mainStart;
        int mainSize;
        int crossStart;
        int crossSize;
    };

    // Places the children along [mainStart, mainStart + mainLength) and
    // across [crossStart, crossStart + crossLength); returns the length used
    // along the main axis and (in `crossUsed`) the widest cross extent.
    static int Arrange(std::vector<Child>& children, int mainStart, int mainLength, int crossStart, int crossLength,
                       int gap, std::vector<Placement>& placements, int& crossUsed);
};

} // namespace pelmo::ui
