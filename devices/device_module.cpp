// A device resource module: built once per device (VH_DEVICE_CODE names it) from
// the device catalogue, with the device's strings and pictures as resources.
#include <windows.h>

#include <cstring>
#include <vector>

#include "devices/device_facts.h"
#include "devices/resdll_interface.h"

#ifndef VH_DEVICE_CODE
#error "VH_DEVICE_CODE names the device this module describes"
#endif

namespace {

HMODULE g_module = nullptr;

// The exports hand out C records that stay valid while the module is loaded.
struct Records {
    const vh::DeviceFacts* device = vh::FindDevice(VH_DEVICE_CODE);
    std::vector<VH_CONTROL_RECORD> controls;
    std::vector<VH_OVERLAY_RECORD> overlays;

    Records() {
        for (const vh::ControlFact& c : device->controls)
            controls.push_back({c.name.c_str(), c.x, c.y, c.control, c.normalBitmap,
                                c.highlightBitmap, c.labelId});
        for (const vh::OverlayFact& o : device->overlays) {
            VH_OVERLAY_RECORD record{};
            record.control = o.control;
            for (const VH_OVERLAY_ENTRY& e : o.entries)
                if (record.count < VH_MAX_OVERLAY_ENTRIES) record.entries[record.count++] = e;
            overlays.push_back(record);
        }
    }
};

const Records& TheRecords() {
    static const Records records;
    return records;
}

// A resource id, or 0 while the module carries no such resource.
uint16_t IfPresent(uint16_t id, LPCSTR type) {
    return id && FindResourceA(g_module, MAKEINTRESOURCEA(id), type) ? id : 0;
}

}  // namespace

#define VH_EXPORT extern "C" __declspec(dllexport)

VH_EXPORT const void* GetDeviceSupported(void* buffer16) {
#ifdef VH_FIXTURE_ZERO_GUID
    std::memset(buffer16, 0, 16);
#else
    std::memcpy(buffer16, &TheRecords().device->guid, 16);
#endif
    return buffer16;
}

VH_EXPORT int GetInterfaceVersion() {
#ifdef VH_FIXTURE_VERSION
    return VH_FIXTURE_VERSION;
#else
    return VH_INTERFACE_VERSION;
#endif
}

VH_EXPORT const char* GetDeviceSupportedName() {
    return TheRecords().device->displayName.c_str();
}

VH_EXPORT const char* GetProfileExtention() {
    return TheRecords().device->code.c_str();
}

VH_EXPORT uint16_t GetResourceID(int which) {
    const vh::DeviceFacts& d = *TheRecords().device;
    switch (which) {
        case VH_RES_DEVICE_TEXT:
            return VH_DEVICE_TEXT_ID;
        case VH_RES_IDLE_ICON:
            return IfPresent(d.idleIcon, RT_GROUP_ICON);
        case VH_RES_ACTIVE_ICON:
            return IfPresent(d.activeIcon, RT_GROUP_ICON);
        default:
            break;
    }
    // 4, 6, 8, 10: the pictures of the four modes; 5, 7, 9, 11: the second set.
    if (which >= 4 && which <= 11) {
        const auto& set = which % 2 == 0 ? d.pictures : d.secondPictures;
        return IfPresent(set[static_cast<size_t>((which - 4) / 2)], RT_BITMAP);
    }
    return 0;
}

VH_EXPORT int GetControlCount() {
    return static_cast<int>(TheRecords().controls.size());
}

VH_EXPORT const VH_CONTROL_RECORD* GetControlByIndex(int index) {
    const auto& controls = TheRecords().controls;
    return index >= 0 && index < static_cast<int>(controls.size()) ? &controls[index] : nullptr;
}

VH_EXPORT const VH_OVERLAY_RECORD* GetOverlay(int control) {
    for (const VH_OVERLAY_RECORD& o : TheRecords().overlays)
        if (o.control == control) return &o;
    return nullptr;
}

#ifndef VH_FIXTURE_NO_AXIS_EXPORT
VH_EXPORT const VH_AXIS_RECORD* GetAxisOverlay(int control) {
    for (const VH_AXIS_RECORD& a : TheRecords().device->axes)
        if (a.control == control) return &a;
    return nullptr;
}
#endif

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}
