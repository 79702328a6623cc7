#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/hid/HidBackend.h"

namespace pelmo::platform {

// The top-level collections of a HID report descriptor (HID 1.11, 6.2.2), in
// order. Long items are skipped; a descriptor cut short yields the
// collections that were complete enough to be opened before the cut. Never
// reads outside `descriptor`.
std::vector<HidUsage> topLevelCollections(std::span<const std::uint8_t> descriptor);

} // namespace pelmo::platform
