// The registry of device resource modules, found at start-up and kept, keyed by
// the device type each reports. The search is portable: folders are listed and
// modules accepted through two narrow interfaces, with Win32 implementations for
// the programs and doubles for the tests.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "devices/resdll_interface.h"
#include "profile/guid.h"

// A module that cannot be used ("Bad DLL", "Bad File Name"); the search skips it.
class CResDllError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One loaded and accepted module. Accessors answer 0 or null where the module has
// nothing.
class RESDLL_INFO {
  public:
    virtual ~RESDLL_INFO() = default;

    virtual std::string GetDeviceSupportedName() const = 0;
    virtual std::string GetProfileExtention() const = 0;
    virtual uint16_t GetResourceID(int which) const = 0;
    virtual int GetControlCount() const = 0;
    virtual const VH_CONTROL_RECORD* GetControlByIndex(int index) const = 0;
    virtual const VH_OVERLAY_RECORD* GetOverlay(int control) const = 0;
    virtual const VH_AXIS_RECORD* GetAxisOverlay(int control) const = 0;

    GUID deviceType{};
    int interfaceVersion = 0;
};

constexpr uint32_t kAttributeReadOnly = 0x01;
constexpr uint32_t kAttributeDirectory = 0x10;

// Lists the entries matching a pattern ("folder\*.*"), "." and ".." included as
// the system gives them.
class IDirectoryLister {
  public:
    struct Entry {
        std::string name;
        uint32_t attributes = 0;
    };
    virtual ~IDirectoryLister() = default;
    virtual std::vector<Entry> List(const std::string& pattern) = 0;
};

// Loads and validates one module file; throws CResDllError when it is not one.
class IModuleLoader {
  public:
    virtual ~IModuleLoader() = default;
    virtual std::unique_ptr<RESDLL_INFO> Accept(const std::string& path) = 0;
};

class CResDll {
  public:
    CResDll(IDirectoryLister& lister, IModuleLoader& loader) : lister_(lister), loader_(loader) {}

    // Registers every acceptable module of the folder the pattern names; subfolders
    // are searched only until a module has been accepted. True when one was.
    bool Load(const std::string& pattern);

    // The program's folder, then the current folder; false when neither has a module.
    bool LoadAtStartup(const std::string& programPath);

    const RESDLL_INFO* Find(const GUID& deviceType) const;
    const std::map<std::string, std::unique_ptr<RESDLL_INFO>>& Modules() const { return modules_; }

  private:
    IDirectoryLister& lister_;
    IModuleLoader& loader_;
    std::map<std::string, std::unique_ptr<RESDLL_INFO>> modules_;  // by GUID text
};

// A path split as the C runtime splits one: drive "C:", folder up to its last
// separator, name, and extension from the last dot.
struct SplitPath {
    std::string drive, folder, name, extension;
    explicit SplitPath(const std::string& path);
};
