#include "devices/pictures/art_style.h"

namespace vh::pictures {

namespace {

Colour Scaled(Colour c, float by) {
    return {c.r * by, c.g * by, c.b * by, c.a};
}

constexpr Colour kWhite = Hex(0xffffff);

Palette BuildPalette() {
    Palette p;
    p.Add(kTransparentKey);
    // Graphite, densest where the bodies and button faces are.
    p.Ramp(Hex(0x07080a), kWellFloor, 5)
        .Ramp(kWellFloor, kBody, 14)
        .Ramp(kBody, kCapTop, 10)
        .Ramp(kCapTop, kPrint, 9)
        .Ramp(kPrint, Hex(0xf3f5f8), 8)
        .Add({255, 255, 255});
    for (Mode mode : kModes) {
        const ModeLook& look = LookOf(mode);
        // Shadows on the backdrop reach down to about half its brightness.
        p.Ramp(Scaled(look.backdropEdge, 0.45f), look.backdropEdge, 7)
            .Ramp(look.backdropEdge, look.backdropCentre, 18);
        p.Ramp(kBody, look.accent, 9).Ramp(look.accent, Mix(look.accent, kWhite, 0.75f), 3);
    }
    p.Ramp(kBodyDark, kLit, 10).Ramp(kLit, Hex(0xfff3dc), 4);
    return p;
}

}  // namespace

const ModeLook& LookOf(Mode mode) {
    static const ModeLook looks[] = {
        {"Normal", Hex(0x6c7784), Hex(0x272c34), Hex(0xe2ebf5)},
        {"Red", Hex(0xa0343a), Hex(0x3a1115), Hex(0xff4b4b)},
        {"Blue", Hex(0x2f60a6), Hex(0x0f2046), Hex(0x4ba3ff)},
        {"Green", Hex(0x2f8a4d), Hex(0x0e3320), Hex(0x4de07e)},
    };
    return looks[static_cast<int>(mode)];
}

const Palette& SharedPalette() {
    static const Palette palette = BuildPalette();
    return palette;
}

}  // namespace vh::pictures
