#include "devices/input/sim_backend.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <set>
#include <system_error>

#include "profile/utf8.h"

namespace vh {

namespace {

constexpr std::string_view kPathPrefix = "\\\\?\\vhsim#controller#";

// Offsets of the axes in SimAxis order.
constexpr uint32_t kAxisOffsets[SIM_AXES] = {JOFS_X,  JOFS_Y,  JOFS_Z,       JOFS_RX,
                                             JOFS_RY, JOFS_RZ, JOFS_SLIDER0, JOFS_SLIDER1};

// The axes a controller of the family has: its analog controls (192 X .. 197 Rz,
// 201 and 202 the sliders), and X and Y for a direction pad without a stick.
std::set<uint32_t> AxesOf(const DeviceFacts& family) {
    std::set<uint32_t> offsets;
    bool pad = false;
    for (const ControlFact& c : family.controls) {
        pad = pad || (c.control >= 128 && c.control < 192);
        if (c.control >= 192 && c.control <= 197) offsets.insert(kAxisOffsets[c.control - 192]);
        if (c.control == 201 || c.control == 202)
            offsets.insert(kAxisOffsets[SIM_SLIDER0 + c.control - 201]);
    }
    if (pad && !offsets.count(JOFS_X)) offsets.insert({JOFS_X, JOFS_Y});
    return offsets;
}

// An axis position (per mille of its travel) within the range the program set.
int32_t Scaled(int position, int32_t minimum, int32_t maximum) {
    const int64_t span = int64_t{maximum} - minimum;
    return static_cast<int32_t>(minimum +
                                (int64_t{position} + kAxisTravel) * span / (2 * kAxisTravel));
}

class SimDevice : public IInputDevice {
  public:
    // id 0 is the keyboard.
    SimDevice(CSimInputBackend& backend, int id) : backend_(backend), id_(id) {}

    InputResult SetDataFormat(DataFormat format) override {
        if (acquired_) return InputResult::otherError;  // DIERR_ACQUIRED
        if ((format == DataFormat::keyboard) != (id_ == 0)) return InputResult::invalidParam;
        format_ = format;
        return InputResult::ok;
    }

    InputResult SetCooperativeLevel(void*, uint32_t flags) override {
        const bool exclusive = flags & COOP_EXCLUSIVE, shared = flags & COOP_NONEXCLUSIVE;
        const bool foreground = flags & COOP_FOREGROUND, background = flags & COOP_BACKGROUND;
        if (exclusive == shared || foreground == background) return InputResult::invalidParam;
        return InputResult::ok;
    }

    InputResult GetCapabilities(InputCapabilities& caps) override {
        const SimController* c = Controller();
        if (!c) return InputResult::otherError;
        const SimLayout layout = LayoutOf(*FindDevice(c->family));
        caps.axes = layout.axes;
        caps.buttons = layout.buttons;
        caps.povs = layout.povs;
        return InputResult::ok;
    }

    InputResult SetRange(uint32_t offset, int32_t minimum, int32_t maximum) override {
        const SimController* c = Controller();
        if (!c) return InputResult::otherError;
        if (minimum >= maximum) return InputResult::invalidParam;
        if (!AxesOf(*FindDevice(c->family)).count(offset)) return InputResult::notFound;
        ranges_[offset] = {minimum, maximum};
        return InputResult::ok;
    }

    InputResult Acquire() override {
        if (!format_) return InputResult::invalidParam;
        if (id_ != 0 && !Attached()) return InputResult::otherError;  // DIERR_UNPLUGGED
        acquired_ = true;
        return InputResult::ok;
    }

    InputResult Unacquire() override {
        acquired_ = false;
        return InputResult::ok;
    }

    InputResult Poll() override { return Readable(); }

    InputResult GetJoystickState(JoystickState& state) override {
        if (format_ != DataFormat::joystick) return InputResult::invalidParam;
        if (const InputResult r = Readable(); r != InputResult::ok) return r;
        const SimController& c = *Controller();
        state = JoystickState{};
        int32_t* axes[SIM_AXES] = {&state.lX,           &state.lY,          &state.lZ,
                                   &state.lRx,          &state.lRy,         &state.lRz,
                                   &state.rglSlider[0], &state.rglSlider[1]};
        for (int a = 0; a < SIM_AXES; ++a) {
            const auto range = ranges_.find(kAxisOffsets[a]);
            const auto [minimum, maximum] =
                range != ranges_.end() ? range->second : std::pair<int32_t, int32_t>{0, 65535};
            *axes[a] = Scaled(c.axes[a], minimum, maximum);
        }
        std::copy(c.hats.begin(), c.hats.end(), state.rgdwPOV.begin());
        for (int b : c.buttons) state.rgbButtons[b] = 0x80;
        return InputResult::ok;
    }

    InputResult GetKeyboardState(KeyboardState& state) override {
        if (format_ != DataFormat::keyboard) return InputResult::invalidParam;
        if (!acquired_) return InputResult::notAcquired;
        state.fill(0);
        for (int k : backend_.World().keys) state[k] = 0x80;
        return InputResult::ok;
    }

    InputResult GetPath(std::u16string& path) override {
        if (id_ == 0) return InputResult::unsupported;
        path = SimHidPath(id_);
        return InputResult::ok;
    }

  private:
    const SimController* Controller() { return backend_.World().Find(id_); }
    bool Attached() {
        const SimController* c = Controller();
        return c && c->attached;
    }
    // An unplugged controller loses its input and stays unacquired.
    InputResult Readable() {
        if (id_ != 0 && !Attached()) {
            acquired_ = false;
            return InputResult::inputLost;
        }
        return acquired_ ? InputResult::ok : InputResult::notAcquired;
    }

    CSimInputBackend& backend_;
    int id_;
    std::optional<DataFormat> format_;
    bool acquired_ = false;
    std::map<uint32_t, std::pair<int32_t, int32_t>> ranges_;
};

class SimHidConnection : public IHidConnection {
  public:
    SimHidConnection(std::filesystem::path folder, const SimController& c)
        : folder_(std::move(folder)), id_(c.id) {
        attributes_ = {c.vendorId, c.productId, c.versionNumber};
        capabilities_ = {c.inputReportLength, c.outputReportLength, 0};
    }
    HID_ATTRIBUTES Attributes() const override { return attributes_; }
    HID_CAPABILITIES Capabilities() const override { return capabilities_; }
    bool Write(const Bytes& report) override {
        // As a real device: one whole output report per write, and nothing else.
        if (report.size() != capabilities_.outputReportLength) return false;
        try {
            AppendCapture(folder_, id_, report);
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }

  private:
    std::filesystem::path folder_;
    int id_;
    HID_ATTRIBUTES attributes_;
    HID_CAPABILITIES capabilities_;
};

GUID ProductGuid(const SimController& c) {
    // As DirectInput forms it for a HID device: product and vendor id, then "PIDVID".
    return GUID{
        uint32_t{c.productId} << 16 | c.vendorId, 0, 0, {0, 0, 'P', 'I', 'D', 'V', 'I', 'D'}};
}

}  // namespace

std::u16string SimHidPath(int id) {
    return Utf8ToUtf16(std::string(kPathPrefix) + std::to_string(id));
}

int ControllerOfPath(std::string_view path) {
    if (!path.starts_with(kPathPrefix)) return 0;
    path.remove_prefix(kPathPrefix.size());
    int id = 0;
    const auto [end, ec] = std::from_chars(path.data(), path.data() + path.size(), id);
    return ec == std::errc() && end == path.data() + path.size() && id > 0 ? id : 0;
}

GUID SimInstanceGuid(int id) {
    return GUID{0x5648534D,
                0x494D,
                0x0001,
                {0, 0, 0, 0, 0, 0, static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id)}};
}

CSimInputBackend::CSimInputBackend(std::filesystem::path folder) : folder_(std::move(folder)) {}

const SimWorld& CSimInputBackend::World() {
    if (std::optional<SimWorld> now = LoadSimWorld(folder_)) world_ = std::move(*now);
    return world_;
}

std::vector<InputDeviceInstance> CSimInputBackend::EnumGameControllers() {
    std::vector<InputDeviceInstance> found;
    for (const SimController& c : World().controllers) {
        if (!c.attached) continue;
        found.push_back({SimInstanceGuid(c.id), ProductGuid(c), Utf8ToUtf16(c.instanceName),
                         Utf8ToUtf16(c.productName)});
    }
    return found;
}

std::unique_ptr<IInputDevice> CSimInputBackend::CreateDevice(const GUID& instance) {
    for (const SimController& c : World().controllers)
        if (c.attached && SimInstanceGuid(c.id) == instance)
            return std::make_unique<SimDevice>(*this, c.id);
    return nullptr;
}

std::unique_ptr<IInputDevice> CSimInputBackend::CreateKeyboard() {
    return std::make_unique<SimDevice>(*this, 0);
}

std::unique_ptr<IHidConnection> CSimInputBackend::Open(const std::string& ansiPath) {
    const SimController* c = World().Find(ControllerOfPath(ansiPath));
    if (!c || !c->attached) return nullptr;
    return std::make_unique<SimHidConnection>(folder_, *c);
}

}  // namespace vh
