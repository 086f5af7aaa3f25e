// The input backend over a simulated world (sim_world.h): controllers enumerate,
// acquire, read and lose input as real ones do, and every output report written to
// one is captured in the simulation's folder. The world is read afresh at every
// call, so changes made while a program runs take effect at once.
#pragma once

#include <filesystem>

#include "devices/input/input_backend.h"
#include "devices/input/sim_world.h"

namespace vh {

// The HID path of a simulated controller; ControllerOfPath gives its id back, or 0.
std::u16string SimHidPath(int id);
int ControllerOfPath(std::string_view ansiPath);
GUID SimInstanceGuid(int id);

class CSimInputBackend : public IInputBackend, private IHidTransport {
  public:
    explicit CSimInputBackend(std::filesystem::path folder);

    std::vector<InputDeviceInstance> EnumGameControllers() override;
    std::unique_ptr<IInputDevice> CreateDevice(const GUID& instance) override;
    std::unique_ptr<IInputDevice> CreateKeyboard() override;
    IHidTransport& Hid() override { return *this; }

    const std::filesystem::path& Folder() const { return folder_; }
    // The world as it is now; while the file is being replaced, as it was last read.
    const SimWorld& World();

  private:
    std::unique_ptr<IHidConnection> Open(const std::string& ansiPath) override;

    std::filesystem::path folder_;
    SimWorld world_;
};

}  // namespace vh
