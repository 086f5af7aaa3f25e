// The game controllers and the keyboard as the programs read them: what they use
// of DirectInput 8, and the HID transport that reaches the same controllers. One
// implementation is DirectInput and HID; the other a simulation (sim_backend.h),
// which a program uses only when asked to (input_backend_win.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "devices/hid_device.h"
#include "profile/guid.h"

namespace vh {

// Results the callers tell apart, as DirectInput reports them.
enum class InputResult {
    ok,
    inputLost,    // DIERR_INPUTLOST: acquire again
    notAcquired,  // DIERR_NOTACQUIRED
    pending,      // E_PENDING
    invalidParam,
    notFound,
    unsupported,
    notInitialized,  // DIERR_NOTINITIALIZED, which is also the "not ready" code
    otherError,
};

// DirectInput's standard joystick state, field for field (80 bytes).
struct JoystickState {
    int32_t lX = 0, lY = 0, lZ = 0, lRx = 0, lRy = 0, lRz = 0;
    std::array<int32_t, 2> rglSlider{};
    std::array<uint32_t, 4> rgdwPOV{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    std::array<uint8_t, 32> rgbButtons{};
};
static_assert(sizeof(JoystickState) == 80);

// Offsets of the axes within JoystickState: how a range is addressed.
enum JoystickOffset : uint32_t {
    JOFS_X = 0,
    JOFS_Y = 4,
    JOFS_Z = 8,
    JOFS_RX = 12,
    JOFS_RY = 16,
    JOFS_RZ = 20,
    JOFS_SLIDER0 = 24,
    JOFS_SLIDER1 = 28,
};

using KeyboardState = std::array<uint8_t, 256>;  // by DirectInput key code; bit 7 held

// The counts callers read from DirectInput's capabilities record.
struct InputCapabilities {
    uint32_t axes = 0;
    uint32_t buttons = 0;
    uint32_t povs = 0;
};

enum class DataFormat { joystick, keyboard };

// Cooperative-level flags, DirectInput's values.
enum CooperativeFlags : uint32_t {
    COOP_EXCLUSIVE = 0x1,
    COOP_NONEXCLUSIVE = 0x2,
    COOP_FOREGROUND = 0x4,
    COOP_BACKGROUND = 0x8,
    COOP_NOWINKEY = 0x10,
};

struct InputDeviceInstance {
    GUID instance{};
    GUID product{};
    std::u16string instanceName;
    std::u16string productName;
};

// One created device; released when destroyed.
class IInputDevice {
  public:
    virtual ~IInputDevice() = default;
    virtual InputResult SetDataFormat(DataFormat format) = 0;
    // `window` is the owner's window handle; the simulation ignores it.
    virtual InputResult SetCooperativeLevel(void* window, uint32_t flags) = 0;
    virtual InputResult GetCapabilities(InputCapabilities& caps) = 0;
    virtual InputResult SetRange(uint32_t offset, int32_t minimum, int32_t maximum) = 0;
    virtual InputResult Acquire() = 0;
    virtual InputResult Unacquire() = 0;
    virtual InputResult Poll() = 0;
    virtual InputResult GetJoystickState(JoystickState& state) = 0;
    virtual InputResult GetKeyboardState(KeyboardState& state) = 0;
    // The HID device path (DIPROP_GUIDANDPATH), to open with CHidDevice.
    virtual InputResult GetPath(std::u16string& path) = 0;
};

class IInputBackend {
  public:
    virtual ~IInputBackend() = default;
    // The attached game controllers, in the order the system lists them.
    virtual std::vector<InputDeviceInstance> EnumGameControllers() = 0;
    // Null when the device cannot be created (unplugged meanwhile, say).
    virtual std::unique_ptr<IInputDevice> CreateDevice(const GUID& instance) = 0;
    virtual std::unique_ptr<IInputDevice> CreateKeyboard() = 0;
    // The HID side of the same controllers.
    virtual IHidTransport& Hid() = 0;
};

}  // namespace vh
