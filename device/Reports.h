#pragma once

// The mouse's feature reports. Byte 0 of each is the report id, and the
// lengths include it, as the kernel's feature-report calls count them.

#include <cstddef>
#include <cstdint>

namespace pelmo::device {

inline constexpr std::uint8_t kCommandReportId = 0x60;
inline constexpr std::size_t kCommandReportSize = 64;
inline constexpr std::uint8_t kProfileDataReportId = 0x61;
inline constexpr std::size_t kProfileDataReportSize = 1041;
inline constexpr std::uint8_t kControlReportId = 0x03;
inline constexpr std::size_t kControlReportSize = 8;
inline constexpr std::uint8_t kFlashBlockReportId = 0x05;
inline constexpr std::size_t kFlashBlockReportSize = 1025;

inline constexpr std::size_t kProfileImageSize = 2048;
inline constexpr std::size_t kImageHalfSize = 1024;
inline constexpr std::size_t kFlashBlockSize = 1024;

// The status byte of a reply.
inline constexpr std::uint8_t kStatusOk = 1;
inline constexpr std::uint8_t kStatusBusy = 3;

// Command codes of the command report.
enum class Command : std::uint8_t {
    FirmwareInfo = 0x02,
    GetCurrentProfile = 0x03,
    SetCurrentProfile = 0x04,
    ReadProfileHalf = 0x07,
    WriteProfileHalf = 0x08, // carried in the profile data report
    LightsOff = 0x30,
    LightsOn = 0x31,
};

// Sub-commands of the control report.
inline constexpr std::uint8_t kControlPrepare = 0x10;
inline constexpr std::uint8_t kControlReadFlashBlock = 0xF1;

#pragma pack(push, 1)

struct CommandReport {
    std::uint8_t reportId;
    std::uint8_t code;        // request: the command; reply: the status
    std::uint8_t zero2[3];
    std::uint8_t argument1;   // the profile number where a command takes one
    std::uint8_t argument2;   // the image half of a profile read
    std::uint8_t zero7[9];
    std::uint8_t payload16[2]; // reply: firmware version (little-endian) or current profile
    std::uint8_t zero18[36];
    std::uint8_t infoB;        // reply to FirmwareInfo
    std::uint8_t infoA;
    std::uint8_t zero56[8];
};
static_assert(sizeof(CommandReport) == kCommandReportSize);
static_assert(offsetof(CommandReport, argument1) == 5);
static_assert(offsetof(CommandReport, argument2) == 6);
static_assert(offsetof(CommandReport, payload16) == 16);
static_assert(offsetof(CommandReport, infoB) == 54);
static_assert(offsetof(CommandReport, infoA) == 55);

struct ProfileDataReport {
    std::uint8_t reportId;
    std::uint8_t code;        // write: the command 0x08; read reply: the status
    std::uint8_t zero2[3];
    std::uint8_t profile;
    std::uint8_t half;        // 0: image bytes 0-1023, 1: bytes 1024-2047
    std::uint8_t zero7[9];
    std::uint8_t data[kImageHalfSize];
    std::uint8_t zero1040;
};
static_assert(sizeof(ProfileDataReport) == kProfileDataReportSize);
static_assert(offsetof(ProfileDataReport, profile) == 5);
static_assert(offsetof(ProfileDataReport, half) == 6);
static_assert(offsetof(ProfileDataReport, data) == 16);

struct ControlReport {
    std::uint8_t reportId;
    std::uint8_t code;        // request: the sub-command; reply: the status (1 done, 3 busy)
    std::uint8_t zero2[2];
    std::uint8_t argument4;   // the block number of a flash read
    std::uint8_t zero5[3];
};
static_assert(sizeof(ControlReport) == kControlReportSize);
static_assert(offsetof(ControlReport, argument4) == 4);

struct FlashBlockReport {
    std::uint8_t reportId;
    std::uint8_t data[kFlashBlockSize];
};
static_assert(sizeof(FlashBlockReport) == kFlashBlockReportSize);

#pragma pack(pop)

} // namespace pelmo::device
