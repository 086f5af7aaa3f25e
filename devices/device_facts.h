// What the suite knows about each device, in one place: the device modules are
// built from it, the programs' label strings and the generated pictures come from
// it, and the tests check against it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "devices/resdll_interface.h"
#include "profile/guid.h"

namespace vh {

// Every device picture is this size; nothing is drawn within the margin of its edge.
inline constexpr int kPictureWidth = 640;
inline constexpr int kPictureHeight = 480;
inline constexpr int kPictureMargin = 8;
// The editor draws its device chooser over the picture's lower right corner, from
// this point to the edges; no control may sit there.
inline constexpr int kChooserLeft = kPictureWidth - 168;
inline constexpr int kChooserTop = kPictureHeight - 132;
// Overlay images (the direction arrows) are square, this many pixels.
inline constexpr int kOverlayImageSize = 24;

struct ControlFact {
    std::string name;           // "AP..." / "JS..." on the combined device
    int x = 0, y = 0;           // top-left of the button on the 640 x 480 picture
    int width = 0, height = 0;  // size of the button images
    int control = 0;            // control index 0..255
    uint16_t normalBitmap = 0;
    uint16_t highlightBitmap = 0;
    uint16_t labelId = 0;      // string id of the default label, unique across devices
    std::string defaultLabel;  // its English text
};

struct OverlayFact {
    int control = 0;
    std::vector<VH_OVERLAY_ENTRY> entries;  // at most VH_MAX_OVERLAY_ENTRIES
};

struct DeviceFacts {
    std::string code;  // "k33"; also the profile file extension
    GUID guid{};
    std::string displayName;  // "Varnholt k33 Tactiboard2"
    std::string deviceText;   // resource string 1, at most 80 characters
    uint16_t idleIcon = 0, activeIcon = 0;
    std::array<uint16_t, 4> pictures{};        // Normal, Red, Blue, Green
    std::array<uint16_t, 4> secondPictures{};  // the combined device's keypad half; else 0
    std::vector<ControlFact> controls;         // at most VH_MAX_CONTROLS
    std::vector<OverlayFact> overlays;
    std::vector<VH_AXIS_RECORD> axes;
};

// The six devices: g71, g74, k31, k33, w58, q97.
const std::vector<DeviceFacts>& DeviceCatalog();
// Null for an unknown code. Codes are file extensions, so case does not matter.
const DeviceFacts* FindDevice(std::string_view code);
// Whether the control is drawn on the second picture set (the combined device's
// keypad half, whose controls are named "AP...").
bool OnSecondPicture(const DeviceFacts& device, const ControlFact& control);

}  // namespace vh
