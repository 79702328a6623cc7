#pragma once

#include <memory>

#include "platform/hid/HidContext.h"

namespace pelmo::device {

// The library's one HID context. The first call builds it from the
// environment (PELMO_DEVICE, PELMO_TRACE); it lives until the process ends.
platform::HidContext& hidContext();

// Puts another context in place (tests give one with an emulated mouse and a
// virtual clock). Closes any open interface of the previous context first.
void replaceHidContext(std::unique_ptr<platform::HidContext> context);

} // namespace pelmo::device
