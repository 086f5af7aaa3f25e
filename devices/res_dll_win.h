// The Win32 side of the module registry: folders listed with FindFirstFile, modules
// loaded with LoadLibrary and checked against the program's own identifier string.
#pragma once

#include <windows.h>

#include "devices/res_dll.h"

class CWin32DirectoryLister : public IDirectoryLister {
  public:
    std::vector<Entry> List(const std::string& pattern) override;
};

class CWin32ModuleLoader : public IModuleLoader {
  public:
    // `program` carries the identifier string modules must match (null: this exe).
    explicit CWin32ModuleLoader(HMODULE program = nullptr) : program_(program) {}
    std::unique_ptr<RESDLL_INFO> Accept(const std::string& path) override;

  private:
    HMODULE program_;
};

// An accepted module: the library stays loaded, and its icons once asked for, until
// the record is destroyed.
class CWin32ResDllInfo : public RESDLL_INFO {
  public:
    ~CWin32ResDllInfo() override;

    std::string GetDeviceSupportedName() const override;
    std::string GetProfileExtention() const override;
    uint16_t GetResourceID(int which) const override;
    int GetControlCount() const override;
    const VH_CONTROL_RECORD* GetControlByIndex(int index) const override;
    const VH_OVERLAY_RECORD* GetOverlay(int control) const override;
    const VH_AXIS_RECORD* GetAxisOverlay(int control) const override;

    HMODULE GetModule() const { return module_; }
    HICON GetIdleIcon();
    HICON GetActiveIcon();

  private:
    friend class CWin32ModuleLoader;
    HICON LoadIconOnce(HICON& icon, int which);

    HMODULE module_ = nullptr;
    HICON idleIcon_ = nullptr;
    HICON activeIcon_ = nullptr;
    VH_PFN_GetDeviceSupportedName pGetDeviceSupportedName = nullptr;
    VH_PFN_GetProfileExtention pGetProfileExtention = nullptr;
    VH_PFN_GetResourceID pGetResourceID = nullptr;
    VH_PFN_GetControlCount pGetControlCount = nullptr;
    VH_PFN_GetControlByIndex pGetControlByIndex = nullptr;
    VH_PFN_GetOverlay pGetOverlay = nullptr;
    VH_PFN_GetAxisOverlay pGetAxisOverlay = nullptr;
};
