// The button images the programs place over a device picture, and the arrows shown
// in a direction pad's centre while one of its directions is hovered.
#pragma once

#include "devices/device_facts.h"
#include "devices/pictures/canvas.h"

namespace vh::pictures {

enum class ControlKind {
    Key,        // a keypad's key cap
    Round,      // a pad or stick button
    Direction,  // one direction of a pad or hat
    Shoulder,   // a gamepad's shoulder button
    Small,      // a pad's middle buttons
    Slot,       // an axis
    Wheel,      // a wheel read as an axis
    WheelPart,  // one part of a wheel that rolls up, rolls down and clicks
};

struct ControlShape {
    ControlKind kind = ControlKind::Round;
    float width = 0, height = 0;
    // Direction: where it points (x right, y down, one of the eight); WheelPart:
    // (0, -1) up, (0, 1) down, (0, 0) the click.
    Point toward;
};

// What a control looks like, from its size, its axis record and its place in the
// device (directions point away from the centre of their pad).
ControlShape ShapeOf(const DeviceFacts& device, const ControlFact& control);

// The button's outline in its own image, from (0, 0) to (width, height).
Shape ButtonOutline(const ControlShape& control);
// Draws the button at design (0, 0); set the canvas transform to place it.
void DrawButton(Canvas& canvas, const ControlShape& control, bool lit);

// The hover arrow pointing `toward`, centred in a kOverlayImageSize square at (0, 0).
void DrawArrow(Canvas& canvas, Point toward);
// Where an overlay's arrow points: from the centre of its entry to the control.
Point ArrowDirection(const ControlFact& control, const VH_OVERLAY_ENTRY& entry);

}  // namespace vh::pictures
