// The mouse's small commands: firmware version, active profile, lighting,
// driver control and flash blocks. Each is a set-feature of the request, a
// fixed pause for the firmware, and a get-feature of the answer.

#include <cstring>

#include "device/DeviceContext.h"
#include "device/HidTransport.h"
#include "device/Reports.h"
#include "pelmo_api.h"

namespace pelmo::device {

namespace {

// One command exchange on the command report. `reply` is written only when
// the result is Ok.
ApiResult exchangeCommand(Command command, std::uint8_t argument, std::uint32_t pauseMs,
                          CommandReport* reply = nullptr)
{
    CommandReport request{};
    request.reportId = kCommandReportId;
    request.code = static_cast<std::uint8_t>(command);
    request.argument1 = argument;
    if (!sendReport(request))
        return ApiResult::TransferFailed;

    hidContext().sleepMs(pauseMs);

    CommandReport answer;
    if (!receiveReport(answer, kCommandReportId))
        return ApiResult::TransferFailed;
    if (answer.code != kStatusOk)
        return ApiResult::DeviceError;
    if (reply)
        *reply = answer;
    return ApiResult::Ok;
}

std::uint16_t firmwareVersionOf(const CommandReport& reply)
{
    return static_cast<std::uint16_t>(reply.payload16[0] | (reply.payload16[1] << 8));
}

// Reads the control report back to back while the mouse says it is busy, up
// to ten times. A failed read keeps the previous status, so it ends the wait
// unless the read before it said busy. Ready means the last read succeeded
// with the done status.
bool waitControlReady()
{
    std::uint8_t status = 0;
    bool lastReadSucceeded = false;
    for (int attempt = 0; attempt < 10; ++attempt) {
        ControlReport reply;
        lastReadSucceeded = receiveReport(reply, kControlReportId);
        if (lastReadSucceeded)
            status = reply.code;
        if (status != kStatusBusy)
            break;
    }
    return lastReadSucceeded && status == kStatusOk;
}

bool sendControl(std::uint8_t subCommand, std::uint8_t argument4 = 0)
{
    ControlReport request{};
    request.reportId = kControlReportId;
    request.code = subCommand;
    request.argument4 = argument4;
    return sendReport(request);
}

} // namespace

} // namespace pelmo::device

using namespace pelmo::device;

extern "C" {

PELMO_API ApiResult Get_fw_info(std::uint16_t* version, std::uint8_t* infoA, std::uint8_t* infoB)
{
    CommandReport reply;
    ApiResult result = exchangeCommand(Command::FirmwareInfo, 0, 20, &reply);
    if (result != ApiResult::Ok)
        return result;
    if (version)
        *version = firmwareVersionOf(reply);
    if (infoA)
        *infoA = reply.infoA;
    if (infoB)
        *infoB = reply.infoB;
    return ApiResult::Ok;
}

PELMO_API ApiResult Get_fw_version(std::uint16_t* version)
{
    CommandReport reply;
    ApiResult result = exchangeCommand(Command::FirmwareInfo, 0, 10, &reply);
    if (result == ApiResult::Ok && version)
        *version = firmwareVersionOf(reply);
    return result;
}

PELMO_API ApiResult Get_current_profile_id(std::uint8_t* profile)
{
    CommandReport reply;
    ApiResult result = exchangeCommand(Command::GetCurrentProfile, 0, 10, &reply);
    if (result == ApiResult::Ok && profile)
        *profile = reply.payload16[0];
    return result;
}

// The profile number goes out unchecked: range checking is the caller's.
PELMO_API ApiResult Set_current_profile_id(int profile)
{
    return exchangeCommand(Command::SetCurrentProfile, static_cast<std::uint8_t>(profile), 300);
}

PELMO_API ApiResult Set_LED_black_out(void)
{
    return exchangeCommand(Command::LightsOff, 0, 10);
}

PELMO_API ApiResult Set_LED_black_out_off(void)
{
    return exchangeCommand(Command::LightsOn, 0, 10);
}

PELMO_API ApiResult Set_driver_control(int mode)
{
    const auto modeByte = static_cast<std::uint8_t>(mode);
    if (modeByte != 0 && modeByte != 2)
        return ApiResult::Rejected;
    if (!sendControl(kControlPrepare) || !waitControlReady())
        return ApiResult::TransferFailed;
    if (!sendControl(modeByte) || !waitControlReady())
        return ApiResult::TransferFailed;
    return ApiResult::Ok;
}

// The flash block reply carries no status byte; whatever arrives is the block.
PELMO_API ApiResult Read_flash_block(int block, std::uint8_t* destination)
{
    if (!sendControl(kControlReadFlashBlock, static_cast<std::uint8_t>(block)))
        return ApiResult::TransferFailed;
    hidContext().sleepMs(1000);
    FlashBlockReport reply;
    if (!receiveReport(reply, kFlashBlockReportId))
        return ApiResult::TransferFailed;
    if (destination)
        std::memcpy(destination, reply.data, sizeof reply.data);
    return ApiResult::Ok;
}

// Stubs kept for callers of older firmware tools: one entry, three names.
PELMO_API ApiResult Get_squal(void)
{
    return ApiResult::Ok;
}

PELMO_API ApiResult Get_squal_avg(void) __attribute__((alias("Get_squal")));
PELMO_API ApiResult Get_profile_state(void) __attribute__((alias("Get_squal")));

} // extern "C"
