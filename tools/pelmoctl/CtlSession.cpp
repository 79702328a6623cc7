#include "CtlSession.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <unistd.h>

#include "platform/dialogs/MessageBox.h"
#include "platform/system/ProgramFolder.h"

namespace pelmo::tools {

namespace {

app::DataFolder chooseDataFolder(const GlobalOptions& options)
{
    return app::DataFolder::choose(platform::programFolder(), app::DataFolder::Environment::current(), options.home);
}

// The library reads these when it is first used, so they are set before it is loaded.
void selectDevice(const GlobalOptions& options, const app::DataFolder& data)
{
    if (options.emulate) {
        const std::string state = options.emulate->empty() ? data.path() + "emulated-mouse.state" : *options.emulate;
        ::setenv("PELMO_DEVICE", ("emulated:" + state).c_str(), 1);
    }
    if (!options.trace.empty())
        ::setenv("PELMO_TRACE", options.trace.c_str(), 1);
}

} // namespace

CtlSession::CtlSession(const GlobalOptions& globalOptions)
    : options(globalOptions)
    , data(chooseDataFolder(globalOptions))
    , store(app::SettingsStore::create())
    , files(*store, data)
    , macros(*store, data.macroStorePath())
    , pointer(platform::SessionPointerSettings::forThisSession())
    , link(*store, library, files, macros, *pointer, clock)
{
    selectDevice(options, data);
}

bool CtlSession::bindLibrary()
{
    platform::StderrMessageBox messages("pelmoctl: ");
    if (!library.bindDeviceLibrary(messages, "pelmo_api.dll", "pelmoctl")) {
        std::fprintf(stderr, "pelmoctl: install Pelmo again, or put libpelmo_api.so beside pelmoctl\n");
        return false;
    }
    return true;
}

int CtlSession::mouseNotReachable()
{
    const std::string reason = library.lastDiagnostic();
    std::fprintf(stderr, "pelmoctl: cannot open the mouse: %s\n",
                 reason.empty() ? "no Pelmo mouse (USB 251f:1002) is connected" : reason.c_str());
    return 1;
}

struct Progress::State {
    std::mutex mutex;
    std::condition_variable wake;
    bool done = false;
    std::thread thread;
};

Progress::Progress(const GlobalOptions& options, std::string what)
{
    if (options.quiet || !::isatty(STDERR_FILENO))
        return;
    state_ = std::make_unique<State>();
    state_->thread = std::thread([state = state_.get(), what = std::move(what)] {
        const auto start = std::chrono::steady_clock::now();
        std::unique_lock lock(state->mutex);
        while (!state->wake.wait_for(lock, std::chrono::milliseconds(100), [state] { return state->done; })) {
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::fprintf(stderr, "\r%s... %.1f s", what.c_str(), seconds);
            std::fflush(stderr);
        }
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
    });
}

Progress::~Progress()
{
    if (!state_)
        return;
    {
        std::lock_guard lock(state_->mutex);
        state_->done = true;
    }
    state_->wake.notify_one();
    state_->thread.join();
}

} // namespace pelmo::tools
