#include "devices/input/input_backend_win.h"

#include <dbt.h>

#include <string>

#include "devices/input/direct_input_backend_win.h"
#include "devices/input/sim_backend.h"

namespace vh {

std::unique_ptr<IInputBackend> CreateInputBackend(HINSTANCE instance) {
    const DWORD length = GetEnvironmentVariableW(kSimulationVariable, nullptr, 0);
    if (length > 1) {
        std::wstring folder(length, L'\0');
        folder.resize(GetEnvironmentVariableW(kSimulationVariable, folder.data(), length));
        return std::make_unique<CSimInputBackend>(std::filesystem::path(folder));
    }
    return std::make_unique<CDirectInputBackend>(instance);
}

void BroadcastDeviceChange() {
    // Posted: a window that is busy or hung must not hold up the one that changed
    // the devices.
    PostMessageW(HWND_BROADCAST, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
}

}  // namespace vh
