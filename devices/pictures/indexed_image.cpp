#include "devices/pictures/indexed_image.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace vh::pictures {

namespace {

uint8_t Channel(float v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

Rgb ToRgb(Colour c) {
    return {Channel(c.r), Channel(c.g), Channel(c.b)};
}

}  // namespace

Palette& Palette::Ramp(Colour from, Colour to, int steps) {
    for (int i = 0; i < steps; ++i)
        Add(ToRgb(Mix(from, to, steps > 1 ? static_cast<float>(i) / (steps - 1) : 0)));
    return *this;
}

Palette& Palette::Add(Rgb colour) {
    if (std::find(colours_.begin(), colours_.end(), colour) != colours_.end()) return *this;
    if (colours_.size() == kMaxPaletteColours)
        throw std::length_error("more than 236 colours in a colour table");
    colours_.push_back(colour);
    nearest_.clear();
    return *this;
}

uint8_t Palette::Nearest(Rgb c) const {
    const uint32_t key = static_cast<uint32_t>(c.r) << 16 | c.g << 8 | c.b;
    if (auto it = nearest_.find(key); it != nearest_.end()) return it->second;
    uint8_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < colours_.size(); ++i) {
        const Rgb& p = colours_[i];
        if (p == kTransparentKey && !(c == kTransparentKey)) continue;
        // Green counts most and blue least, roughly as the eye weighs them.
        const int dr = p.r - c.r, dg = p.g - c.g, db = p.b - c.b;
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<uint8_t>(i);
        }
    }
    nearest_.emplace(key, best);
    return best;
}

namespace {

// An ordered dither of about one ramp step hides the steps of wide, smooth gradients.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
constexpr float kDitherLevels = 3;

IndexedImage Reduced(const Canvas& canvas, const Palette& palette, Colour matte, bool keyed) {
    IndexedImage image{canvas.Width(), canvas.Height(), palette.Colours(), {}};
    image.pixels.reserve(static_cast<size_t>(image.width * image.height));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Colour c = canvas.At(x, y);
            if (keyed && c.a < 0.02f) {
                image.pixels.push_back(palette.Nearest(kTransparentKey));
                continue;
            }
            Colour flat = Mix(matte, WithAlpha(c, 1), c.a);
            if (!keyed) {
                const float offset = ((kBayer[y % 4][x % 4] + 0.5f) / 16 - 0.5f) * kDitherLevels;
                flat = {flat.r + offset, flat.g + offset, flat.b + offset, 1};
            }
            image.pixels.push_back(palette.Nearest(ToRgb(flat)));
        }
    }
    return image;
}

}  // namespace

IndexedImage Indexed(const Canvas& canvas, const Palette& palette) {
    return Reduced(canvas, palette, Hex(0x000000), false);
}

IndexedImage IndexedKeyed(const Canvas& canvas, const Palette& palette, Colour matte) {
    const auto& colours = palette.Colours();
    if (std::find(colours.begin(), colours.end(), kTransparentKey) == colours.end())
        throw std::logic_error("a keyed image needs the transparent key in its colour table");
    return Reduced(canvas, palette, matte, true);
}

}  // namespace vh::pictures
