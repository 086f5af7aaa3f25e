#include "devices/pictures/control_art.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "devices/pictures/art_style.h"

namespace vh::pictures {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// The nearest of the eight directions, as steps of -1, 0 or 1.
Point Snapped(float dx, float dy) {
    const float angle = std::atan2(dy, dx);
    const float step = std::round(angle / (kPi / 4)) * (kPi / 4);
    return {std::round(std::cos(step)), std::round(std::sin(step))};
}

bool IsAxis(const DeviceFacts& device, int control) {
    return std::ranges::any_of(device.axes,
                               [&](const VH_AXIS_RECORD& a) { return a.control == control; });
}

bool Names(const ControlFact& control, const char* word) {
    return control.name.find(word) != std::string::npos;
}

// Radial light from the upper left over a button face.
std::function<Colour(Point)> FaceLight(const Shape& face, Colour top, Colour bottom) {
    const Box& b = face.Bounds();
    const Point from{b.left + (b.right - b.left) * 0.3f, b.top};
    const float radius = std::max(b.right - b.left, b.bottom - b.top) * 1.1f;
    return RadialGradient(from, radius, top, bottom);
}

// A small wedge pointing `toward`, its tip at `tip`.
Shape Wedge(Point tip, Point toward, float length, float width) {
    const float n = std::hypot(toward.x, toward.y);
    const Point d{toward.x / n, toward.y / n};
    const Point side{-d.y * width / 2, d.x * width / 2};
    const Point base{tip.x - d.x * length, tip.y - d.y * length};
    return Polygon({tip, {base.x + side.x, base.y + side.y}, {base.x - side.x, base.y - side.y}});
}

// Light rising from the outline inwards over `depth` units.
void InnerGlow(Canvas& canvas, const Shape& shape, float depth, Colour colour) {
    const float s = canvas.Scale();
    canvas.Paint(shape, 0, [=](Point, float d) {
        const float cover = std::clamp(0.5f - d * s, 0.f, 1.f);
        const float t = std::clamp(1 + d / depth, 0.f, 1.f);
        return WithAlpha(colour, colour.a * cover * t * t);
    });
}

// The rim and face of a cap: `outer` the whole button, `face` its top surface.
void Cap(Canvas& c, const Shape& outer, const Shape& face, bool lit) {
    c.Fill(outer, kCapSkirt);
    c.Bevel(outer, 2.5f, 0.22f, 0.45f);
    c.Fill(face, FaceLight(face, lit ? Hex(0x565d68) : kCapTop, lit ? Hex(0x3d424b) : kCapBottom));
    c.Bevel(face, 3, 0.28f, 0.35f);
    if (lit) {
        c.InnerStroke(outer, 2.2f, kLit);
        InnerGlow(c, Grown(outer, -2), 7, WithAlpha(kLit, 0.45f));
        c.InnerStroke(face, 1, WithAlpha(kLitPale, 0.55f));
    } else {
        c.InnerStroke(outer, 1, kOutline);
    }
}

// Ribs across a roller, closer together towards the ends where it curves away.
void Ribs(Canvas& c, const Shape& face, float top, float bottom, float quiet) {
    const Box& b = face.Bounds();
    const float middle = (top + bottom) / 2, half = (bottom - top) / 2;
    for (int i = -14; i <= 14; ++i) {
        const float y = middle + half * std::sin(static_cast<float>(i) / 15 * kPi / 2);
        if (y < b.top + 2 || y > b.bottom - 2) continue;
        const float strength = std::abs(y - middle) < quiet ? 0.35f : 1;
        const Shape rib = Intersect(RoundRect(b.left, y - 0.6f, b.right - b.left, 1.2f, 0), face);
        c.Fill(rib, WithAlpha(kOutline, 0.7f * strength));
        c.Fill(Moved(rib, 0, 1.2f), WithAlpha(Hex(0x6a717c), 0.45f * strength));
    }
}

// Dark at the ends of a roller seen from above, light where it faces up.
std::function<Colour(Point)> RollerLight(float top, float bottom, bool lit) {
    const Colour middle = lit ? Hex(0x59606b) : Hex(0x4a505a);
    return [=](Point p) {
        const float t = std::clamp((p.y - top) / (bottom - top), 0.f, 1.f);
        const float curve = std::sin(t * kPi);
        return Mix(Hex(0x17191d), middle, std::pow(curve, 0.6f));
    };
}

}  // namespace

ControlShape ShapeOf(const DeviceFacts& device, const ControlFact& c) {
    ControlShape shape{
        ControlKind::Round, static_cast<float>(c.width), static_cast<float>(c.height), {}};
    for (const OverlayFact& o : device.overlays) {
        if (o.control == c.control && !o.entries.empty()) {
            shape.kind = ControlKind::Direction;
            shape.toward = ArrowDirection(c, o.entries.front());
            return shape;
        }
    }
    if (IsAxis(device, c.control)) {
        shape.kind = Names(c, "Wheel") ? ControlKind::Wheel : ControlKind::Slot;
    } else if (Names(c, "Wheel")) {
        shape.kind = ControlKind::WheelPart;
        shape.toward = {0, Names(c, "Up") ? -1.f : Names(c, "Down") ? 1.f : 0.f};
    } else if (c.height >= 50) {
        shape.kind = ControlKind::Key;
    } else if (c.width == c.height) {
        shape.kind = ControlKind::Round;
    } else if (c.width >= 2 * c.height && c.height >= 30) {
        shape.kind = ControlKind::Shoulder;
    } else {
        shape.kind = ControlKind::Small;
    }
    return shape;
}

Point ArrowDirection(const ControlFact& control, const VH_OVERLAY_ENTRY& entry) {
    const float half = kOverlayImageSize / 2.f;
    return Snapped(control.x + control.width / 2.f - (entry.x + half),
                   control.y + control.height / 2.f - (entry.y + half));
}

Shape ButtonOutline(const ControlShape& c) {
    const float w = c.width, h = c.height;
    switch (c.kind) {
        case ControlKind::Key:
            return RoundRect(0.5f, 0.5f, w - 1, h - 1, 9);
        case ControlKind::Round:
            return Circle({w / 2, h / 2}, std::min(w, h) / 2 - 0.5f);
        case ControlKind::Direction:
            return RoundRect(0.5f, 0.5f, w - 1, h - 1, 8);
        case ControlKind::Shoulder:
            // A bumper: rounded, its outer (upper) edge arched.
            return Intersect(RoundRect(0.5f, 0.5f, w - 1, h - 1, 9),
                             Ellipse({w / 2, h - 1}, w * 0.62f, h - 1.5f));
        case ControlKind::Small:
        case ControlKind::Slot:
            return RoundRect(0.5f, 0.5f, w - 1, h - 1, std::min(w, h) / 2 - 0.5f);
        case ControlKind::Wheel:
        case ControlKind::WheelPart:
            return RoundRect(0.5f, 0.5f, w - 1, h - 1, 7);
    }
    return RoundRect(0, 0, w, h, 0);
}

void DrawButton(Canvas& c, const ControlShape& control, bool lit) {
    const float w = control.width, h = control.height;
    const Shape outer = ButtonOutline(control);
    const Colour marking = lit ? kLitPale : kMarking;
    switch (control.kind) {
        case ControlKind::Key:
            // Seen from above, the top of a cap sits towards the back of its skirt.
            Cap(c, outer, RoundRect(4.5f, 3, w - 9, h - 9.5f, 7), lit);
            break;
        case ControlKind::Round:
            Cap(c, outer, Circle({w / 2, h / 2 - 0.5f}, std::min(w, h) / 2 - 4.5f), lit);
            break;
        case ControlKind::Shoulder:
            Cap(c, outer, Grown(outer, -3.5f), lit);
            break;
        case ControlKind::Small:
            Cap(c, outer, Grown(outer, -2.5f), lit);
            break;
        case ControlKind::Direction: {
            Cap(c, outer, RoundRect(3.5f, 3, w - 7, h - 7, 6), lit);
            // The hint sits in the rim, clear of the label that is centred inside it.
            const Point t = control.toward;
            const float reach = t.x != 0 && t.y != 0 ? 0.31f : 0.37f;
            const Point tip{w / 2 + t.x * w * reach + t.x * 1.5f,
                            h / 2 + t.y * h * reach + t.y * 1.5f};
            c.Fill(Wedge(tip, t, 4, 6.5f), marking);
            break;
        }
        case ControlKind::Slot: {
            const bool across = w >= h;
            c.Fill(outer, kCapSkirt);
            c.Bevel(outer, 2.5f, -0.3f, -0.5f);
            const Shape track = Grown(outer, -4);
            c.Fill(track, LinearGradient({0, 0}, Hex(0x121417), across ? Point{0, h} : Point{w, 0},
                                         Hex(0x24272c)));
            const Shape groove = across ? RoundRect(9, h / 2 - 1, w - 18, 2, 1)
                                        : RoundRect(w / 2 - 1, 9, 2, h - 18, 1);
            c.Fill(groove, Hex(0x2f333a));
            const Point a = across ? Point{1, 0} : Point{0, -1};
            c.Fill(Wedge(across ? Point{w - 4, h / 2} : Point{w / 2, 4}, a, 3.5f, 6), marking);
            c.Fill(Wedge(across ? Point{4, h / 2} : Point{w / 2, h - 4}, {-a.x, -a.y}, 3.5f, 6),
                   marking);
            if (lit) {
                c.InnerStroke(outer, 2, kLit);
                InnerGlow(c, Grown(outer, -2), 6, WithAlpha(kLit, 0.35f));
            } else {
                c.InnerStroke(outer, 1, kOutline);
            }
            break;
        }
        case ControlKind::Wheel:
        case ControlKind::WheelPart: {
            c.Fill(outer, kCapSkirt);
            const Shape face = Grown(outer, -2.5f);
            // One roller: a whole wheel, or the end of one for its up and down parts.
            float top = 0, bottom = h;
            if (control.toward.y < 0) bottom = h * 2.2f;
            if (control.toward.y > 0) top = -h * 1.2f;
            if (control.kind == ControlKind::WheelPart && control.toward.y == 0) {
                top = -h * 1.5f;
                bottom = h * 2.5f;
            }
            c.Fill(face, RollerLight(top, bottom, lit));
            Ribs(c, face, top, bottom, 8);
            if (control.toward.y != 0) {
                const float tipY = control.toward.y < 0 ? 4.5f : h - 4.5f;
                c.Fill(Wedge({w / 2, tipY}, control.toward, 4, 8), marking);
            }
            if (lit) {
                c.InnerStroke(outer, 2.2f, kLit);
                InnerGlow(c, Grown(outer, -2), 7, WithAlpha(kLit, 0.4f));
            } else {
                c.InnerStroke(outer, 1, kOutline);
            }
            break;
        }
    }
}

void DrawArrow(Canvas& c, Point toward) {
    const float s = kOverlayImageSize, m = s / 2;
    // Pointing up, then turned.
    const Shape up = Polygon({{m, 3},
                              {m + 7.5f, 11},
                              {m + 3, 11},
                              {m + 3, 20.5f},
                              {m - 3, 20.5f},
                              {m - 3, 11},
                              {m - 7.5f, 11}});
    const float angle = std::atan2(toward.x, -toward.y);
    const Shape arrow = Rotated(up, {m, m}, angle);
    c.Fill(Grown(arrow, 1.6f), kOutline);
    const Point tip{m + std::sin(angle) * 9, m - std::cos(angle) * 9};
    const Point tail{m - std::sin(angle) * 8, m + std::cos(angle) * 8};
    c.Fill(arrow, LinearGradient(tip, kLitPale, tail, kLit));
}

}  // namespace vh::pictures
