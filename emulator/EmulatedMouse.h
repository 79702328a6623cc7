#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pelmo::emulator {

inline constexpr std::size_t kProfileCount = 5;
inline constexpr std::size_t kProfileImageSize = 2048;
inline constexpr std::uint16_t kFactoryFirmwareVersion = 123; // shown as V1.23
inline constexpr std::uint16_t kFirmwareNotReadyVersion = 0xCCCC;

using ProfileImageBytes = std::array<std::uint8_t, kProfileImageSize>;

// Ways the emulated mouse can be told to misbehave. Counters count down with
// each matching transfer; 0 switches a fault off.
#pragma pack(push, 1)
struct MouseFaults {
    std::uint8_t unplugged = 0;            // 1: every transfer fails, the mouse is not listed
    std::uint8_t overrideStatus = 0;       // 1: replies carry `statusByte` instead of 1
    std::uint8_t statusByte = 0;
    std::uint8_t reserved = 0;
    std::uint32_t failSetAt = 0;           // the Nth set-feature from now fails (1 = the next one)
    std::uint32_t failGetAt = 0;           // the Nth get-feature from now fails
    std::uint32_t busyControlReads = 0;    // this many control-report reads answer busy (3)
    std::uint32_t notReadyVersionReads = 0; // this many version replies carry 0xCCCC
    std::uint32_t unplugAfterTransfers = 0; // the mouse goes away after this many more transfers
};
static_assert(sizeof(MouseFaults) == 24);

// Everything the mouse keeps between transfers. Also the payload of the
// emulator's state file, so several processes can share one mouse.
struct MouseState {
    ProfileImageBytes images[kProfileCount];
    std::uint8_t currentProfile = 0;
    std::uint8_t lightsOn = 1;
    std::uint16_t firmwareVersion = kFactoryFirmwareVersion;
    std::uint8_t infoA = 0x10;
    std::uint8_t infoB = 0x02;
    std::uint8_t reserved[2] = {};
    MouseFaults faults;
};
#pragma pack(pop)
static_assert(sizeof(MouseState) == kProfileCount * kProfileImageSize + 8 + sizeof(MouseFaults));

// The mouse's firmware in software. It answers the command report (0x60), the
// profile data report (0x61), the control report (0x03) and the flash block
// report (0x05) as the protocol describes the real mouse, and keeps five
// profile images, the current profile, the lighting state and the firmware
// version. Replies to a set-feature wait in the object until the matching
// get-feature reads them.
class EmulatedMouse {
public:
    EmulatedMouse();  // factory state
    explicit EmulatedMouse(const MouseState& state);

    // `report[0]` is the report id; `length` includes it. False when the
    // transfer fails (unplugged, a fault, an unknown report id or a length
    // that does not match the report).
    bool setFeature(const std::uint8_t* report, std::size_t length);
    bool getFeature(std::uint8_t* report, std::size_t length);

    MouseState& state() { return state_; }
    const MouseState& state() const { return state_; }
    bool plugged() const { return state_.faults.unplugged == 0; }

    // The 1,024-byte flash block `block`: blocks 0 to 9 hold the five profile
    // images, two blocks each; the rest read as erased flash (0xFF).
    std::array<std::uint8_t, 1024> flashBlock(std::uint8_t block) const;

    // The images a new mouse holds: what the program's factory defaults
    // produce for profiles 0 to 4.
    static const std::array<ProfileImageBytes, kProfileCount>& factoryImages();
    static MouseState factoryState();

    // The state file: a short header followed by MouseState. Deserialising
    // refuses anything of the wrong size or magic.
    static std::vector<std::uint8_t> serialize(const MouseState& state);
    static std::optional<MouseState> deserialize(std::span<const std::uint8_t> bytes);

private:
    // The answer to the latest set on the command channel (reports 0x60 and
    // 0x61). Like the firmware's reply buffer it answers on one report only,
    // stays readable until the next command-channel set replaces it, and is
    // filled in when read, so status overrides and not-ready version reads
    // armed in between still apply.
    struct CommandReply {
        std::uint8_t reportId = 0; // 0x60 or 0x61; 0 when nothing is pending
        std::uint8_t command = 0;
        std::uint8_t status = 0;
        std::uint8_t profile = 0;
        std::uint8_t half = 0;
    };

    bool transferAllowed(std::uint32_t& failAtCounter);
    void countTransfer();
    std::uint8_t sentStatus(std::uint8_t status) const;

    bool acceptSet(std::span<const std::uint8_t> report);
    bool answerGet(std::span<std::uint8_t> report);
    void runCommand(std::span<const std::uint8_t> request);
    void storeProfileHalf(std::span<const std::uint8_t> request);
    void runControl(std::span<const std::uint8_t> request);
    void writeCommandReply(std::span<std::uint8_t> reply);
    void writeProfileReadReply(std::span<std::uint8_t> reply) const;
    void writeControlReply(std::span<std::uint8_t> reply);
    void writeFlashBlockReply(std::span<std::uint8_t> reply) const;

    MouseState state_;
    // Pending replies: what the next get-feature of each report returns.
    // FIXME: the real firmware's answer to a get without a preceding set is
    // unknown; we answer with status 0.
    CommandReply commandReply_;
    std::optional<std::uint8_t> requestedFlashBlock_;
};

} // namespace pelmo::emulator
