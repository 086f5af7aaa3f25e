// A true-colour drawing surface with coverage: everything is drawn here with smooth
// edges, then reduced to a colour table (indexed_image.h).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "devices/pictures/shapes.h"

namespace vh::pictures {

// Red, green and blue 0..255, alpha (opacity) 0..1, not premultiplied.
struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

constexpr Colour Hex(uint32_t rgb, float alpha = 1) {
    return {static_cast<float>(rgb >> 16 & 0xFF), static_cast<float>(rgb >> 8 & 0xFF),
            static_cast<float>(rgb & 0xFF), alpha};
}
Colour Mix(Colour from, Colour to, float t);
Colour WithAlpha(Colour c, float alpha);

// Colour along a line from a to b, clamped beyond the ends.
std::function<Colour(Point)> LinearGradient(Point a, Colour from, Point b, Colour to);
// Colour by distance from the centre, `to` at `radius` and beyond.
std::function<Colour(Point)> RadialGradient(Point centre, float radius, Colour from, Colour to);

class Canvas {
  public:
    Canvas(int width, int height);  // transparent

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Shapes are given in design units: pixel = unit * scale + offset.
    void SetTransform(float scale, float offsetX, float offsetY);
    float Scale() const { return scale_; }

    // Paints every pixel within `reach` units of the shape's bounds with what `shade`
    // returns for its centre point and the shape's distance there; the colour's alpha
    // is how much of the pixel it covers.
    using Shader = std::function<Colour(Point p, float distance)>;
    void Paint(const Shape& shape, float reach, const Shader& shade);

    void Fill(const Shape& shape, Colour colour);
    void Fill(const Shape& shape, const std::function<Colour(Point)>& colourAt);
    // A soft shadow of the shape, `blur` units wide around its outline.
    void Shadow(const Shape& shape, float blur, float opacity);
    // Light fading out over `radius` units outside the shape (and filling it).
    void Glow(const Shape& shape, float radius, Colour colour);
    // Light on the edges facing the light (up and a little left), shade on the others,
    // fading over `width` units inwards. Negative strengths make a recess.
    void Bevel(const Shape& shape, float width, float light, float shade);
    // A line `width` units wide along the inside of the outline.
    void InnerStroke(const Shape& shape, float width, Colour colour);

    // Draws `top` over this canvas with its top-left corner at pixel (x, y).
    void Composite(const Canvas& top, int x = 0, int y = 0);
    // Makes a rectangle of pixels transparent again.
    void Clear(int x, int y, int width, int height);

    // Straight colour of a pixel.
    Colour At(int x, int y) const;
    // Draws one pixel-sized square at pixel (x, y) in pixels, ignoring the transform.
    void BlendPixel(int x, int y, Colour colour);

  private:
    // Premultiplied, so that covering and averaging are plain sums.
    struct Pixel {
        float r = 0, g = 0, b = 0, a = 0;
    };
    friend Canvas Resampled(const Canvas&, Box, int, int);

    int width_, height_;
    float scale_ = 1, offsetX_ = 0, offsetY_ = 0;
    std::vector<Pixel> pixels_;
};

// The source box (in pixels) averaged down (or up) into a new canvas of the size given.
Canvas Resampled(const Canvas& source, Box from, int width, int height);

}  // namespace vh::pictures
