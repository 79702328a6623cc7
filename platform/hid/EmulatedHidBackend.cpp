#include "platform/hid/EmulatedHidBackend.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/debug/DebugOutput.h"
#include "platform/files/AtomicFile.h"

namespace pelmo::platform {

namespace {

constexpr std::uint16_t kVendorId = 0x251F;
constexpr std::uint16_t kProductId = 0x1002;
constexpr HidUsage kPointerCollection{0x0001, 0x0002};
constexpr HidUsage kConfigurationCollection{0xFF01, 0x0002};

// Holds an exclusive lock on STATE_FILE.lock for as long as it lives, so two
// processes never interleave transfers on one emulated mouse.
class StateLock {
public:
    explicit StateLock(const std::string& stateFile)
    {
        std::string lockPath = stateFile + ".lock";
        fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0)
            return;
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~StateLock()
    {
        if (fd_ >= 0)
            ::close(fd_); // closing releases the lock
    }
    StateLock(const StateLock&) = delete;
    StateLock& operator=(const StateLock&) = delete;

private:
    int fd_ = -1;
};

} // namespace

class EmulatedHidBackend::Handle final : public HidHandle {
public:
    Handle(EmulatedHidBackend& backend, std::unique_ptr<StateLock> lock)
        : backend_(backend)
        , lock_(std::move(lock))
    {
    }

    bool setFeature(const std::uint8_t* report, std::size_t length) override
    {
        bool ok = backend_.mouse_->setFeature(report, length);
        persist();
        return ok;
    }

    bool getFeature(std::uint8_t* report, std::size_t length) override
    {
        bool ok = backend_.mouse_->getFeature(report, length);
        persist();
        return ok;
    }

private:
    // Fault counters move on every transfer, so the state is written back
    // whenever anything of it changed.
    void persist()
    {
        if (!backend_.stateFile_)
            return;
        auto bytes = emulator::EmulatedMouse::serialize(backend_.mouse_->state());
        if (bytes == lastSaved_)
            return;
        std::string error;
        if (!writeFileAtomically(*backend_.stateFile_, bytes, &error, Durability::Unsynced))
            debugOutput("the emulated mouse cannot save its state: " + error);
        lastSaved_ = std::move(bytes);
    }

    EmulatedHidBackend& backend_;
    std::unique_ptr<StateLock> lock_;
    std::vector<std::uint8_t> lastSaved_;
};

EmulatedHidBackend::EmulatedHidBackend()
    : mouse_(std::make_unique<emulator::EmulatedMouse>())
{
}

EmulatedHidBackend::EmulatedHidBackend(std::string stateFile)
    : mouse_(std::make_unique<emulator::EmulatedMouse>())
    , stateFile_(std::move(stateFile))
{
    reload();
}

EmulatedHidBackend::~EmulatedHidBackend() = default;

void EmulatedHidBackend::reload()
{
    if (!stateFile_)
        return;
    if (auto state = loadState(*stateFile_))
        mouse_ = std::make_unique<emulator::EmulatedMouse>(*state);
}

std::vector<HidInterfaceInfo> EmulatedHidBackend::enumerate()
{
    if (stateFile_) {
        StateLock lock(*stateFile_);
        reload();
    }
    if (!mouse_->plugged())
        return {};
    return {
        HidInterfaceInfo{kPointerPath, kVendorId, kProductId, {kPointerCollection}},
        HidInterfaceInfo{kConfigurationPath, kVendorId, kProductId, {kConfigurationCollection}},
    };
}

std::unique_ptr<HidHandle> EmulatedHidBackend::open(const std::string& path, HidOpenError& error)
{
    if (path != kPointerPath && path != kConfigurationPath) {
        error = {ENOENT, "cannot open " + path + ": the emulated mouse has no such interface"};
        return nullptr;
    }
    std::unique_ptr<StateLock> lock;
    if (stateFile_) {
        lock = std::make_unique<StateLock>(*stateFile_);
        reload();
    }
    if (!mouse_->plugged()) {
        error = {ENODEV, "cannot open " + path + ": the emulated mouse is unplugged"};
        return nullptr;
    }
    return std::make_unique<Handle>(*this, std::move(lock));
}

std::optional<emulator::MouseState> EmulatedHidBackend::loadState(const std::string& stateFile)
{
    auto bytes = readWholeFile(stateFile, 1u << 20);
    if (!bytes)
        return std::nullopt;
    auto state = emulator::EmulatedMouse::deserialize(*bytes);
    if (!state)
        debugOutput("the emulated mouse's state file " + stateFile + " is not valid; using a factory mouse");
    return state;
}

bool EmulatedHidBackend::saveState(const std::string& stateFile, const emulator::MouseState& state, std::string* error)
{
    return writeFileAtomically(stateFile, emulator::EmulatedMouse::serialize(state), error);
}

} // namespace pelmo::platform
