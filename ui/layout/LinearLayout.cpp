#include "ui/layout/LinearLayout.h"

#include <algorithm>

namespace pelmo::ui {

namespace {
int clampTo(int value, int minimum, int maximum) { return std::max(minimum, std::min(value, std::max(minimum, maximum))); }
} // namespace

int LinearLayout::Arrange(std::vector<Child>& children, int mainStart, int mainLength, int crossStart,
                          int crossLength, int gap, std::vector<Placement>& placements, int& crossUsed)
{
    // First pass: the fixed extents and the number of children that share
    // what is left.
    int adjustable = 0;
    int fixedSum = 0;
    for (Child& child : children) {
        if (child.mainSize == 0)
            ++adjustable;
        else {
            child.mainSize = clampTo(child.mainSize, child.mainMin, child.mainMax);
            fixedSum += child.mainSize;
        }
        fixedSum += child.mainPaddingBefore + child.mainPaddingAfter;
    }
    if (!children.empty())
        fixedSum += gap * (static_cast<int>(children.size()) - 1);

    const int share = adjustable > 0 ? std::max(0, (mainLength - fixedSum) / adjustable) : 0;
    int left = std::max(0, mainLength - fixedSum);
    int adjustableSeen = 0;
    int position = mainStart;
    crossUsed = 0;
    placements.clear();
    for (const Child& child : children) {
        int size = child.mainSize;
        if (size == 0) {
            ++adjustableSeen;
            size = adjustableSeen == adjustable ? left : std::min(share, left);
            size = clampTo(size, child.mainMin, child.mainMax);
            left = std::max(0, left - size);
        }
        const int crossAvailable = crossLength - child.crossPaddingBefore - child.crossPaddingAfter;
        const int cross = std::max(0, clampTo(child.crossSize > 0 ? child.crossSize : crossAvailable, child.crossMin,
                                              child.crossMax));
        placements.push_back(Placement{position + child.mainPaddingBefore, size, crossStart + child.crossPaddingBefore,
                                       cross});
        const int extent = child.mainPaddingBefore + size + child.mainPaddingAfter;
        position += extent + gap;
        crossUsed = std::max(crossUsed, child.crossPaddingBefore + cross + child.crossPaddingAfter);
    }
    return children.empty() ? 0 : position - gap - mainStart;
}

} // namespace pelmo::ui
