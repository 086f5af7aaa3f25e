#include "devices/input/direct_input_backend_win.h"

#define DIRECTINPUT_VERSION 0x0800
#include <dinput.h>

namespace vh {

namespace {

InputResult ResultOf(HRESULT hr) {
    if (SUCCEEDED(hr)) return InputResult::ok;  // DI_NOEFFECT and DI_POLLEDDEVICE too
    switch (hr) {
        case DIERR_INPUTLOST:
            return InputResult::inputLost;
        case DIERR_NOTACQUIRED:
            return InputResult::notAcquired;
        case E_PENDING:
            return InputResult::pending;
        case DIERR_INVALIDPARAM:
            return InputResult::invalidParam;
        case DIERR_NOTFOUND:
            return InputResult::notFound;  // DIERR_OBJECTNOTFOUND too
        case DIERR_UNSUPPORTED:
            return InputResult::unsupported;
        case DIERR_NOTINITIALIZED:
            return InputResult::notInitialized;  // also "not ready"
        default:
            return InputResult::otherError;
    }
}

static_assert(sizeof(JoystickState) == sizeof(DIJOYSTATE));

class DirectInputDevice : public IInputDevice {
  public:
    explicit DirectInputDevice(IDirectInputDevice8W* device) : device_(device) {}
    ~DirectInputDevice() override {
        device_->Unacquire();
        device_->Release();
    }
    DirectInputDevice(const DirectInputDevice&) = delete;
    DirectInputDevice& operator=(const DirectInputDevice&) = delete;

    InputResult SetDataFormat(DataFormat format) override {
        return ResultOf(device_->SetDataFormat(format == DataFormat::joystick ? &c_dfDIJoystick
                                                                              : &c_dfDIKeyboard));
    }
    InputResult SetCooperativeLevel(void* window, uint32_t flags) override {
        return ResultOf(device_->SetCooperativeLevel(static_cast<HWND>(window), flags));
    }
    InputResult GetCapabilities(InputCapabilities& caps) override {
        DIDEVCAPS dc{};
        dc.dwSize = sizeof dc;
        const HRESULT hr = device_->GetCapabilities(&dc);
        if (SUCCEEDED(hr)) caps = {dc.dwAxes, dc.dwButtons, dc.dwPOVs};
        return ResultOf(hr);
    }
    InputResult SetRange(uint32_t offset, int32_t minimum, int32_t maximum) override {
        DIPROPRANGE range{};
        range.diph.dwSize = sizeof range;
        range.diph.dwHeaderSize = sizeof range.diph;
        range.diph.dwObj = offset;
        range.diph.dwHow = DIPH_BYOFFSET;
        range.lMin = minimum;
        range.lMax = maximum;
        return ResultOf(device_->SetProperty(DIPROP_RANGE, &range.diph));
    }
    InputResult Acquire() override { return ResultOf(device_->Acquire()); }
    InputResult Unacquire() override { return ResultOf(device_->Unacquire()); }
    InputResult Poll() override { return ResultOf(device_->Poll()); }
    InputResult GetJoystickState(JoystickState& state) override {
        return ResultOf(device_->GetDeviceState(sizeof state, &state));
    }
    InputResult GetKeyboardState(KeyboardState& state) override {
        return ResultOf(device_->GetDeviceState(sizeof state, state.data()));
    }
    InputResult GetPath(std::u16string& path) override {
        DIPROPGUIDANDPATH property{};
        property.diph.dwSize = sizeof property;
        property.diph.dwHeaderSize = sizeof property.diph;
        property.diph.dwHow = DIPH_DEVICE;
        const HRESULT hr = device_->GetProperty(DIPROP_GUIDANDPATH, &property.diph);
        if (SUCCEEDED(hr)) path = reinterpret_cast<const char16_t*>(property.wszPath);
        return ResultOf(hr);
    }

  private:
    IDirectInputDevice8W* device_;
};

BOOL CALLBACK Collect(const DIDEVICEINSTANCEW* instance, void* context) {
    static_cast<std::vector<InputDeviceInstance>*>(context)->push_back(
        {instance->guidInstance, instance->guidProduct,
         reinterpret_cast<const char16_t*>(instance->tszInstanceName),
         reinterpret_cast<const char16_t*>(instance->tszProductName)});
    return DIENUM_CONTINUE;
}

}  // namespace

CDirectInputBackend::CDirectInputBackend(HINSTANCE instance) {
    void* input = nullptr;
    if (SUCCEEDED(
            DirectInput8Create(instance, DIRECTINPUT_VERSION, IID_IDirectInput8W, &input, nullptr)))
        input_ = static_cast<IDirectInput8W*>(input);
}

CDirectInputBackend::~CDirectInputBackend() {
    if (input_) input_->Release();
}

std::vector<InputDeviceInstance> CDirectInputBackend::EnumGameControllers() {
    std::vector<InputDeviceInstance> found;
    if (input_) input_->EnumDevices(DI8DEVCLASS_GAMECTRL, Collect, &found, DIEDFL_ATTACHEDONLY);
    return found;
}

std::unique_ptr<IInputDevice> CDirectInputBackend::CreateDevice(const GUID& instance) {
    IDirectInputDevice8W* device = nullptr;
    if (!input_ || FAILED(input_->CreateDevice(instance, &device, nullptr))) return nullptr;
    return std::make_unique<DirectInputDevice>(device);
}

std::unique_ptr<IInputDevice> CDirectInputBackend::CreateKeyboard() {
    return CreateDevice(GUID_SysKeyboard);
}

}  // namespace vh
