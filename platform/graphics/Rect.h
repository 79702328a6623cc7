#pragma once

#include <algorithm>

namespace pelmo::platform {

// A rectangle in pixel coordinates; right and bottom are exclusive, as in
// every rectangle the UI framework exchanges.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }

    constexpr Rect intersected(const Rect& other) const
    {
        Rect result{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                    std::min(bottom, other.bottom)};
        if (result.isEmpty())
            return Rect{};
        return result;
    }
    constexpr bool intersects(const Rect& other) const { return !intersected(other).isEmpty(); }

    // The smallest rectangle holding both; an empty rectangle adds nothing.
    constexpr Rect united(const Rect& other) const
    {
        if (isEmpty())
            return other;
        if (other.isEmpty())
            return *this;
        return Rect{std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                    std::max(bottom, other.bottom)};
    }
    constexpr Rect offset(int dx, int dy) const { return Rect{left + dx, top + dy, right + dx, bottom + dy}; }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

} // namespace pelmo::platform
