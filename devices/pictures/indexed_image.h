// 8-bit colour-indexed images and the colour tables they index. The programs build
// a logical palette of a picture's table plus the 20 system colours, so a table holds
// at most 236 colours.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "devices/pictures/canvas.h"

namespace vh::pictures {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Pixels of this colour are transparent where the programs load an image with a
// mask (they key on the colour of the first stored pixel).
inline constexpr Rgb kTransparentKey{255, 0, 255};
inline constexpr size_t kMaxPaletteColours = 236;

class Palette {
  public:
    // Adds `steps` colours evenly from `from` to `to`, both ends included, skipping
    // colours already present. Throws std::length_error beyond 236 colours.
    Palette& Ramp(Colour from, Colour to, int steps);
    Palette& Add(Rgb colour);

    const std::vector<Rgb>& Colours() const { return colours_; }
    // The nearest colour's index. The transparent key is never the nearest colour of
    // anything but itself.
    uint8_t Nearest(Rgb colour) const;

  private:
    std::vector<Rgb> colours_;
    mutable std::unordered_map<uint32_t, uint8_t> nearest_;
};

struct IndexedImage {
    int width = 0, height = 0;
    std::vector<Rgb> palette;
    std::vector<uint8_t> pixels;  // rows top to bottom

    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    Rgb ColourAt(int x, int y) const { return palette[At(x, y)]; }
};

// An opaque canvas in the palette's colours, finely dithered.
IndexedImage Indexed(const Canvas& canvas, const Palette& palette);
// A canvas with transparent parts: pixels it leaves uncovered take the transparent
// key, partly covered ones are blended over `matte`, the colour that will show
// around them.
IndexedImage IndexedKeyed(const Canvas& canvas, const Palette& palette, Colour matte);

}  // namespace vh::pictures
