// The built device modules, loaded as the programs load them, and the HID transport.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "devices/device_facts.h"
#include "devices/hid_transport_win.h"
#include "devices/res_dll_win.h"

namespace {

// The folder of this test program, with a trailing separator.
std::string TestFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

TEST(DeviceModules, EveryBuiltModuleIsAcceptedAndAnswersItsFacts) {
    CWin32DirectoryLister lister;
    CWin32ModuleLoader loader;
    CResDll registry(lister, loader);
    ASSERT_TRUE(registry.Load(TestFolder() + "..\\bin\\*.*"));
    EXPECT_EQ(registry.Modules().size(), vh::DeviceCatalog().size());

    for (const vh::DeviceFacts& device : vh::DeviceCatalog()) {
        SCOPED_TRACE(device.code);
        const RESDLL_INFO* module = registry.Find(device.guid);
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(module->interfaceVersion, VH_INTERFACE_VERSION);
        EXPECT_EQ(module->GetDeviceSupportedName(), device.displayName);
        EXPECT_EQ(module->GetProfileExtention(), device.code);
        ASSERT_EQ(module->GetControlCount(), static_cast<int>(device.controls.size()));
        EXPECT_EQ(module->GetControlByIndex(module->GetControlCount()), nullptr);

        const HMODULE library = static_cast<const CWin32ResDllInfo*>(module)->GetModule();
        char text[260] = {};
        LoadStringA(library, module->GetResourceID(VH_RES_DEVICE_TEXT), text, sizeof text);
        EXPECT_EQ(std::string(text), device.deviceText);

        for (int i = 0; i < module->GetControlCount(); ++i) {
            const VH_CONTROL_RECORD* record = module->GetControlByIndex(i);
            const vh::ControlFact& fact = device.controls[static_cast<size_t>(i)];
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(std::string(record->name), fact.name);
            EXPECT_EQ(record->x, fact.x);
            EXPECT_EQ(record->y, fact.y);
            EXPECT_EQ(record->control, fact.control);
            EXPECT_EQ(record->normalBitmap, fact.normalBitmap);
            EXPECT_EQ(record->highlightBitmap, fact.highlightBitmap);
            LoadStringA(library, static_cast<UINT>(record->labelId), text, sizeof text);
            EXPECT_EQ(std::string(text), fact.defaultLabel);
        }
        for (const VH_AXIS_RECORD& axis : device.axes) {
            const VH_AXIS_RECORD* record = module->GetAxisOverlay(axis.control);
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(record->throttle, axis.throttle);
            EXPECT_EQ(record->upperEnd, axis.upperEnd);
            EXPECT_EQ(record->lowerEnd, axis.lowerEnd);
        }
        for (const vh::OverlayFact& overlay : device.overlays) {
            const VH_OVERLAY_RECORD* record = module->GetOverlay(overlay.control);
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(record->count, static_cast<int32_t>(overlay.entries.size()));
        }
        EXPECT_EQ(module->GetOverlay(-1), nullptr);
        EXPECT_EQ(module->GetResourceID(99), 0);
    }
}

TEST(DeviceModules, FaultyModulesAreRefused) {
    const std::string fixtures = TestFolder() + "fixtures\\";
    CWin32ModuleLoader loader;
    EXPECT_NO_THROW(loader.Accept(fixtures + "fixture_good.dll"));
    for (const char* name :
         {"fixture_identifier.dll", "fixture_version.dll", "fixture_zero_guid.dll",
          "fixture_missing_export.dll", "no_such_module.dll"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(loader.Accept(fixtures + name), CResDllError);
    }

    // In a search, only the good one registers.
    CWin32DirectoryLister lister;
    CResDll registry(lister, loader);
    EXPECT_TRUE(registry.Load(fixtures + "*.*"));
    EXPECT_EQ(registry.Modules().size(), 1u);
}

// With no such device the system's HID library refuses the path.
TEST(HidTransport, AMissingDeviceIsAnInvalidHandle) {
    CWin32HidTransport transport;
    CHidDevice device(transport);
    try {
        device.Open(u"\\\\?\\hid#vid_0000&pid_0000#0#{4d1e55b2-f16f-11cf-88cb-001111000030}");
        FAIL() << "opened a device that does not exist";
    } catch (const CHidError& e) {
        EXPECT_STREQ(e.what(), "Invalid Handle");
    }
    EXPECT_FALSE(device.IsOpen());
}

}  // namespace
