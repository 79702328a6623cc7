#include "platform/system/ProgramFolder.h"

#include <climits>
#include <unistd.h>

namespace pelmo::platform {

std::string programFolder()
{
    char path[PATH_MAX];
    ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return "./";
    std::string folder(path, static_cast<std::size_t>(length));
    return folder.substr(0, folder.find_last_of('/') + 1);
}

} // namespace pelmo::platform
