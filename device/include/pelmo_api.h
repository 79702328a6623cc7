/* pelmo_api: the device library of the Pelmo mouse (USB 251f:1002).
 *
 * Only this library talks to the mouse. Every call is a C function that
 * returns a result and writes its outputs only on success; nothing allocated
 * crosses the boundary and the library never calls back. Open the interface
 * with Open_ZR_device, run commands, and close it with Close_ZR_device; never
 * run two commands at once. */
#ifndef PELMO_API_H
#define PELMO_API_H

#include <stdint.h>

#if defined(PELMO_API_BUILDING)
#define PELMO_API __attribute__((visibility("default")))
#else
#define PELMO_API
#endif

#ifdef __cplusplus
#include <cstddef>

/* The one-byte result of every command. */
enum class ApiResult : uint8_t {
    Ok = 1,             /* carried out; outputs written */
    Rejected = 2,       /* refused before any transfer (bad argument, too many macro events) */
    TransferFailed = 3, /* a feature transfer failed, or no interface is open */
    DeviceError = 255,  /* the mouse answered with a status other than success */
};
#define PELMO_RESULT ApiResult
extern "C" {
#else
typedef uint8_t ApiResult;
#define PELMO_RESULT ApiResult
#endif

#pragma pack(push, 1)

/* One macro event as the program hands it to Write_profile. Read_profile
 * returns `code` and `delay` with their bytes in wire order and `direction`
 * with the wire's +1; the program undoes that. */
typedef struct DeviceMacroEvent {
    uint8_t kind;      /* 0x01 key, 0x10 mouse button, 0x11 wheel */
    uint8_t zero1;
    uint16_t code;     /* HID usage, button mask 1/2/4/8/16, or wheel 1 / 0xFF */
    uint8_t direction; /* written: 0 press, 1 release; read: 1 press, 2 release */
    uint8_t zero5[3];
    uint32_t delay;    /* milliseconds after the event; 24 bits travel */
} DeviceMacroEvent;

#define PELMO_MAX_MACRO_EVENTS 128

typedef struct DeviceMacro {
    uint16_t eventCount; /* 0..128 */
    uint8_t zero2[6];
    DeviceMacroEvent events[PELMO_MAX_MACRO_EVENTS];
} DeviceMacro;

/* One button entry; bytes 0-6 travel to the mouse, byte 7 does not. */
typedef struct DeviceButton {
    uint8_t kind;            /* 3 = play the macro of the matching slot */
    uint8_t value;           /* argument of the kind; the playback option for kind 3 */
    uint16_t macroAddress;   /* kind 3: image offset of the first event minus 20 (set by Write_profile) */
    uint16_t macroEventCount; /* kind 3: number of events (set by Write_profile) */
    uint8_t macroNumber;     /* kind 3: the program's 1-based macro number */
    uint8_t unused;
} DeviceButton;

#define PELMO_BUTTON_ENTRIES 13

/* The record exchanged with Read_profile and Write_profile. */
typedef struct DeviceProfile {
    uint8_t profileNumber;  /* 0-4; Write_profile's target */
    uint8_t enabled;
    uint8_t reserved2[2];
    uint16_t imageSize;     /* 2048 */
    uint8_t reserved6[2];
    uint8_t reportRateCode; /* 1 = 1000 Hz, 2 = 500, 3 = 250, 5 = 125 */
    uint8_t powerSaving;    /* seconds: 0, 60, 120 */
    uint8_t reserved10[4];
    uint8_t reserved14[2];
    uint8_t opticalDpi[4];  /* DPI / 400 */
    uint8_t duvoDpi[4];     /* DPI / 400 */
    uint8_t laserDpi[8];    /* X then Y per level, DPI / 90 */
    uint8_t angleSnapping;  /* 0-9 */
    uint8_t liftOff;
    DeviceButton buttons[PELMO_BUTTON_ENTRIES]; /* 0-10 the buttons, 11 wheel up, 12 wheel down */
    uint8_t reserved138[2];
    DeviceMacro macros[PELMO_BUTTON_ENTRIES];   /* slot k: the macro of button entry k */
} DeviceProfile;

#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(DeviceMacroEvent) == 12);
static_assert(offsetof(DeviceMacroEvent, code) == 2);
static_assert(offsetof(DeviceMacroEvent, direction) == 4);
static_assert(offsetof(DeviceMacroEvent, delay) == 8);
static_assert(sizeof(DeviceMacro) == 1544);
static_assert(offsetof(DeviceMacro, events) == 8);
static_assert(sizeof(DeviceButton) == 8);
static_assert(offsetof(DeviceButton, macroAddress) == 2);
static_assert(offsetof(DeviceButton, macroEventCount) == 4);
static_assert(offsetof(DeviceButton, macroNumber) == 6);
static_assert(sizeof(DeviceProfile) == 20212);
static_assert(offsetof(DeviceProfile, imageSize) == 4);
static_assert(offsetof(DeviceProfile, reportRateCode) == 8);
static_assert(offsetof(DeviceProfile, powerSaving) == 9);
static_assert(offsetof(DeviceProfile, reserved14) == 14);
static_assert(offsetof(DeviceProfile, opticalDpi) == 16);
static_assert(offsetof(DeviceProfile, duvoDpi) == 20);
static_assert(offsetof(DeviceProfile, laserDpi) == 24);
static_assert(offsetof(DeviceProfile, angleSnapping) == 32);
static_assert(offsetof(DeviceProfile, liftOff) == 33);
static_assert(offsetof(DeviceProfile, buttons) == 34);
static_assert(offsetof(DeviceProfile, reserved138) == 138);
static_assert(offsetof(DeviceProfile, macros) == 140);
#endif

/* Transport. Open returns 1 when the mouse's configuration interface was
 * opened, else 0; Close always returns 1. SetFeature and GetFeature move one
 * feature report (byte 0 = report id, the length includes it) and return 1 on
 * success, 0 on failure or when nothing is open. */
PELMO_API int Open_ZR_device(void);
PELMO_API int Open_FeatureDevice(void);
PELMO_API int Close_ZR_device(void);
PELMO_API int Close_FeatureDevice(void);
PELMO_API int SetFeature(unsigned char* report, unsigned int length);
PELMO_API int GetFeature(unsigned char* report, unsigned int length);

/* Why the last Open_ZR_device found no usable mouse, as one line (for
 * example a node that exists but may not be opened, with the fix). Copies at
 * most size - 1 bytes and a terminating zero; returns the full length, 0 when
 * there is nothing to say. */
PELMO_API int Get_last_diagnostic(char* buffer, int size);

/* Commands. */
PELMO_API PELMO_RESULT Get_fw_info(uint16_t* version, uint8_t* infoA, uint8_t* infoB);
PELMO_API PELMO_RESULT Get_fw_version(uint16_t* version);
PELMO_API PELMO_RESULT Get_current_profile_id(uint8_t* profile);
PELMO_API PELMO_RESULT Set_current_profile_id(int profile);
PELMO_API PELMO_RESULT Set_LED_black_out(void);
PELMO_API PELMO_RESULT Set_LED_black_out_off(void);
PELMO_API PELMO_RESULT Set_driver_control(int mode);
PELMO_API PELMO_RESULT Read_flash_block(int block, uint8_t* destination);
PELMO_API PELMO_RESULT Get_squal(void);
PELMO_API PELMO_RESULT Get_squal_avg(void);
PELMO_API PELMO_RESULT Get_profile_state(void);

/* Profile transfer. */
PELMO_API PELMO_RESULT Read_profile(int profile, DeviceProfile* record);
PELMO_API PELMO_RESULT Write_profile(int ignored, DeviceProfile* record);

#ifdef __cplusplus
}
#endif

#endif
