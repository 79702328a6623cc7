#include "platform/hid/HidTrace.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "platform/debug/DebugOutput.h"

namespace pelmo::platform {

HidTrace::HidTrace(const std::string& path)
{
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0)
        debugOutput("cannot open the trace file " + path + "; tracing is off");
}

HidTrace::~HidTrace()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void HidTrace::line(std::string_view text)
{
    if (fd_ < 0)
        return;
    std::string buffer(text);
    buffer.push_back('\n');
    std::size_t done = 0;
    while (done < buffer.size()) {
        ssize_t written = ::write(fd_, buffer.data() + done, buffer.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        done += static_cast<std::size_t>(written);
    }
}

void HidTrace::transfer(std::string_view verb, const std::uint8_t* bytes, std::size_t length)
{
    if (fd_ < 0)
        return;
    line(std::string(verb) + " " + std::to_string(length) + " " + hex(bytes, length));
}

std::string HidTrace::hex(const std::uint8_t* bytes, std::size_t length)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(length * 3);
    for (std::size_t i = 0; i < length; ++i) {
        if (i)
            text.push_back(' ');
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 15]);
    }
    return text;
}

} // namespace pelmo::platform
