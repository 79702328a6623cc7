#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pelmo::platform {

// The protocol trace a user turns on with PELMO_TRACE=FILE. One line per
// event, appended with a single write so that several processes can share
// one file:
//   OPEN <path> | CLOSE | SET <len> <hex bytes> | GET <len> <hex bytes>
//   SLEEP <ms> | FAIL <what>
// GET shows the bytes the device returned.
class HidTrace {
public:
    // Opens `path` for appending; a trace that cannot be opened stays silent
    // and says so once through the debug output.
    explicit HidTrace(const std::string& path);
    ~HidTrace();
    HidTrace(const HidTrace&) = delete;
    HidTrace& operator=(const HidTrace&) = delete;

    void line(std::string_view text);
    void transfer(std::string_view verb, const std::uint8_t* bytes, std::size_t length);

    static std::string hex(const std::uint8_t* bytes, std::size_t length);

private:
    int fd_ = -1;
};

} // namespace pelmo::platform
