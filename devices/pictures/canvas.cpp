#include "devices/pictures/canvas.h"

#include <algorithm>
#include <cmath>

namespace vh::pictures {

Colour Mix(Colour from, Colour to, float t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Colour WithAlpha(Colour c, float alpha) {
    c.a = alpha;
    return c;
}

std::function<Colour(Point)> LinearGradient(Point a, Colour from, Point b, Colour to) {
    const float ex = b.x - a.x, ey = b.y - a.y;
    const float lengthSq = ex * ex + ey * ey;
    return [=](Point p) {
        const float t = std::clamp(((p.x - a.x) * ex + (p.y - a.y) * ey) / lengthSq, 0.f, 1.f);
        return Mix(from, to, t);
    };
}

std::function<Colour(Point)> RadialGradient(Point c, float radius, Colour from, Colour to) {
    return [=](Point p) {
        const float t = std::min(std::hypot(p.x - c.x, p.y - c.y) / radius, 1.f);
        return Mix(from, to, t);
    };
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width * height)) {}

void Canvas::SetTransform(float scale, float offsetX, float offsetY) {
    scale_ = scale;
    offsetX_ = offsetX;
    offsetY_ = offsetY;
}

void Canvas::Paint(const Shape& shape, float reach, const Shader& shade) {
    const Box b = shape.Bounds().Grown(reach + 1 / scale_);
    const int x0 = std::max(0, static_cast<int>(std::floor(b.left * scale_ + offsetX_)));
    const int y0 = std::max(0, static_cast<int>(std::floor(b.top * scale_ + offsetY_)));
    const int x1 = std::min(width_, static_cast<int>(std::ceil(b.right * scale_ + offsetX_)));
    const int y1 = std::min(height_, static_cast<int>(std::ceil(b.bottom * scale_ + offsetY_)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Point p{(x + 0.5f - offsetX_) / scale_, (y + 0.5f - offsetY_) / scale_};
            const Colour c = shade(p, shape.Distance(p));
            if (c.a > 0) BlendPixel(x, y, c);
        }
    }
}

namespace {

// How much of a pixel an outline `distance` pixels away covers.
float Cover(float pixels) {
    return std::clamp(0.5f - pixels, 0.f, 1.f);
}

float SmoothStep(float t) {
    t = std::clamp(t, 0.f, 1.f);
    return t * t * (3 - 2 * t);
}

}  // namespace

void Canvas::Fill(const Shape& shape, Colour colour) {
    const float s = scale_;
    Paint(shape, 0, [=](Point, float d) { return WithAlpha(colour, colour.a * Cover(d * s)); });
}

void Canvas::Fill(const Shape& shape, const std::function<Colour(Point)>& colourAt) {
    const float s = scale_;
    Paint(shape, 0, [&](Point p, float d) {
        const float cover = Cover(d * s);
        if (cover <= 0) return Colour{0, 0, 0, 0};
        const Colour c = colourAt(p);
        return WithAlpha(c, c.a * cover);
    });
}

void Canvas::Shadow(const Shape& shape, float blur, float opacity) {
    Paint(shape, blur, [=](Point, float d) {
        return Colour{0, 0, 0, opacity * (1 - SmoothStep((d + blur * 0.5f) / (blur * 1.5f)))};
    });
}

void Canvas::Glow(const Shape& shape, float radius, Colour colour) {
    Paint(shape, radius, [=](Point, float d) {
        const float t = d <= 0 ? 1 : std::max(0.f, 1 - d / radius);
        return WithAlpha(colour, colour.a * t * t);
    });
}

void Canvas::Bevel(const Shape& shape, float width, float light, float shade) {
    const float s = scale_;
    Paint(shape, 0, [&, s](Point p, float d) {
        const float cover = Cover(d * s);
        if (cover <= 0 || -d > width) return Colour{0, 0, 0, 0};
        const Point n = shape.Normal(p);
        // Facing up and a little left is towards the light.
        const float facing = -(n.x * 0.45f + n.y * 0.89f);
        const float fade = std::pow(1 - std::max(-d, 0.f) / width, 1.5f);
        const float amount = facing * fade;
        if (amount * light > 0) return Colour{255, 255, 255, cover * std::abs(amount * light)};
        return Colour{0, 0, 0, cover * std::abs(amount * shade)};
    });
}

void Canvas::InnerStroke(const Shape& shape, float width, Colour colour) {
    const float s = scale_;
    Paint(shape, 0, [=](Point, float d) {
        const float cover = Cover(d * s) * std::clamp((d + width) * s + 0.5f, 0.f, 1.f);
        return WithAlpha(colour, colour.a * cover);
    });
}

void Canvas::Composite(const Canvas& top, int x, int y) {
    for (int ty = 0; ty < top.height_; ++ty) {
        for (int tx = 0; tx < top.width_; ++tx) {
            const int px = x + tx, py = y + ty;
            if (px < 0 || py < 0 || px >= width_ || py >= height_) continue;
            const Pixel& s = top.pixels_[static_cast<size_t>(ty * top.width_ + tx)];
            Pixel& d = pixels_[static_cast<size_t>(py * width_ + px)];
            const float keep = 1 - s.a;
            d = {s.r + d.r * keep, s.g + d.g * keep, s.b + d.b * keep, s.a + d.a * keep};
        }
    }
}

void Canvas::Clear(int x, int y, int width, int height) {
    for (int py = std::max(0, y); py < std::min(height_, y + height); ++py)
        for (int px = std::max(0, x); px < std::min(width_, x + width); ++px)
            pixels_[static_cast<size_t>(py * width_ + px)] = {};
}

Colour Canvas::At(int x, int y) const {
    const Pixel& p = pixels_[static_cast<size_t>(y * width_ + x)];
    if (p.a <= 0) return {0, 0, 0, 0};
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

void Canvas::BlendPixel(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const float a = std::clamp(c.a, 0.f, 1.f);
    Pixel& d = pixels_[static_cast<size_t>(y * width_ + x)];
    const float keep = 1 - a;
    d = {c.r * a + d.r * keep, c.g * a + d.g * keep, c.b * a + d.b * keep, a + d.a * keep};
}

Canvas Resampled(const Canvas& source, Box from, int width, int height) {
    Canvas out(width, height);
    const float sx = (from.right - from.left) / static_cast<float>(width);
    const float sy = (from.bottom - from.top) / static_cast<float>(height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Area average of the source pixels under this one.
            const float left = from.left + x * sx, right = left + sx;
            const float top = from.top + y * sy, bottom = top + sy;
            Canvas::Pixel sum;
            float area = 0;
            for (int py = static_cast<int>(std::floor(top)); py < std::ceil(bottom); ++py) {
                const float h = std::min<float>(bottom, py + 1) - std::max<float>(top, py);
                for (int px = static_cast<int>(std::floor(left)); px < std::ceil(right); ++px) {
                    const float w = std::min<float>(right, px + 1) - std::max<float>(left, px);
                    area += w * h;
                    if (px < 0 || py < 0 || px >= source.width_ || py >= source.height_) continue;
                    const Canvas::Pixel& p =
                        source.pixels_[static_cast<size_t>(py * source.width_ + px)];
                    sum.r += p.r * w * h;
                    sum.g += p.g * w * h;
                    sum.b += p.b * w * h;
                    sum.a += p.a * w * h;
                }
            }
            if (area > 0)
                out.pixels_[static_cast<size_t>(y * width + x)] = {sum.r / area, sum.g / area,
                                                                   sum.b / area, sum.a / area};
        }
    }
    return out;
}

}  // namespace vh::pictures
