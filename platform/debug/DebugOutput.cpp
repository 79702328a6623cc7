#include "platform/debug/DebugOutput.h"

#include <cstdio>
#include <cstdlib>

namespace pelmo::platform {

bool debugOutputEnabled()
{
    const char* value = std::getenv("PELMO_DEBUG");
    return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

void debugOutput(std::string_view line)
{
    if (!debugOutputEnabled())
        return;
    std::fprintf(stderr, "pelmo: %.*s\n", static_cast<int>(line.size()), line.data());
}

} // namespace pelmo::platform
