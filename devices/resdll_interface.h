/* The interface between the programs and a device resource module: the nine
 * exports and the records they hand out. Shared, as C, by the modules and the
 * programs, which carry separate runtimes.
 *
 * 64-bit layout (the name field is pointer-sized, so later fields move by 4):
 *   VH_CONTROL_RECORD  +0 name, +8 x, +12 y, +16 control index, +20 normal bitmap,
 *                      +24 highlighted bitmap, +28 label string id; 32 bytes
 *   VH_OVERLAY_RECORD  +0 control index, +4 entry count, +8 entries of 12 bytes
 *                      (x, y, bitmap id)
 *   VH_AXIS_RECORD     +0 control index, +4 throttle flag (byte), +8 upper-end
 *                      label code, +12 lower-end label code; 16 bytes
 */
#ifndef VH_RESDLL_INTERFACE_H
#define VH_RESDLL_INTERFACE_H

#include <stddef.h>
#include <stdint.h>

#define VH_RESOURCE_IDENTIFIER_ID 8192
#define VH_RESOURCE_IDENTIFIER "VARNHOLT RESOURCE IDENTIFIER"
#define VH_INTERFACE_VERSION 512
#define VH_MAX_CONTROLS 64
#define VH_MAX_OVERLAY_ENTRIES 8
#define VH_DEVICE_TEXT_ID 1000 /* what GetResourceID(VH_RES_DEVICE_TEXT) names */

/* GetResourceID(which) */
#define VH_RES_DEVICE_TEXT 1
#define VH_RES_IDLE_ICON 2
#define VH_RES_ACTIVE_ICON 3
#define VH_RES_PICTURE_NORMAL 4        /* Red 6, Blue 8, Green 10 */
#define VH_RES_SECOND_PICTURE_NORMAL 5 /* Red 7, Blue 9, Green 11 */

/* Axis end label codes */
#define VH_AXIS_END_FORWARD 1
#define VH_AXIS_END_BACK 2
#define VH_AXIS_END_UP 3
#define VH_AXIS_END_DOWN 4
#define VH_AXIS_END_RIGHT 5
#define VH_AXIS_END_LEFT 6

#ifdef __cplusplus
extern "C" {
#endif

typedef struct VH_CONTROL_RECORD {
    const char* name; /* "AP..." keypad and "JS..." stick controls on the combined device */
    int32_t x;        /* the button's position on the device picture, pixels */
    int32_t y;
    int32_t control;      /* control index 0..255 */
    int32_t normalBitmap; /* bitmap resource ids of the button */
    int32_t highlightBitmap;
    int32_t labelId; /* string id of the default label, in module and programs */
} VH_CONTROL_RECORD;

typedef struct VH_OVERLAY_ENTRY {
    int32_t x;
    int32_t y;
    int32_t bitmap; /* low 16 bits: bitmap resource id */
} VH_OVERLAY_ENTRY;

typedef struct VH_OVERLAY_RECORD {
    int32_t control;
    int32_t count;
    VH_OVERLAY_ENTRY entries[VH_MAX_OVERLAY_ENTRIES];
} VH_OVERLAY_RECORD;

typedef struct VH_AXIS_RECORD {
    int32_t control;
    uint8_t throttle; /* read for controls 194 and 197 */
    uint8_t reserved[3];
    int32_t upperEnd; /* VH_AXIS_END_FORWARD, _UP or _RIGHT */
    int32_t lowerEnd; /* VH_AXIS_END_BACK, _DOWN or _LEFT */
} VH_AXIS_RECORD;

/* The exports, by name. GetDeviceSupported returns a pointer to the 16 bytes of
 * the device type GUID (the caller passes a 16-byte scratch buffer). */
typedef const void* (*VH_PFN_GetDeviceSupported)(void* buffer16);
typedef int (*VH_PFN_GetInterfaceVersion)(void);
typedef const char* (*VH_PFN_GetDeviceSupportedName)(void);
typedef const char* (*VH_PFN_GetProfileExtention)(void);
typedef uint16_t (*VH_PFN_GetResourceID)(int which);
typedef int (*VH_PFN_GetControlCount)(void);
typedef const VH_CONTROL_RECORD* (*VH_PFN_GetControlByIndex)(int index);
typedef const VH_OVERLAY_RECORD* (*VH_PFN_GetOverlay)(int control);
typedef const VH_AXIS_RECORD* (*VH_PFN_GetAxisOverlay)(int control);

#ifdef __cplusplus
}
#define VH_STATIC_ASSERT(c, m) static_assert(c, m)
#else
#define VH_STATIC_ASSERT(c, m) _Static_assert(c, m)
#endif

#if UINTPTR_MAX > 0xFFFFFFFFu
VH_STATIC_ASSERT(offsetof(VH_CONTROL_RECORD, x) == 8, "control record layout");
VH_STATIC_ASSERT(offsetof(VH_CONTROL_RECORD, labelId) == 28, "control record layout");
VH_STATIC_ASSERT(sizeof(VH_CONTROL_RECORD) == 32, "control record layout");
#endif
VH_STATIC_ASSERT(offsetof(VH_OVERLAY_RECORD, entries) == 8, "overlay record layout");
VH_STATIC_ASSERT(sizeof(VH_OVERLAY_ENTRY) == 12, "overlay record layout");
VH_STATIC_ASSERT(offsetof(VH_AXIS_RECORD, upperEnd) == 8, "axis record layout");
VH_STATIC_ASSERT(sizeof(VH_AXIS_RECORD) == 16, "axis record layout");

#endif /* VH_RESDLL_INTERFACE_H */
