#pragma once

#include <string>
#include <sys/types.h>

namespace pelmo::test {

// A private headless X server for the tests that need a real one. It picks
// a free display number itself and stops when the object goes away.
class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return !display_.empty(); }
    // ":N", for XOpenDisplay or $DISPLAY.
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

} // namespace pelmo::test
