#pragma once

#include <csignal>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <linux/capability.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "PackedField.h"
#include "app/settings/IFirmwareSource.h"
#include "tests/platform/TemporaryFolder.h"

namespace pelmo::test {


inline std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::vector<std::uint8_t> fixture(const std::string& name)
{
    return fileBytes(std::string(PELMO_FIXTURES) + "/app/" + name);
}

inline std::string fixturePath(const std::string& name)
{
    return std::string(PELMO_FIXTURES) + "/app/" + name;
}

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
}

inline void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string fileText(const std::string& path)
{
    auto bytes = fileBytes(path);
    return {bytes.begin(), bytes.end()};
}

// A mouse whose firmware version is whatever the test sets; 0 stands for
// "never read", as with no mouse attached since start.
class FakeFirmware : public app::IFirmwareSource {
public:
    explicit FakeFirmware(std::uint16_t version = 0) : version_(version) {}
    std::uint16_t readFirmwareVersion() override { return version_; }

private:
    std::uint16_t version_;
};

// Runs `body` in a child process that, like an ordinary user, cannot write
// where the permissions forbid it even when the tests run as root, and
// returns the child's exit status (-1 when it did not exit normally).
inline int runWithoutPermissionOverride(const std::function<int()>& body)
{
    pid_t child = ::fork();
    if (child == 0) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2] = {};
        if (::syscall(SYS_capget, &header, data) == 0) {
            data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
            if (::syscall(SYS_capset, &header, data) != 0)
                ::_exit(125);
        }
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs `body` over and over in a child process and kills it after
// `microseconds`, as a crash or a power cut would stop the program mid-write.
inline void killWhileRunning(const std::function<void()>& body, unsigned microseconds)
{
    pid_t child = ::fork();
    if (child == 0) {
        for (;;)
            body();
    }
    ::usleep(microseconds);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
}

} // namespace pelmo::test
