// pelmoctl: configures the Pelmo mouse from the command line.

#include <cstdio>
#include <cstring>
#include <string>

#include "pelmo_api.h"
#include "platform/system/SharedLibrary.h"

namespace {

struct Api {
    int (*open)() = nullptr;
    int (*close)() = nullptr;
    int (*lastDiagnostic)(char*, int) = nullptr;
    ApiResult (*firmwareInfo)(uint16_t*, uint8_t*, uint8_t*) = nullptr;
    ApiResult (*currentProfile)(uint8_t*) = nullptr;
};

template <typename Function>
bool bind(const pelmo::platform::SharedLibrary& library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(library.symbol(name));
    if (!function)
        std::fprintf(stderr, "pelmoctl: %s has no entry point %s; reinstall Pelmo\n", library.path().c_str(), name);
    return function != nullptr;
}

int usage(FILE* stream)
{
    std::fputs("usage: pelmoctl info\n"
               "  info   whether the mouse is found, its firmware version and current on-board profile\n",
               stream);
    return stream == stdout ? 0 : 2;
}

int info(const Api& api)
{
    if (!api.open()) {
        char reason[512];
        api.lastDiagnostic(reason, sizeof reason);
        std::printf("mouse: not found\n");
        std::fprintf(stderr, "pelmoctl: %s\n", reason[0] ? reason : "no Pelmo mouse is connected");
        return 1;
    }
    uint16_t version = 0;
    uint8_t infoA = 0, infoB = 0, profile = 0;
    ApiResult versionResult = api.firmwareInfo(&version, &infoA, &infoB);
    ApiResult profileResult = api.currentProfile(&profile);
    api.close();

    std::printf("mouse: found\n");
    if (versionResult == ApiResult::Ok)
        std::printf("firmware: V%d.%2.2d\n", version / 100, version % 100);
    else
        std::printf("firmware: unknown (the mouse answered %d)\n", static_cast<int>(versionResult));
    if (profileResult == ApiResult::Ok)
        std::printf("profile: %d\n", profile + 1);
    else
        std::printf("profile: unknown (the mouse answered %d)\n", static_cast<int>(profileResult));
    return versionResult == ApiResult::Ok && profileResult == ApiResult::Ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage(stderr);
    std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help")
        return usage(stdout);
    if (command != "info") {
        std::fprintf(stderr, "pelmoctl: unknown command '%s'\n", command.c_str());
        return usage(stderr);
    }
    if (argc > 2 && (std::strcmp(argv[2], "--help") == 0 || std::strcmp(argv[2], "-h") == 0))
        return usage(stdout);

    std::string error;
    auto library = pelmo::platform::SharedLibrary::load("pelmo_api.dll", &error);
    if (!library) {
        std::fprintf(stderr, "pelmoctl: cannot load the device library: %s\n", error.c_str());
        return 1;
    }
    Api api;
    bool bound = bind(*library, "Open_ZR_device", api.open) && bind(*library, "Close_ZR_device", api.close)
        && bind(*library, "Get_last_diagnostic", api.lastDiagnostic)
        && bind(*library, "Get_fw_info", api.firmwareInfo)
        && bind(*library, "Get_current_profile_id", api.currentProfile);
    if (!bound)
        return 1;
    return info(api);
}
