#include "devices/pictures/icon_art.h"

#include <algorithm>
#include <cmath>

#include "devices/pictures/art_style.h"
#include "devices/pictures/canvas.h"

namespace vh::pictures {

namespace {

struct IconLook {
    Colour edge, body, bodyLow, detail;
};

constexpr IconLook kIdle{Hex(0x272a2f), Hex(0xa4aab3), Hex(0x777d86), Hex(0x474c54)};
constexpr IconLook kActive{Hex(0x4a2c05), Hex(0xffc266), Hex(0xf08c10), Hex(0x7a4608)};

// The parts of a silhouette, in a 32-unit square.
struct Silhouette {
    Shape body;
    std::vector<Shape> details;  // keys, pads and sticks, cut darker into the body
};

Shape Cross(Point c, float arm, float thickness) {
    return Union(RoundRect(c.x - arm, c.y - thickness / 2, 2 * arm, thickness, 0.6f),
                 RoundRect(c.x - thickness / 2, c.y - arm, thickness, 2 * arm, 0.6f));
}

// Rows of keys beside a thumb pad, the palm rest in front.
Silhouette Keypad(float x, float y, float scale, int rows) {
    const auto at = [&](float u, float v, float w, float h, float r) {
        return RoundRect(x + u * scale, y + v * scale, w * scale, h * scale, r * scale);
    };
    const float deck = 5 + 5 * rows;
    Silhouette s{SmoothUnion(at(0, 0, 28, deck, 4), at(2, deck - 3, 16, 9, 4), 3), {}};
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < (row < 2 ? 4 : 3); ++col)
            s.details.push_back(
                at(2.6f + col * 4.4f + row * 1.1f, 2.6f + row * 5, 3.4f, 3.8f, 0.9f));
    s.details.push_back(Circle({x + 23.5f * scale, y + deck / 2 * scale}, 3.4f * scale));
    return s;
}

Silhouette Gamepad(bool sticks) {
    Shape body = SmoothUnion(Ellipse({8.5f, 15}, 7.5f, 7.5f), Ellipse({23.5f, 15}, 7.5f, 7.5f), 2);
    body = SmoothUnion(body, RoundRect(8, 8, 16, 13, 3), 4);
    if (sticks) body = SmoothUnion(body, RoundRect(9, 14, 14, 12, 4), 4);
    Silhouette s{body, {Cross({8.5f, 15}, 4, 2.4f)}};
    for (Point p : {Point{23.5f, 11.8f}, Point{26.7f, 15}, Point{23.5f, 18.2f}, Point{20.3f, 15}})
        s.details.push_back(Circle(p, 1.45f));
    if (sticks) {
        s.details.push_back(Circle({12.8f, 22}, 2.5f));
        s.details.push_back(Circle({19.2f, 22}, 2.5f));
    }
    return s;
}

Silhouette Stick(float x, float scale) {
    const auto at = [&](float u, float v, float w, float h, float r) {
        return RoundRect(x + u * scale, v * scale + (1 - scale) * 30, w * scale, h * scale,
                         r * scale);
    };
    Shape body = SmoothUnion(at(8, 2, 16, 10, 5), at(12, 8, 8, 16, 3.5f), 3);
    body = SmoothUnion(body, at(3, 22, 26, 8, 3), 2);
    return {body,
            {Circle({x + 16 * scale, (6.5f * scale) + (1 - scale) * 30}, 2.3f * scale),
             at(7, 25, 3, 3, 1), at(22, 25, 3, 3, 1)}};
}

Silhouette SilhouetteOf(const DeviceFacts& d) {
    if (d.code == "g71") return Gamepad(false);
    if (d.code == "g74") return Gamepad(true);
    if (d.code == "w58") return Stick(0, 1);
    if (d.code == "q97") {
        // The stick with the keypad beside it.
        Silhouette stick = Stick(-3, 0.8f), keys = Keypad(17, 15, 0.52f, 2);
        stick.body = Union(stick.body, keys.body);
        stick.details.insert(stick.details.end(), keys.details.begin(), keys.details.end());
        return stick;
    }
    return d.code == "k33" ? Keypad(2, 3, 1, 3) : Keypad(2, 6, 1, 2);
}

IconImage Draw(const Silhouette& s, const IconLook& look, int size) {
    Canvas c(size, size);
    c.SetTransform(size / 32.f, 0, 0);
    c.Fill(Grown(s.body, 1.4f), look.edge);
    const Box& b = s.body.Bounds();
    c.Fill(s.body, LinearGradient({0, b.top}, look.body, {0, b.bottom}, look.bodyLow));
    for (const Shape& d : s.details) c.Fill(d, look.detail);
    IconImage out{size, {}};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Colour p = c.At(x, y);
            for (float v : {p.r, p.g, p.b, p.a * 255})
                out.rgba.push_back(static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)));
        }
    }
    return out;
}

}  // namespace

std::vector<IconImage> DrawDeviceIcon(const DeviceFacts& device, bool active) {
    const Silhouette s = SilhouetteOf(device);
    const IconLook& look = active ? kActive : kIdle;
    return {Draw(s, look, 32), Draw(s, look, 16)};
}

}  // namespace vh::pictures
