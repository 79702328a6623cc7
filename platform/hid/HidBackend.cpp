#include "platform/hid/HidBackend.h"

#include <algorithm>

namespace pelmo::platform {

bool HidInterfaceInfo::hasCollection(HidUsage wanted) const
{
    return std::find(topLevelCollections.begin(), topLevelCollections.end(), wanted)
        != topLevelCollections.end();
}

} // namespace pelmo::platform
