#pragma once

#include <cstdint>

namespace pelmo::ui::stb {

// The few entry points of stb_image the decoder uses, so that the library's
// configuration lives in one translation unit (StbImage.cpp).
bool info(const std::uint8_t* bytes, int length, int* width, int* height);
std::uint8_t* loadRgba(const std::uint8_t* bytes, int length, int* width, int* height);
void release(std::uint8_t* pixels);

} // namespace pelmo::ui::stb
