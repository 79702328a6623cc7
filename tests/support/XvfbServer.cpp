#include "XvfbServer.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pelmo::test {

XvfbServer::XvfbServer()
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(pipeFds[0]);
        int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, STDOUT_FILENO);
        ::dup2(devNull, STDERR_FILENO);
        const std::string fd = std::to_string(pipeFds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0", "1920x1080x24",
                 static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    if (pid_ < 0) {
        ::close(pipeFds[0]);
        return;
    }

    // The server writes its display number once it accepts connections.
    std::string number;
    pollfd waiting{pipeFds[0], POLLIN, 0};
    while (::poll(&waiting, 1, 10000) > 0) {
        char c;
        if (::read(pipeFds[0], &c, 1) != 1 || c == '\n')
            break;
        number.push_back(c);
    }
    ::close(pipeFds[0]);
    if (!number.empty())
        display_ = ":" + number;
}

XvfbServer::~XvfbServer()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

} // namespace pelmo::test
