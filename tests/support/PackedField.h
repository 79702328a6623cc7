#pragma once

namespace pelmo::test {

// Records are packed, and gtest's assertions take their arguments by
// reference, which must not bind to an unaligned field: this copies it.
template <typename T>
T copyOf(T field)
{
    return field;
}

} // namespace pelmo::test
