// pelmoctl: the Pelmo mouse from the command line.
//
//   pelmoctl [--emulate[=STATE]] [--trace FILE] [--home DIR] [--quiet] COMMAND ...
//
// It loads pelmo_api by name at run time, as the desktop program does, and
// reads and writes the same settings files.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "CtlSession.h"
#include "SettingsJson.h"
#include "app/settings/StoreDefaults.h"
#include "platform/files/AtomicFile.h"

namespace {

using namespace pelmo;
using tools::CtlSession;
using tools::GlobalOptions;
using tools::SettingsKind;

constexpr int kFailure = 1;
constexpr int kUsage = 2;

const std::map<std::string, const char*> kUsageTexts = {
    {"", "usage: pelmoctl [--emulate[=STATE]] [--trace FILE] [--home DIR] [--quiet] COMMAND [ARGS]\n"
         "\n"
         "commands:\n"
         "  info                        whether the mouse is found, its firmware and current profile\n"
         "  read [--out FILE]           read the five profiles and the macros from the mouse\n"
         "  apply [FILE]                write the settings to the mouse\n"
         "  apply --profile N FILE.zrp  load a profile file into profile N, then apply\n"
         "  lights on|off               switch the mouse's lighting\n"
         "  reset                       apply and save the factory settings\n"
         "  export INPUT OUTPUT.json    a settings, .zrp or .zrm file as JSON\n"
         "  import INPUT.json OUTPUT    JSON back into a settings, .zrp or .zrm file\n"
         "\n"
         "options:\n"
         "  --emulate[=STATE]  use the emulated mouse, keeping its state in STATE\n"
         "                     (default: emulated-mouse.state in the data folder)\n"
         "  --trace FILE       append every report exchanged with the mouse to FILE\n"
         "  --home DIR         keep the settings in DIR instead of the data folder\n"
         "  --quiet            no progress display\n"
         "\n"
         "Run 'pelmoctl COMMAND --help' for one command.\n"},
    {"info", "usage: pelmoctl info\n"
             "Says whether the mouse is found (and why not), its firmware version and its current\n"
             "on-board profile (1-5). Exits 1 when the mouse cannot be opened.\n"},
    {"read", "usage: pelmoctl read [--out FILE]\n"
             "Reads the five profiles and the macros from the mouse and writes all settings to FILE\n"
             "(default: profile/AllProfile in the data folder).\n"},
    {"apply", "usage: pelmoctl apply [FILE]\n"
              "       pelmoctl apply --profile N FILE.zrp\n"
              "Writes the settings in FILE (default: profile/AllProfile in the data folder) to the mouse,\n"
              "selects the active profile and applies its pointer settings to this session; the settings\n"
              "are then saved in the data folder. With --profile, the profile file is first loaded into\n"
              "profile N (1-5) of the data folder's settings.\n"},
    {"lights", "usage: pelmoctl lights on|off\n"
               "Switches the mouse's lighting on or off.\n"},
    {"reset", "usage: pelmoctl reset\n"
              "Applies the factory settings to the mouse and saves them in the data folder; the macros\n"
              "are kept.\n"},
    {"export", "usage: pelmoctl export INPUT OUTPUT.json\n"
               "Writes a settings file as readable JSON. INPUT is a profile file (.zrp), a macro file\n"
               "(.zrm) or, by any other name, a whole settings file (AllProfile).\n"},
    {"import", "usage: pelmoctl import INPUT.json OUTPUT\n"
               "Turns the JSON form back into the file it came from. Every field is checked first;\n"
               "nothing is written unless all are valid. OUTPUT's extension must match the JSON's kind\n"
               "(.zrp for a profile, .zrm for macros, anything else for settings).\n"},
};

int usage(const std::string& command, FILE* stream = stderr)
{
    std::fputs(kUsageTexts.at(command), stream);
    return stream == stdout ? 0 : kUsage;
}

int fail(const std::string& line)
{
    std::fprintf(stderr, "pelmoctl: %s\n", line.c_str());
    return kFailure;
}

const char* resultText(int result)
{
    switch (result) {
    case 2:
        return "refused the request";
    case 3:
        return "stopped answering";
    case 255:
        return "reported an error";
    default:
        return "answered unexpectedly";
    }
}

// --- commands that talk to the mouse ---------------------------------------

int info(CtlSession& session)
{
    if (!session.library.open()) {
        std::printf("mouse: not found\n");
        return session.mouseNotReachable();
    }
    std::uint16_t version = 0;
    std::uint8_t a = 0, b = 0, profile = 0;
    const ApiResult versionResult = session.library.getFirmwareInfo(&version, &a, &b);
    const ApiResult profileResult = session.library.getCurrentProfile(&profile);
    session.library.close();

    std::printf("mouse: found\n");
    if (versionResult == ApiResult::Ok)
        std::printf("firmware: %s\n", app::firmwareVersionText(version).c_str());
    if (profileResult == ApiResult::Ok)
        std::printf("profile: %d\n", profile + 1);
    if (versionResult != ApiResult::Ok || profileResult != ApiResult::Ok)
        return fail(std::string("the mouse ") + resultText(static_cast<int>(
                        versionResult != ApiResult::Ok ? versionResult : profileResult)));
    return 0;
}

int readMouse(CtlSession& session, const std::vector<std::string>& args)
{
    std::string out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out" && i + 1 < args.size())
            out = args[++i];
        else if (args[i].starts_with("--out="))
            out = args[i].substr(6);
        else
            return usage("read");
    }
    // Names and anything else the mouse does not keep come from the settings
    // the program already has.
    session.files.readAllProfiles();
    int result;
    {
        tools::Progress progress(session.options, "Reading the mouse");
        result = session.link.readAllFromMouse(session.view);
    }
    if (result == 0)
        return session.mouseNotReachable();
    if (result != 1)
        return fail(std::string("the mouse ") + resultText(result) + " while its profiles were read; nothing was saved");
    if (out.empty() && !session.data.createFolders())
        return fail("cannot create the data folder " + session.data.path());
    if (!session.files.writeAllProfiles(out))
        return fail(session.files.lastError());
    if (!session.options.quiet)
        std::printf("read 5 profiles and %d macros into %s\n", session.store->macroCount,
                    out.empty() ? session.data.allProfilePath().c_str() : out.c_str());
    return 0;
}

std::string readProblem(app::ReadResult result, const std::string& path)
{
    return result == app::ReadResult::NotOpened ? "cannot open " + path : path + " is empty";
}

// Writes the settings to the mouse and saves them as the program does after
// an apply.
int applyAndSave(CtlSession& session, const char* what)
{
    int result;
    {
        tools::Progress progress(session.options, what);
        result = session.link.applyAllToMouse(session.view);
    }
    if (result == 0)
        return session.mouseNotReachable();
    if (!session.data.createFolders() || !session.files.writeAllProfiles() || !session.macros.writeMacroStore())
        return fail("the mouse took the settings, but saving them failed: " + session.files.lastError()
                    + session.macros.lastError());
    if (result != 1)
        return fail(std::string("the mouse ") + resultText(result) + " while the profiles were written");
    return 0;
}

int applySettings(CtlSession& session, const std::vector<std::string>& args)
{
    int profile = 0;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--profile" && i + 1 < args.size()) {
            const std::string& number = args[++i];
            profile = number.size() == 1 && number[0] >= '1' && number[0] <= '5' ? number[0] - '0' : -1;
            if (profile < 0)
                return fail("--profile takes a profile number from 1 to 5, not '" + number + "'");
        } else if (args[i].starts_with("--")) {
            return usage("apply");
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() > 1 || (profile && files.size() != 1))
        return usage("apply");

    const std::string settingsPath = profile || files.empty() ? session.data.allProfilePath() : files[0];
    if (auto result = session.files.readAllProfiles(profile ? std::string() : settingsPath);
        result != app::ReadResult::Ok)
        return fail(readProblem(result, settingsPath));
    session.macros.readMacroStore();
    if (profile) {
        if (auto result = session.files.loadProfileFile(files[0], profile - 1); result != app::ReadResult::Ok)
            return fail(readProblem(result, files[0]));
    }
    session.link.setCurrentProfileNumber(static_cast<std::uint8_t>(session.store->activeProfile));
    return applyAndSave(session, "Writing the mouse");
}

int lights(CtlSession& session, const std::vector<std::string>& args)
{
    if (args.size() != 1 || (args[0] != "on" && args[0] != "off"))
        return usage("lights");
    if (!session.library.open())
        return session.mouseNotReachable();
    if (!session.link.setLights(args[0] == "on"))
        return fail("the mouse did not switch its lighting");
    return 0;
}

int reset(CtlSession& session)
{
    // The macros outlive a reset; they come from the saved settings.
    session.files.readAllProfiles();
    session.macros.readMacroStore();
    app::restoreDefaults(*session.store, session.link);
    session.link.setCurrentProfileNumber(1);
    return applyAndSave(session, "Resetting the mouse");
}

// --- the JSON form ---------------------------------------------------------

int exportFile(CtlSession& session, const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return usage("export");
    const std::string& input = args[0];
    const SettingsKind kind = tools::settingsKindOfPath(input);
    app::ReadResult result;
    switch (kind) {
    case SettingsKind::Profile:
        result = session.files.loadProfileFile(input, 0);
        break;
    case SettingsKind::Macros:
        result = session.macros.readMacroStore(input);
        if (result == app::ReadResult::Unusable && !session.macros.lastError().empty())
            return fail(session.macros.lastError());
        break;
    default:
        result = session.files.readAllProfiles(input);
    }
    if (result != app::ReadResult::Ok)
        return fail(readProblem(result, input));

    const std::string text = tools::exportSettings(*session.store, kind).dump(2) + "\n";
    std::string error;
    if (!platform::writeFileAtomically(args[1], {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()},
                                       &error))
        return fail(error);
    return 0;
}

int importFile(CtlSession& session, const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return usage("import");
    auto bytes = platform::readWholeFile(args[0]);
    if (!bytes)
        return fail("cannot open " + args[0]);
    nlohmann::json json = nlohmann::json::parse(bytes->begin(), bytes->end(), nullptr, false);
    if (json.is_discarded())
        return fail(args[0] + " is not valid JSON");

    std::vector<std::string> errors;
    auto kind = tools::importSettings(json, *session.store, errors);
    if (!kind) {
        for (const std::string& error : errors)
            std::fprintf(stderr, "pelmoctl: %s: %s\n", args[0].c_str(), error.c_str());
        return fail("nothing was written");
    }
    if (*kind != tools::settingsKindOfPath(args[1]))
        return fail("the JSON holds " + std::string(*kind == SettingsKind::Profile ? "a profile"
                                                    : *kind == SettingsKind::Macros ? "macros" : "whole settings")
                    + ", which " + args[1] + " by its extension cannot hold; nothing was written");

    std::span<const std::uint8_t> image;
    switch (*kind) {
    case SettingsKind::Profile:
        image = app::profileBytes(session.store->profiles[0]);
        break;
    case SettingsKind::Macros:
        image = app::macroFileBytes(*session.store);
        break;
    default:
        image = app::storeBytes(*session.store);
    }
    std::string error;
    if (!platform::writeFileAtomically(args[1], image, &error))
        return fail(error);
    return 0;
}

// --- the command line ------------------------------------------------------

bool takeValue(const std::string& arg, const char* name, int& i, int argc, char** argv, std::string& value)
{
    const std::string flag = std::string("--") + name;
    if (arg == flag && i + 1 < argc) {
        value = argv[++i];
        return true;
    }
    if (arg.starts_with(flag + "=")) {
        value = arg.substr(flag.size() + 1);
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    GlobalOptions options;
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
        const std::string arg = argv[i];
        std::string value;
        if (arg == "--help" || arg == "-h")
            return usage("", stdout);
        if (arg == "--quiet")
            options.quiet = true;
        else if (arg == "--emulate")
            options.emulate = std::string();
        else if (arg.starts_with("--emulate="))
            options.emulate = arg.substr(10);
        else if (takeValue(arg, "trace", i, argc, argv, value))
            options.trace = value;
        else if (takeValue(arg, "home", i, argc, argv, value))
            options.home = value;
        else {
            std::fprintf(stderr, "pelmoctl: unknown option %s\n", arg.c_str());
            return usage("");
        }
    }
    if (i >= argc)
        return usage("");
    const std::string command = argv[i++];
    std::vector<std::string> args(argv + i, argv + argc);
    if (!kUsageTexts.contains(command) || command.empty()) {
        std::fprintf(stderr, "pelmoctl: unknown command '%s'\n", command.c_str());
        return usage("");
    }
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h")
            return usage(command, stdout);

    CtlSession session(options);
    if (command == "export")
        return exportFile(session, args);
    if (command == "import")
        return importFile(session, args);

    if (!session.bindLibrary())
        return kFailure;
    if (command == "info")
        return args.empty() ? info(session) : usage("info");
    if (command == "read")
        return readMouse(session, args);
    if (command == "apply")
        return applySettings(session, args);
    if (command == "lights")
        return lights(session, args);
    return args.empty() ? reset(session) : usage("reset");
}
