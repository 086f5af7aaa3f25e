// A simulated set of controllers and a keyboard: what is plugged in and what is
// being pressed. A program reads it through the simulated input backend; a test or
// a person changes it with vhsim while the programs run. Kept as a small text file
// in the simulation's folder so that it survives between commands and can be read
// and edited by hand.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "devices/device_facts.h"

namespace vh {

// Axis positions are per mille of the axis's travel, -1000..1000, whatever range
// the program sets; hats are hundredths of a degree, kHatCentred when released.
inline constexpr uint32_t kHatCentred = 0xFFFFFFFF;
inline constexpr int kAxisTravel = 1000;

enum SimAxis { SIM_X, SIM_Y, SIM_Z, SIM_RX, SIM_RY, SIM_RZ, SIM_SLIDER0, SIM_SLIDER1, SIM_AXES };

struct SimController {
    int id = 0;                // stable for the life of the simulation; names its HID path
    std::string family;        // device code, "k33"
    std::string instanceName;  // UTF-8
    std::string productName;
    bool attached = true;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0x0100;
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
    std::array<int, SIM_AXES> axes{};
    std::array<uint32_t, 4> hats{kHatCentred, kHatCentred, kHatCentred, kHatCentred};
    std::set<int> buttons;  // pressed, 0..31
};

struct SimWorld {
    std::vector<SimController> controllers;
    std::set<int> keys;  // held, DirectInput key codes 0..255

    SimController* Find(int id);
    const SimController* Find(int id) const;
    // A new attached controller of the family, named as the real one, with the next
    // free id.
    SimController& Add(const DeviceFacts& family);
};

class SimWorldError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The file's text; ParseSimWorld throws SimWorldError naming the line.
std::string FormatSimWorld(const SimWorld& world);
SimWorld ParseSimWorld(std::string_view text);

// The simulation's folder holds the world and, per controller, every output report
// written to it, byte for byte and in order.
inline constexpr const char* kSimWorldFile = "simulation.txt";
std::filesystem::path CaptureFile(const std::filesystem::path& folder, int id);

// An empty world when the folder has no world file; nullopt when the file exists
// but cannot be read just now (being replaced) or does not parse.
std::optional<SimWorld> LoadSimWorld(const std::filesystem::path& folder);
// Creates the folder if needed and replaces the world file whole; throws
// std::system_error when it cannot.
void SaveSimWorld(const std::filesystem::path& folder, const SimWorld& world);

void AppendCapture(const std::filesystem::path& folder, int id, const std::vector<uint8_t>& report);
// All reports captured for the controller, split at its output report length.
std::vector<std::vector<uint8_t>> ReadCaptures(const std::filesystem::path& folder, int id,
                                               size_t reportLength);

// Capability counts a controller of the family reports, as the firmware lays out
// its joystick: buttons below 128, a hat when its direction pad is one, the axes.
struct SimLayout {
    int buttons = 0;
    int povs = 0;
    int axes = 0;
};
SimLayout LayoutOf(const DeviceFacts& family);

}  // namespace vh
