#pragma once

#include <cstddef>
#include <cstdint>

#include "app/keys/ButtonFunction.h"

namespace pelmo::app {

// One application profile: 486 bytes, packed, little-endian, 32-bit integers
// at unaligned offsets. Also the whole content of a .zrp profile file.
// Values are stored as the pages set them; the conversion for the mouse
// clamps or defaults them, so readers must accept any value here.
#pragma pack(push, 1)
struct AppProfile {
    std::uint8_t enabled;                       // 1 enabled, 0 disabled
    char fileName[256];                         // .zrp name last saved or loaded under, no folder; UTF-8
    std::int32_t buttonFunction[kButtonCount];  // ButtonFunction codes 1..17
    std::int32_t buttonParam[kButtonCount];     // Single Key: virtual-key code; Macro: slot + 1; else 0
    std::int32_t pollingRateHz;                 // 125, 250, 500 or 1000
    std::int32_t wheelLevel;                    // wheel scroll lines, 1..10
    std::int32_t doubleClickLevel;              // 1..10
    std::int32_t pointerSpeedLevel;             // 1..10
    std::int32_t powerSaveSeconds;              // 0 (off), 60 or 120
    std::int32_t liftOffLevel;                  // 1..10
    std::int32_t angleSnapLevel;                // 1..10
    std::uint8_t opticalChosen;
    std::int32_t opticalDpi[4];                 // 400, 800, 1600, 3200 or 4800
    std::uint8_t duvoChosen;
    std::int32_t duvoDpi[4];
    std::uint8_t laserChosen;
    std::int32_t laserDpi[4][2];                // X then Y per level, multiples of 90
    std::int8_t signedAdjust;                   // -30..30, kept but never sent to the mouse
    std::int32_t macroRepeat[kButtonCount];     // 1..99 times, 241 while pressed, 242 toggle
    std::uint8_t reserved;                      // always zero
};
#pragma pack(pop)
static_assert(sizeof(AppProfile) == 486);
static_assert(offsetof(AppProfile, enabled) == 0);
static_assert(offsetof(AppProfile, fileName) == 1);
static_assert(offsetof(AppProfile, buttonFunction) == 257);
static_assert(offsetof(AppProfile, buttonParam) == 301);
static_assert(offsetof(AppProfile, pollingRateHz) == 345);
static_assert(offsetof(AppProfile, wheelLevel) == 349);
static_assert(offsetof(AppProfile, doubleClickLevel) == 353);
static_assert(offsetof(AppProfile, pointerSpeedLevel) == 357);
static_assert(offsetof(AppProfile, powerSaveSeconds) == 361);
static_assert(offsetof(AppProfile, liftOffLevel) == 365);
static_assert(offsetof(AppProfile, angleSnapLevel) == 369);
static_assert(offsetof(AppProfile, opticalChosen) == 373);
static_assert(offsetof(AppProfile, opticalDpi) == 374);
static_assert(offsetof(AppProfile, duvoChosen) == 390);
static_assert(offsetof(AppProfile, duvoDpi) == 391);
static_assert(offsetof(AppProfile, laserChosen) == 407);
static_assert(offsetof(AppProfile, laserDpi) == 408);
static_assert(offsetof(AppProfile, signedAdjust) == 440);
static_assert(offsetof(AppProfile, macroRepeat) == 441);
static_assert(offsetof(AppProfile, reserved) == 485);

} // namespace pelmo::app
