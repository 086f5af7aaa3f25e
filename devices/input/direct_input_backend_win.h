// The input backend over DirectInput 8 and the system's HID library: what the
// programs use when no simulation is asked for.
#pragma once

#include <windows.h>

#include "devices/hid_transport_win.h"
#include "devices/input/input_backend.h"

struct IDirectInput8W;

namespace vh {

class CDirectInputBackend : public IInputBackend {
  public:
    // Without DirectInput (it cannot be created) there are no controllers.
    explicit CDirectInputBackend(HINSTANCE instance);
    ~CDirectInputBackend() override;
    CDirectInputBackend(const CDirectInputBackend&) = delete;
    CDirectInputBackend& operator=(const CDirectInputBackend&) = delete;

    bool Available() const { return input_ != nullptr; }

    std::vector<InputDeviceInstance> EnumGameControllers() override;
    std::unique_ptr<IInputDevice> CreateDevice(const GUID& instance) override;
    std::unique_ptr<IInputDevice> CreateKeyboard() override;
    IHidTransport& Hid() override { return hid_; }

  private:
    IDirectInput8W* input_ = nullptr;
    CWin32HidTransport hid_;
};

}  // namespace vh
