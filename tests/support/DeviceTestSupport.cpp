#include "DeviceTestSupport.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

#include "device/HidTransport.h"
#include "pelmo_api.h"

namespace pelmo::test {

namespace {

class GuardBackend final : public platform::HidBackend {
public:
    std::vector<platform::HidInterfaceInfo> enumerate() override
    {
        ADD_FAILURE() << "a test reached for the system's HID devices without installing a context";
        return {};
    }
    std::unique_ptr<platform::HidHandle> open(const std::string& path, platform::HidOpenError&) override
    {
        ADD_FAILURE() << "a test tried to open " << path << " without installing a context";
        return nullptr;
    }
};

// Installs the guard before the first test, so even a test that forgets its
// fixture never builds a context from the environment.
class GuardEnvironment final : public ::testing::Environment {
public:
    void SetUp() override { device::replaceHidContext(guardContext()); }
};
const auto* const guardEnvironment = ::testing::AddGlobalTestEnvironment(new GuardEnvironment);

std::vector<std::uint8_t> parseHex(std::istringstream& stream)
{
    std::vector<std::uint8_t> bytes;
    std::string token;
    while (stream >> token)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(token, nullptr, 16)));
    return bytes;
}

} // namespace

std::unique_ptr<platform::HidContext> guardContext()
{
    return std::make_unique<platform::HidContext>(std::make_unique<GuardBackend>(),
                                                  std::make_unique<platform::VirtualClock>());
}

std::vector<TraceRecord> readTrace(const std::string& path)
{
    std::vector<TraceRecord> records;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream stream(line);
        TraceRecord record;
        stream >> record.verb;
        if (record.verb == "FAIL") {
            std::getline(stream >> std::ws, record.argument);
        } else {
            stream >> record.argument;
            record.bytes = parseHex(stream);
        }
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<std::uint8_t> commandRequest(std::uint8_t code, std::uint8_t argument1, std::uint8_t argument2)
{
    std::vector<std::uint8_t> report(64, 0);
    report[0] = 0x60;
    report[1] = code;
    report[5] = argument1;
    report[6] = argument2;
    return report;
}

void EmulatedMouseTest::SetUp()
{
    char pattern[] = "/tmp/pelmo-trace-XXXXXX";
    int fd = ::mkstemp(pattern);
    ASSERT_GE(fd, 0);
    ::close(fd);
    tracePath_ = pattern;

    auto backend = std::make_unique<platform::EmulatedHidBackend>();
    auto clock = std::make_unique<platform::VirtualClock>();
    backend_ = backend.get();
    clock_ = clock.get();
    device::replaceHidContext(std::make_unique<platform::HidContext>(
        std::move(backend), std::move(clock), std::make_unique<platform::HidTrace>(tracePath_)));
}

void EmulatedMouseTest::TearDown()
{
    device::replaceHidContext(guardContext());
    ::unlink(tracePath_.c_str());
}

void EmulatedMouseTest::resetTrace()
{
    std::ofstream(tracePath_, std::ios::trunc);
    clock_->clear();
}

std::vector<TraceRecord> EmulatedMouseTest::transfers() const
{
    std::vector<TraceRecord> kept;
    for (TraceRecord& record : trace())
        if (record.verb != "OPEN" && record.verb != "CLOSE")
            kept.push_back(std::move(record));
    return kept;
}

} // namespace pelmo::test
