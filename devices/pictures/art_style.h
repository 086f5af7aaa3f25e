// The look every device image shares: the shift modes' colours, the device body's
// materials, the lit accent, and the one colour table holding all of them.
#pragma once

#include <array>

#include "devices/pictures/canvas.h"
#include "devices/pictures/indexed_image.h"

namespace vh::pictures {

enum class Mode { Normal, Red, Blue, Green };
inline constexpr std::array<Mode, 4> kModes = {Mode::Normal, Mode::Red, Mode::Blue, Mode::Green};

struct ModeLook {
    const char* name;
    Colour backdropCentre, backdropEdge;
    Colour accent;  // the mode's lights on the device
};
const ModeLook& LookOf(Mode mode);

// Graphite plastic, darkest to lightest.
inline constexpr Colour kOutline = Hex(0x111317);
inline constexpr Colour kWellFloor = Hex(0x16181c);  // under every button and arrow
inline constexpr Colour kRubber = Hex(0x25282d);
inline constexpr Colour kBodyDark = Hex(0x282c32);
inline constexpr Colour kBody = Hex(0x32363d);
inline constexpr Colour kBodyLight = Hex(0x3e434b);
inline constexpr Colour kPlate = Hex(0x474d56);
inline constexpr Colour kCapSkirt = Hex(0x22252a);
inline constexpr Colour kCapTop = Hex(0x4b515b);
inline constexpr Colour kCapBottom = Hex(0x363b43);
inline constexpr Colour kPrint = Hex(0x8d949e);    // lettering printed on the device
inline constexpr Colour kMarking = Hex(0xa3aab4);  // arrows and ticks on buttons
inline constexpr Colour kPaleText = Hex(0xdfe4ea);
// A lit button, the hovered direction and an active device.
inline constexpr Colour kLit = Hex(0xffa62b);
inline constexpr Colour kLitPale = Hex(0xffd89a);

// Every image of every device and the editor's chooser: shades of each colour above,
// the four backdrops, the mode lights and the transparent key.
const Palette& SharedPalette();

}  // namespace vh::pictures
