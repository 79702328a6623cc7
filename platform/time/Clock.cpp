#include "platform/time/Clock.h"

#include <chrono>
#include <thread>

namespace pelmo::platform {

void RealClock::sleepMs(std::uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace pelmo::platform
