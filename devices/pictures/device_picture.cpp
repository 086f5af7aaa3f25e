#include "devices/pictures/device_picture.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "devices/pictures/control_art.h"
#include "devices/pictures/pixel_font.h"

namespace vh::pictures {

namespace {

constexpr float kWellRing = 3;
// Round buttons below this are a pad's sticks or a flight stick's base buttons.
constexpr float kLowerPart = kPictureHeight * 0.6f;
constexpr Colour kNothing{0, 0, 0, 0};

Box PlaceOf(const ControlFact& c) {
    return {static_cast<float>(c.x), static_cast<float>(c.y), static_cast<float>(c.x + c.width),
            static_cast<float>(c.y + c.height)};
}

// Fills the inside corner at `corner` with a quarter circle's fillet, on the side
// `toward` points to (steps of -1 or 1).
Shape Fillet(Point corner, Point toward, float radius) {
    // Reaching well into the parts it joins, so that no edge of its own shows.
    constexpr float overlap = 12;
    const float x = toward.x > 0 ? corner.x - overlap : corner.x - radius;
    const float y = toward.y > 0 ? corner.y - overlap : corner.y - radius;
    return Subtract(RoundRect(x, y, radius + overlap, radius + overlap, 0),
                    Circle({corner.x + toward.x * radius, corner.y + toward.y * radius}, radius));
}

Point CentreOf(const Box& b) {
    return {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
}

Shape RectShape(const Box& b, float radius) {
    return RoundRect(b.left, b.top, b.right - b.left, b.bottom - b.top, radius);
}

// How far a point is from the margin and the chooser's corner, which stay plain
// backdrop.
float ClearOfReserved(Point p) {
    const float m = kPictureMargin;
    const float edge =
        std::min({p.x - m, p.y - m, kPictureWidth - m - p.x, kPictureHeight - m - p.y});
    return std::min(edge, std::max(kChooserLeft - p.x, kChooserTop - p.y));
}

// A soft shadow below the shape, fading out before the reserved parts of the picture.
void CastShadow(Canvas& c, const Shape& s, float opacity, Point offset = {0, 6}) {
    constexpr float blur = 12;
    c.Paint(Moved(s, offset.x, offset.y), blur, [&](Point p, float d) {
        const float t = std::clamp((d + blur * 0.5f) / (blur * 1.5f), 0.f, 1.f);
        const float clear = std::clamp(ClearOfReserved(p) / 10, 0.f, 1.f);
        return Colour{0, 0, 0, opacity * (1 - t * t * (3 - 2 * t)) * clear};
    });
}

// A raised part of the body: its cast shadow, the surface lit from above, the edge.
void Solid(Canvas& c, const Shape& s, Colour top, Colour bottom, float shadow = 0.55f) {
    if (shadow > 0) CastShadow(c, s, shadow);
    const Box& b = s.Bounds();
    c.Fill(s, LinearGradient({0, b.top}, top, {0, b.bottom}, bottom));
    c.Bevel(s, 6, 0.2f, 0.5f);
    c.InnerStroke(s, 1, WithAlpha(kOutline, 0.85f));
}

// A recess: dark floor, its upper wall in shade and its lower lip catching light.
void Recess(Canvas& c, const Shape& s, float depth) {
    c.Fill(s, kWellFloor);
    c.Bevel(s, depth, -0.3f, -0.65f);
}

// Letters pressed into the surface: a dark edge under pale print.
void Imprint(Canvas& c, Point centre, std::string_view text, int spacing, float alpha) {
    const PixelFont& font = SmallFont();
    const int x = static_cast<int>(std::lround(centre.x)) - TextWidth(text, font, spacing) / 2;
    const int y = static_cast<int>(std::lround(centre.y)) - font.height / 2;
    DrawText(c, x, y + 1, text, WithAlpha(kOutline, alpha), font, spacing);
    DrawText(c, x, y, text, WithAlpha(kPrint, alpha), font, spacing);
}

// Stitches around the inside of a soft part, `inset` units in.
void Stitches(Canvas& c, const Shape& s, float inset) {
    c.Paint(s, 0, [&](Point p, float d) {
        if (std::abs(d + inset) > 0.9f) return kNothing;
        const Point n = s.Normal(p);
        const float along = std::abs(n.y) > std::abs(n.x) ? p.x : p.y;
        if (std::fmod(along + 1000, 6.f) > 3.2f) return kNothing;
        return WithAlpha(Hex(0x5a616b), 0.55f * (1 - std::abs(d + inset) / 0.9f));
    });
}

std::string Upper(std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

}  // namespace

Canvas DrawBackdrop(Mode mode) {
    const ModeLook& look = LookOf(mode);
    Canvas c(kPictureWidth, kPictureHeight);
    const Shape all = RoundRect(-1, -1, kPictureWidth + 2, kPictureHeight + 2, 0);
    c.Fill(all, RadialGradient({kPictureWidth / 2.f, kPictureHeight * 0.42f}, 520,
                               look.backdropCentre, look.backdropEdge));
    return c;
}

DevicePicture::DevicePicture(const DeviceFacts& device, bool second)
    : device_(device), body_(kPictureWidth, kPictureHeight) {
    for (const ControlFact& c : device.controls)
        if (OnSecondPicture(device, c) == second) controls_.push_back(&c);
    std::string model = device.displayName;
    if (const auto space = model.find(' '); space != std::string::npos) model.erase(0, space + 1);
    if (device.code == "q97") model = second ? "Q97 Keypad" : "Q97 Flight Stick";
    model_ = Upper(model);

    const bool keypad = device.code == "k31" || device.code == "k33" || second;
    if (keypad)
        DrawKeypad();
    else if (device.code == "g71")
        DrawGamepad();
    else if (device.code == "g74")
        DrawDualAnalog();
    else
        DrawStick();
}

// Every button on this picture sits in a well a little larger than itself.
void DevicePicture::DrawWells() {
    for (const ControlFact* c : controls_) {
        const Shape place = Moved(ButtonOutline(ShapeOf(device_, *c)), static_cast<float>(c->x),
                                  static_cast<float>(c->y));
        Recess(body_, Grown(place, kWellRing), kWellRing + 1);
    }
}

// The raised plate of a direction pad or hat, with the dimple its arrow shows in.
void DevicePicture::DrawDirectionPlate() {
    std::optional<Point> centre;
    int directions = 0;
    for (const ControlFact* c : controls_) {
        for (const OverlayFact& o : device_.overlays) {
            if (o.control != c->control || o.entries.empty()) continue;
            ++directions;
            const float half = kOverlayImageSize / 2.f;
            centre = Point{o.entries[0].x + half, o.entries[0].y + half};
        }
    }
    if (!centre) return;
    const Point m = *centre;
    Shape plate = Circle(m, 71);
    if (directions <= 4) {
        plate = SmoothUnion(RoundRect(m.x - 29, m.y - 70, 58, 140, 16),
                            RoundRect(m.x - 70, m.y - 29, 140, 58, 16), 24);
    }
    body_.Shadow(Moved(plate, 0, 2), 5, 0.5f);
    body_.Fill(plate, RadialGradient({m.x - 20, m.y - 40}, 120, kPlate, kBodyDark));
    body_.Bevel(plate, 4, 0.25f, 0.5f);
    body_.InnerStroke(plate, 1, WithAlpha(kOutline, 0.8f));
    Recess(body_, Circle(m, 15), 4);
}

void DevicePicture::DrawKeypad() {
    Box keys{1e9f, 1e9f, -1e9f, -1e9f}, wheel = keys, pad = keys;
    for (const ControlFact* c : controls_) {
        const ControlKind kind = ShapeOf(device_, *c).kind;
        Box& into = kind == ControlKind::Key ? keys : kind == ControlKind::Direction ? pad : wheel;
        into = into.Joined(PlaceOf(*c));
    }
    const float left = keys.left - 22, top = std::min(keys.top, pad.top) - 30;
    const float right = std::max(pad.right, wheel.right) + 24;
    const float frontBottom = keys.bottom + 24;

    // The palm rest lies in front of the keys, under the deck's front edge.
    const float restBottom = std::min(frontBottom + 170, kPictureHeight - 24.f);
    const Shape rest = RoundRect(left + 14, frontBottom - 40, keys.right - keys.left + 16,
                                 restBottom - (frontBottom - 40), 56);
    Solid(body_, rest, Hex(0x2a2d33), Hex(0x1f2227));
    Stitches(body_, rest, 9);
    Imprint(body_, {CentreOf(keys).x + 8, (frontBottom + restBottom) / 2 + 6}, "VARNHOLT", 3, 0.8f);

    // The deck: full depth under the keys, shallower beside them under the thumb.
    const float notchX = wheel.right + 16, notchY = pad.bottom + 26;
    Shape deck = Union(RoundRect(left, top, right - left, notchY - top, 30),
                       RoundRect(left, top, notchX - left, frontBottom - top, 30));
    if (frontBottom > notchY + 30) deck = Union(deck, Fillet({notchX, notchY}, {1, 1}, 24));
    Solid(body_, deck, kBodyLight, kBodyDark);

    DrawDirectionPlate();
    if (wheel.right > wheel.left) {
        const Shape housing = RectShape(wheel.Grown(7), 12);
        body_.Fill(housing, kBodyDark);
        body_.Bevel(housing, 3, -0.25f, -0.5f);
    }
    DrawWells();
    lights_.leds = {CentreOf(pad).x, top + 15};
    lights_.strips = {
        Capsule({keys.left + 14, frontBottom - 11}, {keys.right - 14, frontBottom - 11}, 1.3f)};
    lights_.wordmark = {16, 14};
}

void DevicePicture::DrawGamepad() {
    Box shoulders{1e9f, 1e9f, -1e9f, -1e9f}, buttons = shoulders, pad = shoulders,
                                             middle = shoulders;
    for (const ControlFact* c : controls_) {
        switch (ShapeOf(device_, *c).kind) {
            case ControlKind::Shoulder:
                shoulders = shoulders.Joined(PlaceOf(*c));
                break;
            case ControlKind::Round:
                buttons = buttons.Joined(PlaceOf(*c));
                break;
            case ControlKind::Direction:
                pad = pad.Joined(PlaceOf(*c));
                break;
            default:
                middle = middle.Joined(PlaceOf(*c));
                break;
        }
    }
    const Point l = CentreOf(pad), r = CentreOf(buttons);
    // Low enough lobes to keep their shadow off the chooser's corner.
    const float cy = (l.y + r.y) / 2 - 6;
    Shape body = SmoothUnion(Ellipse({l.x, cy}, 118, 92), Ellipse({r.x, cy}, 118, 92), 20);
    body = SmoothUnion(body, RoundRect(l.x, shoulders.bottom + 8, r.x - l.x, 170, 40), 60);
    // A chin under the middle buttons.
    body = SmoothUnion(body,
                       RoundRect(middle.left - 24, middle.top - 70, middle.right - middle.left + 48,
                                 middle.bottom + 18 - (middle.top - 70), 30),
                       40);
    // Housings of the shoulder buttons along the top edge.
    for (const ControlFact* c : controls_) {
        if (ShapeOf(device_, *c).kind != ControlKind::Shoulder) continue;
        body = SmoothUnion(body, RoundRect(c->x - 14.f, c->y - 10.f, c->width + 28.f, 70, 20), 30);
    }
    Solid(body_, body, kBodyLight, kBodyDark);
    // The button field on the right, a shallow dish.
    const Shape field = RectShape(buttons.Grown(12), 34);
    body_.Fill(field, WithAlpha(kBodyDark, 0.85f));
    body_.Bevel(field, 4, -0.25f, -0.5f);
    DrawDirectionPlate();
    DrawWells();
    const float midX = (l.x + r.x) / 2;
    Imprint(body_, {midX, (shoulders.bottom + middle.top) / 2 + 14}, "VARNHOLT", 3, 0.85f);
    lights_.leds = {midX, (shoulders.bottom + middle.top) / 2 + 40};
    lights_.strips = {
        Capsule({midX - 56, shoulders.bottom + 22}, {midX + 56, shoulders.bottom + 22}, 1.3f)};
    lights_.wordmark = {16, 14};
}

void DevicePicture::DrawDualAnalog() {
    Box buttons{1e9f, 1e9f, -1e9f, -1e9f}, pad = buttons, middle = buttons, sticks = buttons;
    std::vector<Point> stickCentres;
    for (const ControlFact* c : controls_) {
        const ControlKind kind = ShapeOf(device_, *c).kind;
        const Box place = PlaceOf(*c);
        if (kind == ControlKind::Direction) {
            pad = pad.Joined(place);
        } else if (kind == ControlKind::Slot) {
            sticks = sticks.Joined(place);
        } else if (kind == ControlKind::Round && place.top > kLowerPart) {
            sticks = sticks.Joined(place);
            stickCentres.push_back(CentreOf(place));
        } else if (kind == ControlKind::Round) {
            buttons = buttons.Joined(place);
        } else if (kind == ControlKind::Small) {
            middle = middle.Joined(place);
        }
    }
    // Triggers behind the shoulder buttons, on the far edge.
    for (const ControlFact* c : controls_) {
        if (ShapeOf(device_, *c).kind != ControlKind::Shoulder || c->y > 40) continue;
        Solid(body_, RoundRect(c->x - 9.f, c->y - 4.f, c->width + 18.f, 56, 14), kBody, kBodyDark,
              0.45f);
    }
    const Point l = CentreOf(pad), r = CentreOf(buttons);
    const float cy = (l.y + r.y) / 2;
    Shape body = SmoothUnion(Ellipse({l.x, cy}, 116, 104), Ellipse({r.x, cy}, 116, 104), 20);
    body = SmoothUnion(body, RoundRect(l.x, 70, r.x - l.x, 200, 40), 50);
    for (const ControlFact* c : controls_) {
        if (ShapeOf(device_, *c).kind != ControlKind::Shoulder || c->y < 40) continue;
        body = SmoothUnion(body, RoundRect(c->x - 12.f, c->y - 8.f, c->width + 24.f, 60, 18), 24);
    }
    // The sticks' deck below, reaching just to the chooser's edge.
    const Shape deck = RoundRect(sticks.left - 4, sticks.top - 46, sticks.right + 2 - sticks.left,
                                 sticks.bottom + 12 - sticks.top + 46, 30);
    body = SmoothUnion(body, deck, 50);
    Solid(body_, body, kBodyLight, kBodyDark);
    for (const Point& s : stickCentres) {
        const Shape gate = Circle(s, 35);
        Recess(body_, gate, 6);
        body_.InnerStroke(Circle(s, 29), 1, WithAlpha(Hex(0x3a3f47), 0.9f));
    }
    DrawDirectionPlate();
    DrawWells();
    const float midX = (l.x + r.x) / 2;
    Imprint(body_, {midX, middle.bottom + 22}, "VARNHOLT", 3, 0.85f);
    lights_.leds = {midX, middle.top - 28};
    lights_.strips = {Capsule({midX - 60, 84}, {midX + 60, 84}, 1.3f)};
    lights_.wordmark = {16, static_cast<float>(kPictureHeight - 14 - 17)};
}

void DevicePicture::DrawStick() {
    Box hat{1e9f, 1e9f, -1e9f, -1e9f}, base = hat, axes = hat, throttle = hat;
    const ControlFact* trigger = nullptr;
    std::vector<const ControlFact*> headButtons;
    for (const ControlFact* c : controls_) {
        const ControlKind kind = ShapeOf(device_, *c).kind;
        const Box place = PlaceOf(*c);
        if (kind == ControlKind::Direction)
            hat = hat.Joined(place);
        else if (kind == ControlKind::Slot && c->height > c->width)
            throttle = throttle.Joined(place);
        else if (kind == ControlKind::Slot)
            axes = axes.Joined(place);
        else if (place.top > kLowerPart)
            base = base.Joined(place);
        else if (c->name.ends_with("Trigger"))
            trigger = c;
        else
            headButtons.push_back(c);
    }
    const Point h = CentreOf(hat);
    // The base, symmetric about the stick, its right end at the chooser's edge; the
    // throttle's housing on its left.
    const float baseHalf = std::max(h.x - base.left, base.right - h.x) + 11;
    const Shape baseShape = RoundRect(h.x - baseHalf, base.top - 64, 2 * baseHalf,
                                      base.bottom + 14 - (base.top - 64), 28);
    const Box housing = throttle.Grown(20);
    const Shape quadrant = RoundRect(housing.left, housing.top, h.x - baseHalf + 40 - housing.left,
                                     housing.bottom - housing.top, 24);
    Solid(body_, SmoothUnion(baseShape, quadrant, 26), kBody, Hex(0x1e2126));
    body_.Fill(RoundRect(h.x - baseHalf + 14, base.top - 52, 2 * baseHalf - 28, 6, 3),
               WithAlpha(kOutline, 0.5f));

    // Boot, grip and head, front to back.
    const Shape boot = RoundRect(axes.left - 16, axes.top - 18, axes.right - axes.left + 32,
                                 axes.bottom - axes.top + 36, 22);
    Solid(body_, boot, Hex(0x2b2e33), Hex(0x1d1f23), 0.6f);
    for (float y = boot.Bounds().top + 5; y < boot.Bounds().bottom - 3; y += 5) {
        const Shape ridge = Intersect(RoundRect(0, y, kPictureWidth, 1.2f, 0), Grown(boot, -3));
        body_.Fill(ridge, WithAlpha(kOutline, 0.6f));
        body_.Fill(Moved(ridge, 0, 1.3f), WithAlpha(Hex(0x4a505a), 0.35f));
    }
    // The head carries the hat and its buttons, the grip below it the trigger, and a
    // wing on the right the low thumb button.
    const float gripBottom = axes.top - 8;
    const Shape grip =
        SmoothUnion(RoundRect(h.x - 52, hat.bottom - 40, 104, gripBottom - hat.bottom + 40, 30),
                    Ellipse({h.x, gripBottom - 8}, 60, 22), 20);
    Shape head = RoundRect(h.x - 144, h.y - 84, 288, 148, 64);
    for (const ControlFact* c : headButtons) {
        const Point b = CentreOf(PlaceOf(*c));
        if (b.y > h.y) head = SmoothUnion(head, Capsule({h.x, b.y}, b, 32), 36);
    }
    const Shape top = SmoothUnion(head, grip, 30);
    CastShadow(body_, top, 0.55f, {4, 8});
    // The grip is round: light down its middle, dark at its sides.
    body_.Fill(top, [&](Point p) {
        const float side = std::clamp(std::abs(p.x - h.x) / 150, 0.f, 1.f);
        const float down = std::clamp((p.y - 20) / 300, 0.f, 1.f);
        return Mix(Mix(kBodyLight, kBodyDark, side * side), Hex(0x1f2227), down * 0.6f);
    });
    body_.Bevel(top, 6, 0.2f, 0.5f);
    body_.InnerStroke(top, 1, WithAlpha(kOutline, 0.85f));
    if (trigger) {
        // The trigger's guard.
        const Shape guard = Grown(Circle(CentreOf(PlaceOf(*trigger)), 22), 8);
        body_.Fill(guard, WithAlpha(kBodyDark, 0.9f));
        body_.Bevel(guard, 3, -0.2f, -0.5f);
    }
    DrawDirectionPlate();
    DrawWells();
    Imprint(body_, {h.x, base.top + 4}, "VARNHOLT", 3, 0.85f);
    lights_.leds = {h.x, base.top + 30};
    lights_.strips = {
        Capsule({h.x - baseHalf + 26, base.top - 49}, {h.x + baseHalf - 26, base.top - 49}, 1.2f)};
    lights_.wordmark = {16, 14};
}

void DevicePicture::DrawModeLights(Canvas& c, Mode mode) const {
    const ModeLook& look = LookOf(mode);
    for (const Shape& strip : lights_.strips) {
        c.Glow(Grown(strip, 1), 7, WithAlpha(look.accent, 0.45f));
        c.Fill(strip, Mix(look.accent, Hex(0xffffff), 0.35f));
    }
    // Red, blue and green; the one of the mode is lit.
    for (int i = 0; i < 3; ++i) {
        const Mode ledMode = kModes[static_cast<size_t>(i + 1)];
        const Colour colour = LookOf(ledMode).accent;
        const Point centre{lights_.leds.x + (i - 1) * 14.f, lights_.leds.y};
        Recess(c, Circle(centre, 4.2f), 1.5f);
        if (ledMode == mode) {
            c.Glow(Circle(centre, 3), 9, WithAlpha(colour, 0.55f));
            c.Fill(Circle(centre, 2.8f), Mix(colour, Hex(0xffffff), 0.3f));
            c.Fill(Circle({centre.x - 0.8f, centre.y - 0.8f}, 1.1f), Hex(0xffffff, 0.8f));
        } else {
            c.Fill(Circle(centre, 2.8f), Mix(kBodyDark, colour, 0.22f));
        }
    }

    // The wordmark in a free corner, the mode's name at the top right.
    const PixelFont& font = SmallFont();
    const int x = static_cast<int>(lights_.wordmark.x), y = static_cast<int>(lights_.wordmark.y);
    DrawText(c, x, y, "VARNHOLT", WithAlpha(kPaleText, 0.9f), font, 2);
    DrawText(c, x, y + 10, model_, WithAlpha(kPaleText, 0.55f), font, 1);

    const std::string name = Upper(look.name);
    const int width = TextWidth(name, font, 2);
    const int right = kPictureWidth - 16;
    DrawText(c, right - width, 14, name, look.accent, font, 2);
    const Shape dot = Circle({right - width - 9.f, 17.5f}, 3);
    c.Glow(dot, 5, WithAlpha(look.accent, 0.4f));
    c.Fill(dot, look.accent);
}

Canvas DevicePicture::Picture(Mode mode) const {
    Canvas layer = body_;
    DrawModeLights(layer, mode);
    // The margin and the chooser's corner stay plain backdrop.
    layer.Clear(0, 0, kPictureWidth, kPictureMargin);
    layer.Clear(0, kPictureHeight - kPictureMargin, kPictureWidth, kPictureMargin);
    layer.Clear(0, 0, kPictureMargin, kPictureHeight);
    layer.Clear(kPictureWidth - kPictureMargin, 0, kPictureMargin, kPictureHeight);
    layer.Clear(kChooserLeft, kChooserTop, kPictureWidth - kChooserLeft,
                kPictureHeight - kChooserTop);
    Canvas picture = DrawBackdrop(mode);
    picture.Composite(layer);
    return picture;
}

}  // namespace vh::pictures
