// The backend choice, the simulated controllers' HID capture and vhsim.exe, on
// Windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <dbt.h>

#include "devices/hid_device.h"
#include "devices/hid_reports.h"
#include "devices/input/direct_input_backend_win.h"
#include "devices/input/input_backend_win.h"
#include "devices/input/sim_backend.h"
#include "run_program_win.h"

namespace {

namespace fs = std::filesystem;

class Simulation : public ::testing::Test {
  protected:
    Simulation() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = fs::path(temp) / L"vh-input-win-test";
        fs::remove_all(folder_);
        SetEnvironmentVariableW(vh::kSimulationVariable, folder_.c_str());
    }
    ~Simulation() override {
        SetEnvironmentVariableW(vh::kSimulationVariable, nullptr);
        fs::remove_all(folder_);
    }

    // Its output as text, lines ending in "\n" (a Windows console program ends
    // them with "\r\n").
    vh::test::ProgramResult Vhsim(const std::vector<fs::path>& args) {
        vh::test::ProgramResult r = vh::test::RunProgram(vh::test::ProgramPath(L"vhsim.exe"), args);
        std::erase(r.out, '\r');
        return r;
    }

    fs::path folder_;
};

TEST_F(Simulation, ChosenOnlyWhenNamedAndCapturesTheOptionReportExactly) {
    ASSERT_EQ(Vhsim({L"plug", L"k33"}).out, "1\n");
    ASSERT_EQ(Vhsim({L"plug", L"g74", L"--output-report", L"3"}).out, "2\n");

    auto backend = vh::CreateInputBackend(GetModuleHandleW(nullptr));
    auto* sim = dynamic_cast<vh::CSimInputBackend*>(backend.get());
    ASSERT_NE(sim, nullptr);
    const auto found = backend->EnumGameControllers();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].instanceName, u"Varnholt k33 Tactiboard2");

    for (const auto& instance : found) {
        auto device = backend->CreateDevice(instance.instance);
        ASSERT_NE(device, nullptr);
        std::u16string path;
        ASSERT_EQ(device->GetPath(path), vh::InputResult::ok);
        CHidDevice hid(backend->Hid());
        hid.Open(path);
        hid.SendOption(vh::OPTION_CONFIGURING, true);
        hid.SendOption(vh::OPTION_CONFIGURING, false);
    }
    const auto keypad = vh::ReadCaptures(folder_, 1, vh::kMinDownloadReportLength);
    ASSERT_EQ(keypad.size(), 2u);
    vh::Bytes expected(vh::kMinDownloadReportLength, 0);
    expected[0] = 5;
    expected[2] = 1;
    EXPECT_EQ(keypad[0], expected);
    expected[2] = 0;
    EXPECT_EQ(keypad[1], expected);
    EXPECT_FALSE(fs::exists(vh::CaptureFile(folder_, 2)));  // output report of 3 bytes

    const vh::test::ProgramResult reports = Vhsim({L"reports", L"1"});
    EXPECT_EQ(reports.status, 0u);
    EXPECT_EQ(reports.out.substr(0, 8), "05000100");
    EXPECT_EQ(reports.out.size(), 2 * (2 * vh::kMinDownloadReportLength + 1));

    SetEnvironmentVariableW(vh::kSimulationVariable, nullptr);
    auto real = vh::CreateInputBackend(GetModuleHandleW(nullptr));
    auto* direct = dynamic_cast<vh::CDirectInputBackend*>(real.get());
    ASSERT_NE(direct, nullptr);
    EXPECT_TRUE(direct->Available());
    for (const auto& instance : real->EnumGameControllers())
        EXPECT_NE(instance.instanceName, u"Varnholt k33 Tactiboard2");  // never the simulation's
}

LRESULT CALLBACK Listener(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DEVICECHANGE)
        SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(wParam) + 1);
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(Simulation, PluggingAControllerTellsEveryTopLevelWindow) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Listener;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VhDeviceChangeListener";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(windowClass.lpszClassName, L"listener", WS_OVERLAPPED, 0, 0, 10, 10,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);

    ASSERT_EQ(Vhsim({L"plug", L"w58"}).status, 0u);
    const DWORD until = GetTickCount() + 5000;
    MSG msg;
    while (GetWindowLongPtrW(window, GWLP_USERDATA) == 0 && GetTickCount() < until) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), DBT_DEVNODES_CHANGED + 1);
    DestroyWindow(window);
}

}  // namespace
