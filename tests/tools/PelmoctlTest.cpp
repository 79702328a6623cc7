// pelmoctl end to end against the emulated mouse: the commands a user runs,
// their output and exit status, and the reports they send.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "platform/hid/EmulatedHidBackend.h"
#include "tests/platform/TemporaryFolder.h"

namespace pelmo::test {
namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
};

std::string slurp(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class Pelmoctl : public ::testing::Test {
protected:
    // Runs pelmoctl with the test's data folder and emulated mouse, in a
    // session of its own (no display, its own runtime folder).
    Outcome run(std::vector<std::string> args, bool withMouse = true)
    {
        std::vector<std::string> argv = {PELMOCTL, "--quiet", "--home", home.path()};
        if (withMouse)
            argv.push_back("--emulate=" + statePath());
        argv.insert(argv.end(), args.begin(), args.end());

        const std::string outPath = home.file("stdout"), errPath = home.file("stderr");
        pid_t pid = ::fork();
        if (pid == 0) {
            ::setenv("XDG_RUNTIME_DIR", home.path().c_str(), 1);
            ::unsetenv("DISPLAY");
            ::unsetenv("PELMO_DEVICE");
            ::unsetenv("PELMO_TRACE");
            int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(out, STDOUT_FILENO);
            ::dup2(err, STDERR_FILENO);
            std::vector<char*> raw;
            for (std::string& arg : argv)
                raw.push_back(arg.data());
            raw.push_back(nullptr);
            ::execv(raw[0], raw.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(outPath), slurp(errPath)};
    }

    std::string statePath() const { return home.file("mouse.state"); }
    emulator::MouseState mouse() const { return *platform::EmulatedHidBackend::loadState(statePath()); }

    TemporaryFolder home;
};

TEST_F(Pelmoctl, ReadsExportsEditsImportsAppliesAndReadsBack)
{
    Outcome info = run({"info"});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out, "mouse: found\nfirmware: V1.23\nprofile: 1\n");

    ASSERT_EQ(run({"read"}).status, 0);
    EXPECT_EQ(std::filesystem::file_size(home.file("profile/AllProfile")), 2056231u);
    ASSERT_EQ(run({"export", home.file("profile/AllProfile"), home.file("all.json")}).status, 0);

    auto json = nlohmann::json::parse(slurp(home.file("all.json")));
    json["activeProfile"] = 2;
    json["profiles"][1]["buttons"][4] = {{"function", "Single Key"}, {"key", " B "}};
    json["profiles"][1]["optical"]["dpi"][0] = 800;
    json["profiles"][0]["buttons"][7] = {{"function", "Macro"}, {"macro", 1}, {"repeat", 3}};
    json["macroCount"] = 1;
    json["macros"] = {{{"slot", 0}, {"number", 0}, {"name", "Hello"},
                       {"events", {{{"key", " H "}, {"action", "down"}}, {{"delay", "0.020"}}, {{"key", " H "}, {"action", "up"}}}}}};
    std::ofstream(home.file("edited.json")) << json.dump(2);
    Outcome imported = run({"import", home.file("edited.json"), home.file("edited")});
    ASSERT_EQ(imported.status, 0) << imported.err;

    const std::string trace = home.file("trace.log");
    Outcome applied = run({"--trace", trace, "apply", home.file("edited")});
    ASSERT_EQ(applied.status, 0) << applied.err;

    // The mouse holds the edit: profile 2 active, button 5 of profile 2 types B
    // (HID usage 5), its first optical level is 800 DPI, and the macro sits at
    // the start of profile 1's macro area.
    const emulator::MouseState state = mouse();
    EXPECT_EQ(state.currentProfile, 1);
    EXPECT_EQ(state.images[1][80 + 7 * 4], 0x02);
    EXPECT_EQ(state.images[1][80 + 7 * 4 + 1], 0x05);
    EXPECT_EQ(state.images[1][52], 2);
    const std::uint8_t macroEntry[] = {0x03, 3, 0x0C, 0x03, 2, 0, 1}; // address 780, two events, macro 1
    EXPECT_TRUE(std::equal(macroEntry, macroEntry + 7, state.images[0].begin() + 80 + 7 * 7));
    const std::uint8_t firstLine[] = {0x01, 0x0B, 0x00, 0x01, 20, 0, 0}; // H down, then 20 ms
    EXPECT_TRUE(std::equal(firstLine, firstLine + 7, state.images[0].begin() + 800));

    // The trace shows the whole apply, ending with the profile selection.
    const std::string log = slurp(trace);
    EXPECT_EQ(log.rfind("OPEN ", 0), 0u);
    EXPECT_NE(log.find("SET 64 60 04 00 00 00 01 00"), std::string::npos);
    EXPECT_EQ(log.substr(log.size() - 6), "CLOSE\n");

    // Reading back gives the edited settings again.
    ASSERT_EQ(run({"read", "--out", home.file("back")}).status, 0);
    ASSERT_EQ(run({"export", home.file("back"), home.file("back.json")}).status, 0);
    auto back = nlohmann::json::parse(slurp(home.file("back.json")));
    EXPECT_EQ(back["activeProfile"], 2);
    EXPECT_EQ(back["profiles"][1]["buttons"][4]["key"], " B ");
    EXPECT_EQ(back["profiles"][1]["optical"]["dpi"][0], 800);
    EXPECT_EQ(back["profiles"][0]["buttons"][7]["repeat"], 3);
    EXPECT_EQ(back["macros"][0]["name"], "Hello"); // the name comes from the saved settings
    EXPECT_EQ(back["macros"][0]["events"][1]["delay"], "0.020");
    EXPECT_EQ(back["macros"][0]["events"][2]["action"], "up");
}

TEST_F(Pelmoctl, ImportAndExportRefuseBadInputWithoutWritingAnything)
{
    std::ofstream(home.file("bad.json")) << R"({"format": "pelmo-settings", "version": 1, "kind": "profile",
        "profile": {"enabled": 1}})";
    Outcome bad = run({"import", home.file("bad.json"), home.file("out.zrp")}, false);
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("profile.fileName: is missing"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("nothing was written"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(home.file("out.zrp")));

    std::ofstream(home.file("broken.json")) << "{ not json";
    EXPECT_EQ(run({"import", home.file("broken.json"), home.file("out")}, false).status, 1);

    Outcome missing = run({"export", home.file("nothing.zrp"), home.file("x.json")}, false);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos);

    // A profile exported from a .zrp cannot become a whole settings file.
    std::ofstream(home.file("short.zrp")) << "\x01";
    ASSERT_EQ(run({"export", home.file("short.zrp"), home.file("p.json")}, false).status, 0);
    Outcome mismatch = run({"import", home.file("p.json"), home.file("AllProfile")}, false);
    EXPECT_EQ(mismatch.status, 1);
    EXPECT_FALSE(std::filesystem::exists(home.file("AllProfile")));
    ASSERT_EQ(run({"import", home.file("p.json"), home.file("same.zrp")}, false).status, 0);
    EXPECT_EQ(std::filesystem::file_size(home.file("same.zrp")), 486u);
}

TEST_F(Pelmoctl, SaysWhyTheMouseCannotBeReached)
{
    auto state = emulator::EmulatedMouse::factoryState();
    state.faults.unplugged = 1;
    ASSERT_TRUE(platform::EmulatedHidBackend::saveState(statePath(), state));
    for (const char* command : {"info", "read", "reset"}) {
        Outcome result = run({command});
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_NE(result.err.find("no Pelmo mouse (USB 251f:1002) is connected"), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(home.file("profile/AllProfile")));

    Outcome noSettings = run({"apply"});
    EXPECT_EQ(noSettings.status, 1);
    EXPECT_NE(noSettings.err.find("cannot open " + home.file("profile/AllProfile")), std::string::npos);
    EXPECT_EQ(run({"lights", "dim"}).status, 2);
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    EXPECT_EQ(run({"info", "--help"}).status, 0);
}

TEST_F(Pelmoctl, ResetAppliesTheFactorySettingsAndKeepsTheMacros)
{
    ASSERT_EQ(run({"read"}).status, 0);
    auto state = mouse();
    state.images[2][21] = 5; // 125 Hz on profile 3
    ASSERT_TRUE(platform::EmulatedHidBackend::saveState(statePath(), state));
    ASSERT_EQ(run({"lights", "off"}).status, 0);
    EXPECT_EQ(mouse().lightsOn, 0);

    ASSERT_EQ(run({"reset"}).status, 0);
    EXPECT_EQ(mouse().images[2][21], 2);
    // The program's factory settings are what a new mouse holds.
    const auto reset = mouse();
    for (std::size_t p = 0; p < emulator::kProfileCount; ++p)
        EXPECT_EQ(reset.images[p], emulator::EmulatedMouse::factoryImages()[p]) << "profile " << p;
    EXPECT_TRUE(std::filesystem::exists(home.file("profile/Macros")));
}

} // namespace
} // namespace pelmo::test
