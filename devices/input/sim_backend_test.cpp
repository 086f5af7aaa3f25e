#include "devices/input/sim_backend.h"

#include <gtest/gtest.h>

#include "devices/hid_device.h"
#include "devices/hid_reports.h"

namespace {

using vh::InputResult;

class SimBackend : public ::testing::Test {
  protected:
    SimBackend() { std::filesystem::remove_all(folder_); }
    ~SimBackend() override { std::filesystem::remove_all(folder_); }

    // Changes the world as vhsim would, while the backend is in use.
    template <class Edit>
    void Change(Edit change) {
        vh::SimWorld world = *vh::LoadSimWorld(folder_);
        change(world);
        vh::SaveSimWorld(folder_, world);
    }
    int Plug(const char* family) {
        int id = 0;
        Change([&](vh::SimWorld& w) { id = w.Add(*vh::FindDevice(family)).id; });
        return id;
    }
    std::unique_ptr<vh::IInputDevice> Ready(int id) {
        auto device = backend_.CreateDevice(vh::SimInstanceGuid(id));
        EXPECT_NE(device, nullptr);
        if (!device) return nullptr;
        EXPECT_EQ(device->SetDataFormat(vh::DataFormat::joystick), InputResult::ok);
        EXPECT_EQ(device->SetCooperativeLevel(nullptr, vh::COOP_NONEXCLUSIVE | vh::COOP_BACKGROUND),
                  InputResult::ok);
        return device;
    }

    const std::filesystem::path folder_ =
        std::filesystem::temp_directory_path() /
        ("vh-sim-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    vh::CSimInputBackend backend_{folder_};
};

TEST_F(SimBackend, EnumeratesAttachedControllersWithTheirNames) {
    EXPECT_TRUE(backend_.EnumGameControllers().empty());
    const int pad = Plug("g74"), keypad = Plug("k33"), other = Plug("k33");
    Change([&](vh::SimWorld& w) { w.Find(keypad)->attached = false; });

    const auto found = backend_.EnumGameControllers();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_TRUE(found[0].instance == vh::SimInstanceGuid(pad));
    EXPECT_EQ(found[0].instanceName, u"Varnholt g74 Dual Analog Gamepad");
    EXPECT_EQ(found[0].productName, u"Varnholt g74 Dual Analog Gamepad");
    EXPECT_TRUE(found[1].instance == vh::SimInstanceGuid(other));
    EXPECT_FALSE(found[0].product == found[1].product);                      // different families
    EXPECT_EQ(backend_.CreateDevice(vh::SimInstanceGuid(keypad)), nullptr);  // unplugged
    EXPECT_EQ(backend_.CreateDevice(vh::SimInstanceGuid(99)), nullptr);
}

TEST_F(SimBackend, StateFollowsTheWorldWithinTheRangesSet) {
    const int id = Plug("w58");
    auto stick = Ready(id);
    vh::JoystickState state;
    EXPECT_EQ(stick->GetJoystickState(state), InputResult::notAcquired);
    EXPECT_EQ(stick->SetRange(vh::JOFS_X, -1000, 1000), InputResult::ok);
    EXPECT_EQ(stick->SetRange(vh::JOFS_Z, 0, 100), InputResult::ok);
    EXPECT_EQ(stick->SetRange(vh::JOFS_Z, 5, 5), InputResult::invalidParam);
    EXPECT_EQ(stick->SetRange(vh::JOFS_RX, -1000, 1000), InputResult::notFound);  // no such axis
    EXPECT_EQ(stick->Acquire(), InputResult::ok);

    Change([&](vh::SimWorld& w) {
        vh::SimController& c = *w.Find(id);
        c.axes[vh::SIM_X] = -600;
        c.axes[vh::SIM_Y] = 1000;  // range never set: DirectInput's default 0..65535
        c.axes[vh::SIM_Z] = 0;
        c.hats[0] = 9000;
        c.buttons = {0, 5};
    });
    ASSERT_EQ(stick->Poll(), InputResult::ok);
    ASSERT_EQ(stick->GetJoystickState(state), InputResult::ok);
    EXPECT_EQ(state.lX, -600);
    EXPECT_EQ(state.lY, 65535);
    EXPECT_EQ(state.lZ, 50);
    EXPECT_EQ(state.rgdwPOV[0], 9000u);
    EXPECT_EQ(state.rgdwPOV[1], vh::kHatCentred);
    EXPECT_EQ(state.rgbButtons[0], 0x80);
    EXPECT_EQ(state.rgbButtons[1], 0);
    EXPECT_EQ(state.rgbButtons[5], 0x80);

    vh::InputCapabilities caps;
    ASSERT_EQ(stick->GetCapabilities(caps), InputResult::ok);
    EXPECT_EQ(caps.buttons, 6u);
    EXPECT_EQ(caps.povs, 1u);

    // Unplugged: input is lost and cannot be acquired again until it comes back.
    Change([&](vh::SimWorld& w) { w.Find(id)->attached = false; });
    EXPECT_EQ(stick->GetJoystickState(state), InputResult::inputLost);
    EXPECT_EQ(stick->Acquire(), InputResult::otherError);
    EXPECT_EQ(stick->GetJoystickState(state), InputResult::inputLost);
    Change([&](vh::SimWorld& w) { w.Find(id)->attached = true; });
    EXPECT_EQ(stick->GetJoystickState(state), InputResult::notAcquired);
    EXPECT_EQ(stick->Acquire(), InputResult::ok);
    EXPECT_EQ(stick->GetJoystickState(state), InputResult::ok);
}

TEST_F(SimBackend, KeypadAxesAreTheFamilysAndTheKeyboardReadsHeldKeys) {
    auto keypad = Ready(Plug("k33"));
    EXPECT_EQ(keypad->SetRange(vh::JOFS_X, -1000, 1000), InputResult::ok);
    EXPECT_EQ(keypad->SetRange(vh::JOFS_Z, 0, 100), InputResult::notFound);  // the k33 has no Z
    EXPECT_EQ(Ready(Plug("k31"))->SetRange(vh::JOFS_Z, 0, 100), InputResult::ok);

    auto keyboard = backend_.CreateKeyboard();
    vh::KeyboardState keys;
    EXPECT_EQ(keyboard->Acquire(), InputResult::invalidParam);  // no data format yet
    EXPECT_EQ(keyboard->SetDataFormat(vh::DataFormat::joystick), InputResult::invalidParam);
    ASSERT_EQ(keyboard->SetDataFormat(vh::DataFormat::keyboard), InputResult::ok);
    EXPECT_EQ(keyboard->SetCooperativeLevel(
                  nullptr, vh::COOP_EXCLUSIVE | vh::COOP_FOREGROUND | vh::COOP_NOWINKEY),
              InputResult::ok);
    EXPECT_EQ(keyboard->SetCooperativeLevel(
                  nullptr, vh::COOP_EXCLUSIVE | vh::COOP_NONEXCLUSIVE | vh::COOP_FOREGROUND),
              InputResult::invalidParam);
    EXPECT_EQ(keyboard->GetKeyboardState(keys), InputResult::notAcquired);
    ASSERT_EQ(keyboard->Acquire(), InputResult::ok);
    Change([](vh::SimWorld& w) { w.keys = {0x1E, 0x2A}; });  // A and left Shift
    ASSERT_EQ(keyboard->GetKeyboardState(keys), InputResult::ok);
    for (int k = 0; k < 256; ++k) EXPECT_EQ(keys[k], k == 0x1E || k == 0x2A ? 0x80 : 0) << k;
}

TEST_F(SimBackend, HidWritesAreCapturedByteForByteAndShortReportsGetNothing) {
    const int keypad = Plug("k33"), tiny = Plug("k31"), gone = Plug("g71");
    Change([&](vh::SimWorld& w) {
        w.Find(tiny)->outputReportLength = 3;
        w.Find(gone)->attached = false;
    });
    std::u16string path;
    ASSERT_EQ(Ready(keypad)->GetPath(path), InputResult::ok);

    CHidDevice hid(backend_.Hid());
    hid.Open(path);
    EXPECT_EQ(hid.GetAttributes().vendorId, backend_.World().Find(keypad)->vendorId);
    EXPECT_EQ(hid.GetCapabilities().outputReportLength, vh::kMinDownloadReportLength);
    hid.SendOption(vh::OPTION_CONFIGURING, true);
    const vh::Bytes image(1500, 0xAB);
    for (const vh::Bytes& report :
         vh::DownloadReports(image, hid.GetCapabilities().outputReportLength))
        EXPECT_TRUE(hid.WriteReport(report));
    EXPECT_FALSE(hid.WriteReport(vh::Bytes(10)));  // not the device's length: not written

    const auto captured = vh::ReadCaptures(folder_, keypad, vh::kMinDownloadReportLength);
    ASSERT_EQ(captured.size(), 3u);
    EXPECT_EQ(captured[0], vh::OptionReport(vh::kMinDownloadReportLength, 0, true));
    EXPECT_EQ(captured[1], vh::DownloadReports(image, vh::kMinDownloadReportLength)[0]);
    EXPECT_EQ(captured[2], vh::DownloadReports(image, vh::kMinDownloadReportLength)[1]);

    CHidDevice small(backend_.Hid());
    small.Open(vh::SimHidPath(tiny));
    small.SendOption(vh::OPTION_PAD_SWAP, true);
    EXPECT_FALSE(std::filesystem::exists(vh::CaptureFile(folder_, tiny)));

    CHidDevice unplugged(backend_.Hid());
    EXPECT_THROW(unplugged.Open(vh::SimHidPath(gone)), CHidError);
    EXPECT_THROW(unplugged.Open(u"\\\\?\\hid#vid_1234"), CHidError);
}

TEST(SimPaths, ControllerIdsComeBackFromPathsAndNothingElseIsTaken) {
    EXPECT_EQ(vh::ControllerOfPath("\\\\?\\vhsim#controller#12"), 12);
    for (const char* other : {"", "\\\\?\\vhsim#controller#", "\\\\?\\vhsim#controller#0",
                              "\\\\?\\vhsim#controller#1x", "\\\\?\\hid#vid_7648&pid_0103"})
        EXPECT_EQ(vh::ControllerOfPath(other), 0) << other;
}

}  // namespace
