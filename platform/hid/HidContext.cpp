#include "platform/hid/HidContext.h"

#include <cstdlib>
#include <string_view>

#include "platform/debug/DebugOutput.h"
#include "platform/hid/EmulatedHidBackend.h"
#include "platform/hid/HidrawBackend.h"

namespace pelmo::platform {

HidContext::HidContext(std::unique_ptr<HidBackend> backend, std::unique_ptr<Clock> clock,
                       std::unique_ptr<HidTrace> trace)
    : backend_(std::move(backend))
    , clock_(std::move(clock))
    , trace_(std::move(trace))
{
}

std::unique_ptr<HidContext> HidContext::fromEnvironment()
{
    std::unique_ptr<HidBackend> backend;
    const char* device = std::getenv("PELMO_DEVICE");
    std::string_view selection = device ? device : "";
    if (selection == "emulated") {
        backend = std::make_unique<EmulatedHidBackend>();
    } else if (selection.starts_with("emulated:")) {
        backend = std::make_unique<EmulatedHidBackend>(std::string(selection.substr(9)));
    } else {
        if (!selection.empty() && selection != "hidraw")
            debugOutput("PELMO_DEVICE=" + std::string(selection) + " is not known; using hidraw");
        backend = std::make_unique<HidrawBackend>();
    }

    std::unique_ptr<HidTrace> trace;
    if (const char* path = std::getenv("PELMO_TRACE"); path && *path)
        trace = std::make_unique<HidTrace>(path);

    return std::make_unique<HidContext>(std::move(backend), std::make_unique<RealClock>(), std::move(trace));
}

std::vector<HidInterfaceInfo> HidContext::enumerate()
{
    return backend_->enumerate();
}

std::unique_ptr<HidHandle> HidContext::open(const std::string& path)
{
    HidOpenError error;
    std::unique_ptr<HidHandle> handle = backend_->open(path, error);
    if (!handle) {
        trace("FAIL OPEN " + path);
        if (!error.message.empty())
            diagnose(error.message);
        return nullptr;
    }
    trace("OPEN " + path);
    return handle;
}

void HidContext::close(std::unique_ptr<HidHandle>& handle)
{
    if (!handle)
        return;
    handle.reset();
    trace("CLOSE");
}

bool HidContext::setFeature(HidHandle& handle, const std::uint8_t* report, std::size_t length)
{
    if (!handle.setFeature(report, length)) {
        trace("FAIL SET " + std::to_string(length));
        return false;
    }
    if (trace_)
        trace_->transfer("SET", report, length);
    return true;
}

bool HidContext::getFeature(HidHandle& handle, std::uint8_t* report, std::size_t length)
{
    if (!handle.getFeature(report, length)) {
        trace("FAIL GET " + std::to_string(length));
        return false;
    }
    if (trace_)
        trace_->transfer("GET", report, length);
    return true;
}

void HidContext::sleepMs(std::uint32_t milliseconds)
{
    trace("SLEEP " + std::to_string(milliseconds));
    clock_->sleepMs(milliseconds);
}

void HidContext::diagnose(std::string line)
{
    debugOutput(line);
    lastDiagnostic_ = std::move(line);
}

void HidContext::trace(std::string_view line)
{
    if (trace_)
        trace_->line(line);
}

} // namespace pelmo::platform
