#include "devices/pictures/chooser_art.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

#include "devices/pictures/art_style.h"
#include "devices/pictures/control_art.h"
#include "devices/pictures/device_picture.h"
#include "devices/pictures/pixel_font.h"

namespace vh::pictures {

namespace {

constexpr Colour kPanelTop = Hex(0x58616d), kPanelBottom = Hex(0x1d2025);
// What the chooser's buttons sit on.
constexpr Colour kPanelMiddle = Hex(0x24272d);

// The device as the editor shows it: its body with every button in place.
Canvas Assembled(const DeviceFacts& device) {
    const DevicePicture picture(device, false);
    Canvas all = picture.Body();
    for (const ControlFact* c : picture.Controls()) {
        const ControlShape shape = ShapeOf(device, *c);
        Canvas button(c->width, c->height);
        DrawButton(button, shape, false);
        all.Composite(button, c->x, c->y);
    }
    return all;
}

// The box of pixels the device covers noticeably (its soft shadow fades out).
Box Covered(const Canvas& c) {
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.At(x, y).a > 0.6f)
                b = b.Joined({static_cast<float>(x), static_cast<float>(y), x + 1.f, y + 1.f});
    return b;
}

Canvas Panel(const DeviceFacts& device) {
    Canvas panel(kChooserPanelWidth, kChooserPanelHeight);
    const Shape all = RoundRect(0, 0, kChooserPanelWidth, kChooserPanelHeight, 0);
    // A little light behind the miniature, so that the dark device stands out.
    panel.Fill(all, RadialGradient({kChooserPanelWidth / 2.f, 46}, 110, kPanelTop, kPanelBottom));
    panel.InnerStroke(all, 1, Hex(0x4a505a));
    panel.InnerStroke(Grown(all, -1), 1, WithAlpha(kOutline, 0.8f));

    // The miniature, as large as the panel allows above the name.
    const Canvas full = Assembled(device);
    Box from = Covered(full).Grown(6);
    const float room = kChooserPanelWidth - 16.f, roomHeight = kChooserPanelHeight - 36.f;
    const float scale =
        std::min(room / (from.right - from.left), roomHeight / (from.bottom - from.top));
    const int w = static_cast<int>(std::lround((from.right - from.left) * scale));
    const int h = static_cast<int>(std::lround((from.bottom - from.top) * scale));
    // Whole source pixels per panel pixel keep the averaging even.
    from.right = from.left + w / scale;
    from.bottom = from.top + h / scale;
    panel.Composite(Resampled(full, from, w, h), (kChooserPanelWidth - w) / 2,
                    8 + static_cast<int>(roomHeight - h) / 2);

    std::string name = device.displayName.substr(device.displayName.find(' ') + 1);
    for (char& ch : name) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const PixelFont& font = SmallFont();
    const int y = kChooserPanelHeight - 20;
    panel.Fill(RoundRect(8, y - 6, kChooserPanelWidth - 16, 1, 0), WithAlpha(Hex(0x4a505a), 0.6f));
    DrawText(panel, (kChooserPanelWidth - TextWidth(name, font)) / 2, y, name, kPaleText, font);
    return panel;
}

IndexedImage ArrowButton(bool up, bool lit) {
    const float s = kChooserArrowSize;
    Canvas c(kChooserArrowSize, kChooserArrowSize);
    const Shape outer = RoundRect(0.5f, 0.5f, s - 1, s - 1, 5);
    c.Fill(outer, kCapSkirt);
    const Shape face = RoundRect(2.5f, 2, s - 5, s - 5, 4);
    c.Fill(face, LinearGradient({0, 2}, lit ? Hex(0x565d68) : kCapTop, {0, s - 3}, kCapBottom));
    c.Bevel(face, 2, 0.3f, 0.35f);
    const float tipY = up ? 7 : s - 8.5f, baseY = up ? s - 9.5f : 6;
    const Shape arrow = Polygon({{s / 2, tipY}, {s / 2 + 6, baseY}, {s / 2 - 6, baseY}});
    if (lit) {
        c.InnerStroke(outer, 1.6f, kLit);
        c.Glow(arrow, 4, WithAlpha(kLit, 0.5f));
    } else {
        c.InnerStroke(outer, 1, kOutline);
    }
    c.Fill(arrow, lit ? kLitPale : kPaleText);
    return IndexedKeyed(c, SharedPalette(), kPanelMiddle);
}

IndexedImage GoButton(bool lit) {
    Canvas c(kChooserGoWidth, kChooserGoHeight);
    const Shape pill = RoundRect(0, 0, kChooserGoWidth, kChooserGoHeight, 4);
    c.Fill(pill, lit ? kLit : kCapTop);
    if (!lit) c.InnerStroke(pill, 1, WithAlpha(kOutline, 0.6f));
    const PixelFont& font = TinyFont();
    DrawText(c, (kChooserGoWidth - TextWidth("GO", font)) / 2, 2, "GO",
             lit ? Hex(0x2a1a04) : kPaleText, font);
    return IndexedKeyed(c, SharedPalette(), kPanelMiddle);
}

}  // namespace

std::vector<Bitmap> DrawChooser() {
    std::vector<Bitmap> out;
    for (const ChooserPanelId& p : kChooserPanels) {
        const DeviceFacts* device = FindDevice(p.code);
        if (!device) throw std::logic_error(std::string("no device ") + p.code);
        out.push_back({p.id, Indexed(Panel(*device), SharedPalette())});
    }
    out.push_back({kChooserUp, ArrowButton(true, false)});
    out.push_back({kChooserUpLit, ArrowButton(true, true)});
    out.push_back({kChooserDown, ArrowButton(false, false)});
    out.push_back({kChooserDownLit, ArrowButton(false, true)});
    out.push_back({kChooserGo, GoButton(false)});
    out.push_back({kChooserGoLit, GoButton(true)});
    return out;
}

}  // namespace vh::pictures
