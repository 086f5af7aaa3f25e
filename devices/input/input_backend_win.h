// Which input backend a program uses: the simulation only when the environment
// variable VH_SIMULATION names its folder, DirectInput and HID otherwise.
#pragma once

#include <windows.h>

#include <memory>

#include "devices/input/input_backend.h"

namespace vh {

inline constexpr const wchar_t* kSimulationVariable = L"VH_SIMULATION";

std::unique_ptr<IInputBackend> CreateInputBackend(HINSTANCE instance);

// Tells every top-level window that the set of devices changed, as the system
// does when a controller is plugged in or out (WM_DEVICECHANGE, DBT_DEVNODES_CHANGED).
void BroadcastDeviceChange();

}  // namespace vh
