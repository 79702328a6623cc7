// Reading and writing whole on-board profiles: two halves of the 2,048-byte
// image, each in one profile data report.

#include <array>
#include <cstring>

#include "device/DeviceContext.h"
#include "device/HidTransport.h"
#include "device/ProfileImage.h"
#include "device/Reports.h"
#include "pelmo_api.h"

namespace pelmo::device {

namespace {

constexpr std::uint32_t kReadHalfPauseMs = 100;
constexpr std::uint32_t kWriteHalfPauseMs = 60;

ApiResult readImageHalf(std::uint8_t profile, std::uint8_t half, std::uint8_t* destination)
{
    CommandReport request{};
    request.reportId = kCommandReportId;
    request.code = static_cast<std::uint8_t>(Command::ReadProfileHalf);
    request.argument1 = profile;
    request.argument2 = half;
    if (!sendReport(request))
        return ApiResult::TransferFailed;

    hidContext().sleepMs(kReadHalfPauseMs);

    ProfileDataReport reply;
    if (!receiveReport(reply, kProfileDataReportId))
        return ApiResult::TransferFailed;
    if (reply.code != kStatusOk)
        return ApiResult::DeviceError;
    std::memcpy(destination, reply.data, kImageHalfSize);
    return ApiResult::Ok;
}

ApiResult writeImageHalf(std::uint8_t profile, std::uint8_t half, const std::uint8_t* source)
{
    ProfileDataReport request{};
    request.reportId = kProfileDataReportId;
    request.code = static_cast<std::uint8_t>(Command::WriteProfileHalf);
    request.profile = profile;
    request.half = half;
    std::memcpy(request.data, source, kImageHalfSize);
    if (!sendReport(request))
        return ApiResult::TransferFailed;

    hidContext().sleepMs(kWriteHalfPauseMs);

    CommandReport reply;
    if (!receiveReport(reply, kCommandReportId))
        return ApiResult::TransferFailed;
    if (reply.code != kStatusOk)
        return ApiResult::DeviceError;
    return ApiResult::Ok;
}

} // namespace

} // namespace pelmo::device

using namespace pelmo::device;

extern "C" {

// The record is decoded only after both halves arrived, so a failure leaves
// it untouched.
PELMO_API ApiResult Read_profile(int profile, DeviceProfile* record)
{
    if (record == nullptr)
        return ApiResult::Rejected;
    const auto profileByte = static_cast<std::uint8_t>(profile);
    std::array<std::uint8_t, kProfileImageSize> image{};
    for (std::uint8_t half = 0; half < 2; ++half) {
        ApiResult result = readImageHalf(profileByte, half, image.data() + half * kImageHalfSize);
        if (result != ApiResult::Ok)
            return result;
    }
    decodeProfileImage(image, *record);
    return ApiResult::Ok;
}

// The target profile is the record's own profile number; the first argument
// is not looked at. A failure in the second half leaves the mouse with the
// first half new; the firmware offers nothing to roll it back.
PELMO_API ApiResult Write_profile(int /*ignored*/, DeviceProfile* record)
{
    if (record == nullptr)
        return ApiResult::Rejected;
    std::array<std::uint8_t, kProfileImageSize> image;
    if (!encodeProfileImage(*record, image))
        return ApiResult::Rejected;
    for (std::uint8_t half = 0; half < 2; ++half) {
        ApiResult result = writeImageHalf(record->profileNumber, half, image.data() + half * kImageHalfSize);
        if (result != ApiResult::Ok)
            return result;
    }
    return ApiResult::Ok;
}

} // extern "C"
