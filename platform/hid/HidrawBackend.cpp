#include "platform/hid/HidrawBackend.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <optional>
#include <string_view>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

#include "platform/files/AtomicFile.h"
#include "platform/hid/ReportDescriptor.h"

namespace pelmo::platform {

namespace {

// The kernel never hands out a report descriptor longer than this
// (HID_MAX_DESCRIPTOR_SIZE in include/linux/hid.h).
constexpr std::size_t kMaxDescriptorSize = 4096;

// A sysfs attribute is at most one page; the margin covers larger pages.
constexpr std::size_t kMaxUeventSize = 65536;

// The length of a feature report travels in the size field of the ioctl
// request number, which is _IOC_SIZEBITS wide; a longer length would spill
// into the neighbouring fields and name a different request.
constexpr std::size_t kMaxFeatureLength = (std::size_t{1} << _IOC_SIZEBITS) - 1;

class HidrawHandle final : public HidHandle {
public:
    explicit HidrawHandle(int fd) : fd_(fd) {}
    ~HidrawHandle() override { ::close(fd_); }

    HidrawHandle(const HidrawHandle&) = delete;
    HidrawHandle& operator=(const HidrawHandle&) = delete;

    bool setFeature(const std::uint8_t* report, std::size_t length) override
    {
        if (!report || length == 0 || length > kMaxFeatureLength)
            return false;
        int result = retryOnInterrupt([&] { return ::ioctl(fd_, HIDIOCSFEATURE(length), report); });
        return result >= 0;
    }

    bool getFeature(std::uint8_t* report, std::size_t length) override
    {
        if (!report || length == 0 || length > kMaxFeatureLength)
            return false;
        // HIDIOCGFEATURE takes the report id from byte 0 and returns the
        // report in place, id first, with the count of bytes received.
        int result = retryOnInterrupt([&] { return ::ioctl(fd_, HIDIOCGFEATURE(length), report); });
        return result > 0;
    }

private:
    template <typename Call>
    static int retryOnInterrupt(Call call)
    {
        int result;
        do {
            result = call();
        } while (result < 0 && errno == EINTR);
        return result;
    }

    int fd_;
};

// The N of a directory entry named hidrawN, N written in decimal.
std::optional<unsigned> hidrawNumber(std::string_view name)
{
    constexpr std::string_view kPrefix = "hidraw";
    if (!name.starts_with(kPrefix))
        return std::nullopt;
    std::string_view digits = name.substr(kPrefix.size());
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    unsigned number = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

std::optional<std::uint32_t> hexField(std::string_view field)
{
    if (field.empty() || field.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, 16);
    if (error != std::errc{} || end != field.data() + field.size())
        return std::nullopt;
    return value;
}

struct HidId {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

// The HID_ID line of a HID device's uevent, which the kernel writes as
// "HID_ID=%04X:%08X:%08X" (bus, vendor, product) in hid_uevent().
std::optional<HidId> parseHidId(std::string_view uevent)
{
    constexpr std::string_view kKey = "HID_ID=";
    while (!uevent.empty()) {
        std::size_t newline = uevent.find('\n');
        std::string_view line = uevent.substr(0, newline);
        uevent = newline == std::string_view::npos ? std::string_view{} : uevent.substr(newline + 1);
        if (!line.starts_with(kKey))
            continue;

        std::string_view value = line.substr(kKey.size());
        std::size_t firstColon = value.find(':');
        if (firstColon == std::string_view::npos)
            return std::nullopt;
        std::size_t secondColon = value.find(':', firstColon + 1);
        if (secondColon == std::string_view::npos)
            return std::nullopt;
        auto bus = hexField(value.substr(0, firstColon));
        auto vendor = hexField(value.substr(firstColon + 1, secondColon - firstColon - 1));
        auto product = hexField(value.substr(secondColon + 1));
        if (!bus || !vendor || !product)
            return std::nullopt;
        return HidId{static_cast<std::uint16_t>(*vendor & 0xFFFF), static_cast<std::uint16_t>(*product & 0xFFFF)};
    }
    return std::nullopt;
}

} // namespace

HidrawBackend::HidrawBackend(std::string sysfsRoot, std::string deviceRoot)
    : sysfsRoot_(std::move(sysfsRoot)), deviceRoot_(std::move(deviceRoot))
{
}

std::vector<HidInterfaceInfo> HidrawBackend::enumerate()
{
    std::vector<std::pair<unsigned, std::string>> nodes;
    if (DIR* folder = ::opendir(sysfsRoot_.c_str())) {
        // Entries under /sys/class/hidraw are symlinks into the device tree,
        // so the entry type is not checked; reading through them is enough.
        while (const dirent* entry = ::readdir(folder)) {
            if (auto number = hidrawNumber(entry->d_name))
                nodes.emplace_back(*number, entry->d_name);
        }
        ::closedir(folder);
    }
    std::sort(nodes.begin(), nodes.end());

    std::vector<HidInterfaceInfo> interfaces;
    for (const auto& [number, name] : nodes) {
        const std::string device = sysfsRoot_ + "/" + name + "/device/";
        auto uevent = readWholeFile(device + "uevent", kMaxUeventSize);
        if (!uevent)
            continue;
        auto id = parseHidId(std::string_view(reinterpret_cast<const char*>(uevent->data()), uevent->size()));
        if (!id)
            continue;
        auto descriptor = readWholeFile(device + "report_descriptor", kMaxDescriptorSize);
        if (!descriptor)
            continue;

        HidInterfaceInfo info;
        info.path = deviceRoot_ + "/" + name;
        info.vendorId = id->vendorId;
        info.productId = id->productId;
        info.topLevelCollections = topLevelCollections(*descriptor);
        interfaces.push_back(std::move(info));
    }
    return interfaces;
}

std::unique_ptr<HidHandle> HidrawBackend::open(const std::string& path, HidOpenError& error)
{
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error.errorNumber = errno;
        error.message = describeHidrawOpenFailure(path, error.errorNumber);
        return nullptr;
    }
    return std::make_unique<HidrawHandle>(fd);
}

std::string describeHidrawOpenFailure(const std::string& path, int errorNumber)
{
    const std::string node = "cannot open " + path + ": ";
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return node
            + "permission denied. Install the udev rule 70-pelmo.rules (cmake --install puts it in "
              "/lib/udev/rules.d), then run 'udevadm control --reload && udevadm trigger' or replug the mouse.";
    case EBUSY:
        return node + "another program holds the mouse. Close other mouse configuration tools and try again.";
    case ENOENT:
        return node + "the node is gone; the mouse was probably unplugged.";
    default:
        return node + std::strerror(errorNumber) + ".";
    }
}

} // namespace pelmo::platform
