#include "platform/system/SharedLibrary.h"

#include <dlfcn.h>

#include "platform/system/ProgramFolder.h"

namespace pelmo::platform {

SharedLibrary::SharedLibrary(void* handle, std::string path)
    : handle_(handle)
    , path_(std::move(path))
{
}

SharedLibrary::~SharedLibrary()
{
    ::dlclose(handle_);
}

std::string SharedLibrary::linuxFileName(std::string_view name)
{
    std::string file(name);
    if (file.find('/') != std::string::npos)
        return file;
    if (file.size() > 4 && file.compare(file.size() - 4, 4, ".dll") == 0)
        file = file.substr(0, file.size() - 4) + ".so";
    if (!file.starts_with("lib"))
        file = "lib" + file;
    return file;
}

std::unique_ptr<SharedLibrary> SharedLibrary::load(std::string_view name, std::string* error)
{
    const std::string file = linuxFileName(name);
    std::string candidates[2] = {file, file};
    if (file.find('/') == std::string::npos)
        candidates[0] = programFolder() + file;

    std::string reasons;
    for (const std::string& candidate : candidates) {
        if (void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL))
            return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle, candidate));
        if (const char* reason = ::dlerror()) {
            if (!reasons.empty())
                reasons += "; ";
            reasons += reason;
        }
    }
    if (error)
        *error = reasons;
    return nullptr;
}

void* SharedLibrary::symbol(const char* name) const
{
    return ::dlsym(handle_, name);
}

} // namespace pelmo::platform
