#include "res_dll_win.h"

#include <cstring>

namespace {

std::string IdentifierOf(HMODULE module) {
    char text[260] = {};
    const int length = LoadStringA(module, VH_RESOURCE_IDENTIFIER_ID, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

template <class F>
F Export(HMODULE module, const char* name) {
    // Exports are looked up by name; their C signatures come from the shared header.
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

std::vector<IDirectoryLister::Entry> CWin32DirectoryLister::List(const std::string& pattern) {
    std::vector<Entry> entries;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return entries;
    do {
        entries.push_back({data.cFileName, data.dwFileAttributes});
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return entries;
}

std::unique_ptr<RESDLL_INFO> CWin32ModuleLoader::Accept(const std::string& path) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) throw CResDllError("Bad File Name");
    auto info = std::make_unique<CWin32ResDllInfo>();
    info->module_ = module;  // unloaded by the record, accepted or not

    const std::string own = IdentifierOf(program_ ? program_ : GetModuleHandleA(nullptr));
    if (own.empty() || IdentifierOf(module) != own) throw CResDllError("Bad DLL");

    const auto getDevice = Export<VH_PFN_GetDeviceSupported>(module, "GetDeviceSupported");
    const auto getVersion = Export<VH_PFN_GetInterfaceVersion>(module, "GetInterfaceVersion");
    info->pGetDeviceSupportedName =
        Export<VH_PFN_GetDeviceSupportedName>(module, "GetDeviceSupportedName");
    info->pGetProfileExtention = Export<VH_PFN_GetProfileExtention>(module, "GetProfileExtention");
    info->pGetResourceID = Export<VH_PFN_GetResourceID>(module, "GetResourceID");
    info->pGetControlCount = Export<VH_PFN_GetControlCount>(module, "GetControlCount");
    info->pGetControlByIndex = Export<VH_PFN_GetControlByIndex>(module, "GetControlByIndex");
    info->pGetOverlay = Export<VH_PFN_GetOverlay>(module, "GetOverlay");
    info->pGetAxisOverlay = Export<VH_PFN_GetAxisOverlay>(module, "GetAxisOverlay");
    if (!getDevice || !getVersion || !info->pGetDeviceSupportedName ||
        !info->pGetProfileExtention || !info->pGetResourceID || !info->pGetControlCount ||
        !info->pGetControlByIndex || !info->pGetOverlay || !info->pGetAxisOverlay)
        throw CResDllError("Bad DLL");

    unsigned char scratch[16] = {};
    const void* guid = getDevice(scratch);
    if (!guid) throw CResDllError("Bad DLL");
    std::memcpy(&info->deviceType, guid, sizeof(GUID));
    if (vh::GuidIsZero(info->deviceType)) throw CResDllError("Bad DLL");
    info->interfaceVersion = getVersion();
    if (info->interfaceVersion != VH_INTERFACE_VERSION) throw CResDllError("Bad DLL");
    return info;
}

CWin32ResDllInfo::~CWin32ResDllInfo() {
    if (idleIcon_) DestroyIcon(idleIcon_);
    if (activeIcon_) DestroyIcon(activeIcon_);
    if (module_) FreeLibrary(module_);
}

std::string CWin32ResDllInfo::GetDeviceSupportedName() const {
    const char* name = pGetDeviceSupportedName ? pGetDeviceSupportedName() : nullptr;
    return name ? name : "";
}

std::string CWin32ResDllInfo::GetProfileExtention() const {
    const char* extension = pGetProfileExtention ? pGetProfileExtention() : nullptr;
    return extension ? extension : "";
}

uint16_t CWin32ResDllInfo::GetResourceID(int which) const {
    return pGetResourceID ? pGetResourceID(which) : 0;
}

int CWin32ResDllInfo::GetControlCount() const {
    return pGetControlCount ? pGetControlCount() : 0;
}

const VH_CONTROL_RECORD* CWin32ResDllInfo::GetControlByIndex(int index) const {
    return pGetControlByIndex ? pGetControlByIndex(index) : nullptr;
}

const VH_OVERLAY_RECORD* CWin32ResDllInfo::GetOverlay(int control) const {
    return pGetOverlay ? pGetOverlay(control) : nullptr;
}

const VH_AXIS_RECORD* CWin32ResDllInfo::GetAxisOverlay(int control) const {
    return pGetAxisOverlay ? pGetAxisOverlay(control) : nullptr;
}

HICON CWin32ResDllInfo::LoadIconOnce(HICON& icon, int which) {
    if (!icon) {
        const uint16_t id = GetResourceID(which);
        if (id)
            icon = static_cast<HICON>(
                LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    }
    return icon;
}

HICON CWin32ResDllInfo::GetIdleIcon() {
    return LoadIconOnce(idleIcon_, VH_RES_IDLE_ICON);
}

HICON CWin32ResDllInfo::GetActiveIcon() {
    return LoadIconOnce(activeIcon_, VH_RES_ACTIVE_ICON);
}
