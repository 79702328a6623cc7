#pragma once

#include <cstdint>
#include <vector>

namespace pelmo::platform {

// The source of the protocol's fixed pauses. The mouse needs real time to
// answer; tests replace this with a VirtualClock so the pauses are recorded
// instead of slept.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(std::uint32_t milliseconds) = 0;
};

class RealClock final : public Clock {
public:
    void sleepMs(std::uint32_t milliseconds) override;
};

// Records every pause and advances a virtual time; never blocks.
class VirtualClock final : public Clock {
public:
    void sleepMs(std::uint32_t milliseconds) override
    {
        pauses_.push_back(milliseconds);
        nowMs_ += milliseconds;
    }

    const std::vector<std::uint32_t>& pauses() const { return pauses_; }
    std::uint64_t nowMs() const { return nowMs_; }
    void clear() { pauses_.clear(); }

private:
    std::vector<std::uint32_t> pauses_;
    std::uint64_t nowMs_ = 0;
};

} // namespace pelmo::platform
