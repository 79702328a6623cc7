#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/hid/HidBackend.h"

namespace pelmo::device {

inline constexpr std::uint16_t kMouseVendorId = 0x251F;
inline constexpr std::uint16_t kMouseProductId = 0x1002;
// The vendor-defined collection that carries the configuration reports; the
// mouse's pointer collection never matches.
inline constexpr platform::HidUsage kConfigurationCollection{0xFF01, 0x0002};

bool isConfigurationInterface(const platform::HidInterfaceInfo& info);

// The raw transfers every command is built on. Both fail when no interface
// is open. The length includes the report-id byte.
bool sendFeature(const std::uint8_t* report, std::size_t length);
bool receiveFeature(std::uint8_t* report, std::size_t length);

// Drops the open interface, if any (also used when the context is replaced).
void closeFeatureInterface();

template <typename Report>
bool sendReport(const Report& report)
{
    return sendFeature(reinterpret_cast<const std::uint8_t*>(&report), sizeof report);
}

// Zeroes `report`, puts the report id in byte 0 and reads the report.
template <typename Report>
bool receiveReport(Report& report, std::uint8_t reportId)
{
    report = Report{};
    report.reportId = reportId;
    return receiveFeature(reinterpret_cast<std::uint8_t*>(&report), sizeof report);
}

} // namespace pelmo::device
