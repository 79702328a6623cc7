#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace pelmo::platform {

// A shared library loaded at run time. The program names libraries as the
// design does ("pelmo_api.dll"); on Linux that name resolves to
// "libpelmo_api.so", looked for beside the executable first and then on the
// standard search path. The library stays loaded while the object lives.
class SharedLibrary {
public:
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Null when the library cannot be loaded; `error` then says why.
    static std::unique_ptr<SharedLibrary> load(std::string_view name, std::string* error = nullptr);

    // The address of an exported symbol, or null.
    void* symbol(const char* name) const;

    const std::string& path() const { return path_; }

    // "pelmo_api.dll" -> "libpelmo_api.so"; names that are already Linux names stay.
    static std::string linuxFileName(std::string_view name);

private:
    SharedLibrary(void* handle, std::string path);

    void* handle_;
    std::string path_;
};

} // namespace pelmo::platform
