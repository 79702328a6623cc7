#include "emulator/EmulatedMouse.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <type_traits>

namespace pelmo::emulator {

namespace {

constexpr std::uint8_t kCommandReport = 0x60;
constexpr std::uint8_t kProfileDataReport = 0x61;
constexpr std::uint8_t kControlReport = 0x03;
constexpr std::uint8_t kFlashBlockReport = 0x05;

constexpr std::size_t kCommandReportSize = 64;
constexpr std::size_t kProfileDataReportSize = 1041;
constexpr std::size_t kControlReportSize = 8;
constexpr std::size_t kFlashBlockReportSize = 1025;

constexpr std::uint8_t kCommandFirmwareInfo = 0x02;
constexpr std::uint8_t kCommandCurrentProfile = 0x03;
constexpr std::uint8_t kCommandSetCurrentProfile = 0x04;
constexpr std::uint8_t kCommandReadProfileHalf = 0x07;
constexpr std::uint8_t kCommandWriteProfileHalf = 0x08;
constexpr std::uint8_t kCommandLightingOff = 0x30;
constexpr std::uint8_t kCommandLightingOn = 0x31;

constexpr std::uint8_t kControlFlashBlockRequest = 0xF1;

constexpr std::uint8_t kStatusFailed = 0;
constexpr std::uint8_t kStatusOk = 1;
constexpr std::uint8_t kStatusBusy = 3;

// Where the fields sit in the command and profile data reports.
constexpr std::size_t kStatusOffset = 1;
constexpr std::size_t kCommandOffset = 1;
constexpr std::size_t kProfileArgumentOffset = 5;
constexpr std::size_t kHalfArgumentOffset = 6;
constexpr std::size_t kPayloadOffset = 16;
constexpr std::size_t kInfoByteBOffset = 54;
constexpr std::size_t kInfoByteAOffset = 55;
constexpr std::size_t kFlashBlockNumberOffset = 4;

constexpr std::size_t kHalfSize = kProfileImageSize / 2;
constexpr std::size_t kFlashBlockSize = 1024;
static_assert(kHalfSize == kFlashBlockSize, "each profile half fills exactly one flash block");

// Zero for a report id the mouse does not have.
constexpr std::size_t reportSize(std::uint8_t reportId)
{
    switch (reportId) {
    case kCommandReport:
        return kCommandReportSize;
    case kProfileDataReport:
        return kProfileDataReportSize;
    case kControlReport:
        return kControlReportSize;
    case kFlashBlockReport:
        return kFlashBlockReportSize;
    default:
        return 0;
    }
}

bool validProfileHalf(std::uint8_t profile, std::uint8_t half)
{
    return profile < kProfileCount && half < 2;
}

ProfileImageBytes makeFactoryImage(std::uint8_t profile)
{
    ProfileImageBytes image{};
    auto put = [&image](std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    };

    put(0, {profile, 1});
    put(17, {0x00, 0x08});                        // 2048, little-endian
    put(21, {2});                                 // report rate 500 Hz
    put(52, {1, 2, 4, 8});                        // optical DPI levels in steps of 400
    put(56, {1, 2, 4, 12});                       // DUVO DPI levels in steps of 400
    put(60, {9, 9, 18, 18, 40, 40, 67, 67});      // laser X and Y per level in steps of 90
    put(68, {4});                                 // angle snapping
    put(69, {9});                                 // lift-off distance

    // Each button entry is (kind, value, address lo, address hi, count lo,
    // count hi, macro number); a factory mouse binds no macros, so only kind
    // and value are set.
    struct ButtonBinding {
        std::uint8_t kind;
        std::uint8_t value;
    };
    constexpr std::size_t kButtonTableOffset = 80;
    constexpr std::size_t kButtonEntrySize = 7;
    constexpr ButtonBinding kFactoryButtons[] = {
        {0x00, 0x01}, {0x00, 0x02}, {0x00, 0x04}, {0x0A, 0x01}, {0x0B, 0x01},
        {0x00, 0x10}, {0x00, 0x08}, {0xFF, 0x01}, {0xFF, 0x01}, {0x08, 0x01},
        {0xFF, 0x01}, {0x01, 0x01}, {0x01, 0xFF},
    };
    std::size_t offset = kButtonTableOffset;
    for (const ButtonBinding& button : kFactoryButtons) {
        put(offset, {button.kind, button.value});
        offset += kButtonEntrySize;
    }
    return image;
}

// The state file's header. Its fields are stored in the machine's byte order:
// the file is shared between processes on one machine, never carried across.
#pragma pack(push, 1)
struct StateFileHeader {
    char magic[8];
    std::uint32_t formatVersion;
    std::uint32_t payloadSize;
};
#pragma pack(pop)
static_assert(sizeof(StateFileHeader) == 16);
static_assert(std::is_trivially_copyable_v<MouseState>, "MouseState is copied to and from the file byte by byte");

constexpr char kStateFileMagic[8] = {'P', 'E', 'L', 'M', 'O', 'E', 'M', 'U'};
constexpr std::uint32_t kStateFileFormatVersion = 1;

// A state file may have been edited by hand or by an older build. Flags that
// are tested against zero become exactly 0 or 1, and a current profile the
// mouse could not have is reset, so nothing that reads the state later sees a
// value outside its range.
void normalise(MouseState& state)
{
    if (state.currentProfile >= kProfileCount)
        state.currentProfile = 0;
    state.lightsOn = state.lightsOn != 0 ? 1 : 0;
    state.faults.unplugged = state.faults.unplugged != 0 ? 1 : 0;
    state.faults.overrideStatus = state.faults.overrideStatus != 0 ? 1 : 0;
    std::fill(std::begin(state.reserved), std::end(state.reserved), std::uint8_t{0});
    state.faults.reserved = 0;
}

} // namespace

EmulatedMouse::EmulatedMouse()
    : state_(factoryState())
{
}

EmulatedMouse::EmulatedMouse(const MouseState& state)
    : state_(state)
{
}

bool EmulatedMouse::setFeature(const std::uint8_t* report, std::size_t length)
{
    if (!plugged())
        return false;
    bool ok = transferAllowed(state_.faults.failSetAt) && report != nullptr && acceptSet({report, length});
    countTransfer();
    return ok;
}

bool EmulatedMouse::getFeature(std::uint8_t* report, std::size_t length)
{
    if (!plugged())
        return false;
    bool ok = transferAllowed(state_.faults.failGetAt) && report != nullptr && answerGet({report, length});
    countTransfer();
    return ok;
}

// Counts the transfer against a fail-at fault; false for the one transfer
// that brings the counter from 1 to 0.
bool EmulatedMouse::transferAllowed(std::uint32_t& failAtCounter)
{
    if (failAtCounter == 0)
        return true;
    --failAtCounter;
    return failAtCounter != 0;
}

// Runs after the transfer has finished, so the transfer that uses up the
// count still completes and only the next one finds the mouse gone.
void EmulatedMouse::countTransfer()
{
    std::uint32_t& remaining = state_.faults.unplugAfterTransfers;
    if (remaining == 0)
        return;
    --remaining;
    if (remaining == 0)
        state_.faults.unplugged = 1;
}

std::uint8_t EmulatedMouse::sentStatus(std::uint8_t status) const
{
    return state_.faults.overrideStatus != 0 ? state_.faults.statusByte : status;
}

bool EmulatedMouse::acceptSet(std::span<const std::uint8_t> report)
{
    if (report.empty() || report.size() != reportSize(report[0]))
        return false;
    switch (report[0]) {
    case kCommandReport:
        runCommand(report);
        return true;
    case kProfileDataReport:
        storeProfileHalf(report);
        return true;
    case kControlReport:
        runControl(report);
        return true;
    default:
        // The flash block report only carries data from the mouse.
        return false;
    }
}

bool EmulatedMouse::answerGet(std::span<std::uint8_t> report)
{
    if (report.empty() || report.size() != reportSize(report[0]))
        return false;
    const std::uint8_t reportId = report[0];
    std::fill(report.begin(), report.end(), std::uint8_t{0});
    report[0] = reportId;
    switch (reportId) {
    case kCommandReport:
        writeCommandReply(report);
        break;
    case kProfileDataReport:
        writeProfileReadReply(report);
        break;
    case kControlReport:
        writeControlReply(report);
        break;
    default:
        writeFlashBlockReply(report);
        break;
    }
    return true;
}

void EmulatedMouse::runCommand(std::span<const std::uint8_t> request)
{
    const std::uint8_t command = request[kCommandOffset];
    const std::uint8_t profile = request[kProfileArgumentOffset];
    const std::uint8_t half = request[kHalfArgumentOffset];
    std::uint8_t status = kStatusFailed;
    std::uint8_t replyReport = kCommandReport;

    switch (command) {
    case kCommandFirmwareInfo:
    case kCommandCurrentProfile:
        status = kStatusOk;
        break;
    case kCommandSetCurrentProfile:
        if (profile < kProfileCount) {
            state_.currentProfile = profile;
            status = kStatusOk;
        }
        break;
    case kCommandReadProfileHalf:
        replyReport = kProfileDataReport;
        status = validProfileHalf(profile, half) ? kStatusOk : kStatusFailed;
        break;
    case kCommandLightingOff:
        state_.lightsOn = 0;
        status = kStatusOk;
        break;
    case kCommandLightingOn:
        state_.lightsOn = 1;
        status = kStatusOk;
        break;
    default:
        break;
    }
    commandReply_ = CommandReply{replyReport, command, status, profile, half};
}

void EmulatedMouse::storeProfileHalf(std::span<const std::uint8_t> request)
{
    const std::uint8_t command = request[kCommandOffset];
    const std::uint8_t profile = request[kProfileArgumentOffset];
    const std::uint8_t half = request[kHalfArgumentOffset];
    std::uint8_t status = kStatusFailed;

    if (command == kCommandWriteProfileHalf && validProfileHalf(profile, half)) {
        auto source = request.subspan(kPayloadOffset, kHalfSize);
        std::copy(source.begin(), source.end(), state_.images[profile].begin() + static_cast<std::ptrdiff_t>(half * kHalfSize));
        status = kStatusOk;
    }
    // The write is acknowledged on the command report, like every other command.
    commandReply_ = CommandReply{kCommandReport, command, status, profile, half};
}

void EmulatedMouse::runControl(std::span<const std::uint8_t> request)
{
    // Prepare (0x10) and the driver control modes (0x00, 0x02) change nothing
    // the emulator models; a block request stays pending until the next one.
    if (request[kCommandOffset] == kControlFlashBlockRequest)
        requestedFlashBlock_ = request[kFlashBlockNumberOffset];
}

void EmulatedMouse::writeCommandReply(std::span<std::uint8_t> reply)
{
    if (commandReply_.reportId != kCommandReport) {
        reply[kStatusOffset] = sentStatus(kStatusFailed);
        return;
    }
    reply[kStatusOffset] = sentStatus(commandReply_.status);
    if (commandReply_.status != kStatusOk)
        return;

    switch (commandReply_.command) {
    case kCommandFirmwareInfo: {
        // Right after power-up the firmware answers 0xCCCC until its version
        // is readable; the not-ready fault counts such answers down.
        std::uint16_t version = state_.firmwareVersion;
        if (state_.faults.notReadyVersionReads > 0) {
            --state_.faults.notReadyVersionReads;
            version = kFirmwareNotReadyVersion;
        }
        reply[kPayloadOffset] = static_cast<std::uint8_t>(version & 0xFF);
        reply[kPayloadOffset + 1] = static_cast<std::uint8_t>(version >> 8);
        reply[kInfoByteBOffset] = state_.infoB;
        reply[kInfoByteAOffset] = state_.infoA;
        break;
    }
    case kCommandCurrentProfile:
        reply[kPayloadOffset] = state_.currentProfile;
        break;
    default:
        break;
    }
}

void EmulatedMouse::writeProfileReadReply(std::span<std::uint8_t> reply) const
{
    if (commandReply_.reportId != kProfileDataReport) {
        reply[kStatusOffset] = sentStatus(kStatusFailed);
        return;
    }
    reply[kStatusOffset] = sentStatus(commandReply_.status);
    if (commandReply_.status != kStatusOk)
        return;

    const std::uint8_t profile = commandReply_.profile;
    const std::uint8_t half = commandReply_.half;
    reply[kProfileArgumentOffset] = profile;
    reply[kHalfArgumentOffset] = half;
    auto source = std::span<const std::uint8_t>(state_.images[profile]).subspan(half * kHalfSize, kHalfSize);
    std::copy(source.begin(), source.end(), reply.begin() + static_cast<std::ptrdiff_t>(kPayloadOffset));
}

void EmulatedMouse::writeControlReply(std::span<std::uint8_t> reply)
{
    std::uint8_t status = kStatusOk;
    if (state_.faults.busyControlReads > 0) {
        --state_.faults.busyControlReads;
        status = kStatusBusy;
    }
    reply[kStatusOffset] = sentStatus(status);
}

void EmulatedMouse::writeFlashBlockReply(std::span<std::uint8_t> reply) const
{
    if (!requestedFlashBlock_)
        return;
    const auto block = flashBlock(*requestedFlashBlock_);
    std::copy(block.begin(), block.end(), reply.begin() + 1);
}

std::array<std::uint8_t, 1024> EmulatedMouse::flashBlock(std::uint8_t block) const
{
    std::array<std::uint8_t, kFlashBlockSize> bytes;
    if (block >= kProfileCount * 2) {
        bytes.fill(0xFF);
        return bytes;
    }
    const ProfileImageBytes& image = state_.images[block / 2];
    const auto start = image.begin() + static_cast<std::ptrdiff_t>((block % 2) * kFlashBlockSize);
    std::copy(start, start + static_cast<std::ptrdiff_t>(kFlashBlockSize), bytes.begin());
    return bytes;
}

const std::array<ProfileImageBytes, kProfileCount>& EmulatedMouse::factoryImages()
{
    static const std::array<ProfileImageBytes, kProfileCount> images = [] {
        std::array<ProfileImageBytes, kProfileCount> built{};
        for (std::size_t profile = 0; profile < kProfileCount; ++profile)
            built[profile] = makeFactoryImage(static_cast<std::uint8_t>(profile));
        return built;
    }();
    return images;
}

MouseState EmulatedMouse::factoryState()
{
    MouseState state{};
    std::copy(factoryImages().begin(), factoryImages().end(), std::begin(state.images));
    return state;
}

std::vector<std::uint8_t> EmulatedMouse::serialize(const MouseState& state)
{
    StateFileHeader header{};
    std::memcpy(header.magic, kStateFileMagic, sizeof(header.magic));
    header.formatVersion = kStateFileFormatVersion;
    header.payloadSize = static_cast<std::uint32_t>(sizeof(MouseState));

    std::vector<std::uint8_t> bytes(sizeof(StateFileHeader) + sizeof(MouseState));
    std::memcpy(bytes.data(), &header, sizeof(header));
    std::memcpy(bytes.data() + sizeof(header), &state, sizeof(state));
    return bytes;
}

std::optional<MouseState> EmulatedMouse::deserialize(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != sizeof(StateFileHeader) + sizeof(MouseState))
        return std::nullopt;

    StateFileHeader header{};
    std::memcpy(&header, bytes.data(), sizeof(header));
    if (std::memcmp(header.magic, kStateFileMagic, sizeof(header.magic)) != 0
        || header.formatVersion != kStateFileFormatVersion || header.payloadSize != sizeof(MouseState))
        return std::nullopt;

    MouseState state{};
    std::memcpy(&state, bytes.data() + sizeof(header), sizeof(state));
    normalise(state);
    return state;
}

} // namespace pelmo::emulator
