#include "app/settings/DataFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace pelmo::app {

namespace {

std::string withTrailingSlash(std::string folder)
{
    if (folder.empty())
        return "./";
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

std::string environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

DataFolder::Environment DataFolder::Environment::current()
{
    return {environmentValue("XDG_DATA_HOME"), environmentValue("HOME"),
            [](const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; }};
}

DataFolder DataFolder::choose(const std::string& programFolder, const Environment& environment,
                              const std::string& homeOverride)
{
    if (!homeOverride.empty())
        return DataFolder(homeOverride);
    if (environment.isWritable && environment.isWritable(programFolder))
        return DataFolder(programFolder);
    // XDG base directories are absolute paths; a relative XDG_DATA_HOME is ignored.
    if (!environment.xdgDataHome.empty() && environment.xdgDataHome.front() == '/')
        return DataFolder(withTrailingSlash(environment.xdgDataHome) + "pelmo");
    if (!environment.home.empty())
        return DataFolder(withTrailingSlash(environment.home) + ".local/share/pelmo");
    // Nowhere better to go: the program folder, whose writes will then fail
    // and be reported.
    return DataFolder(programFolder);
}

DataFolder::DataFolder(std::string folder) : folder_(withTrailingSlash(std::move(folder))) {}

bool DataFolder::createFolders(std::string* error) const
{
    for (const std::string& folder : {profileFolder(), macroFilesFolder()}) {
        std::error_code failure;
        std::filesystem::create_directories(folder, failure);
        if (failure) {
            if (error)
                *error = "cannot create " + folder + ": " + failure.message();
            return false;
        }
    }
    return true;
}

} // namespace pelmo::app
