// A device's picture: the device seen from above (the flight stick from the front)
// on a backdrop tinted by the shift mode, with a well under every button, the mode's
// lights on the device and a small wordmark.
#pragma once

#include <vector>

#include "devices/device_facts.h"
#include "devices/pictures/art_style.h"
#include "devices/pictures/canvas.h"

namespace vh::pictures {

// The mode's backdrop alone: what the margin and the chooser corner of every
// picture show.
Canvas DrawBackdrop(Mode mode);

class DevicePicture {
  public:
    // `second`: the combined device's keypad half.
    DevicePicture(const DeviceFacts& device, bool second);

    // The device with the wells its buttons sit in, without backdrop or mode.
    const Canvas& Body() const { return body_; }
    const std::vector<const ControlFact*>& Controls() const { return controls_; }
    // The complete picture of a mode.
    Canvas Picture(Mode mode) const;

  private:
    struct Lights {
        Point leds;                 // centre of the row of three mode lights
        std::vector<Shape> strips;  // light strips lit in the mode's colour
        Point wordmark;             // top-left of the wordmark
    };

    void DrawKeypad();
    void DrawGamepad();
    void DrawDualAnalog();
    void DrawStick();
    void DrawWells();
    void DrawDirectionPlate();
    void DrawModeLights(Canvas& canvas, Mode mode) const;

    const DeviceFacts& device_;
    std::vector<const ControlFact*> controls_;
    Canvas body_;
    Lights lights_;
    std::string model_;
};

}  // namespace vh::pictures
