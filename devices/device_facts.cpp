#include "devices/device_facts.h"

#include <algorithm>
#include <cctype>

namespace vh {

namespace {

// The family's device type identifiers differ only in their first field.
constexpr GUID FamilyGuid(uint32_t data1) {
    return GUID{data1, 0xAE74, 0x11D4, {0x95, 0x48, 0x00, 0x50, 0x04, 0x72, 0x8F, 0x22}};
}

constexpr uint16_t kIdleIcon = 2001;
constexpr uint16_t kActiveIcon = 2002;
constexpr std::array<uint16_t, 4> kPictures = {3001, 3002, 3003, 3004};
constexpr std::array<uint16_t, 4> kSecondPictures = {3005, 3006, 3007, 3008};
constexpr uint16_t kFirstButtonBitmap = 4000;
constexpr uint16_t kFirstOverlayBitmap = 5000;

// Sizes of the button images.
constexpr int kKey = 56;
constexpr int kPadButton = 44;
constexpr int kDirection = 36;
constexpr int kAxisWidth = 56, kAxisHeight = 28;
constexpr int kWheelWidth = 40, kWheelHeight = 80;
constexpr int kSmallWidth = 40, kSmallHeight = 24;  // the pads' middle buttons
constexpr int kShoulderWidth = 64, kShoulderHeight = 32;

// Directions 128..135 clockwise from north, as offsets in the pad's 3 x 3 grid.
struct Direction {
    int dx, dy;
    const char* label;
};
constexpr Direction kDirections[8] = {
    {0, -1, "Up"},  {1, -1, "Up-Right"},  {1, 0, "Right"}, {1, 1, "Down-Right"},
    {0, 1, "Down"}, {-1, 1, "Down-Left"}, {-1, 0, "Left"}, {-1, -1, "Up-Left"},
};
// Centre distance of neighbouring direction buttons: leaves 8 px between them and
// keeps the grid's middle cell free for the arrow overlay.
constexpr int kDirectionPitch = 44;

class Builder {
  public:
    Builder(std::string code, uint32_t guidData1, std::string displayName, std::string text) {
        d_.code = std::move(code);
        d_.guid = FamilyGuid(guidData1);
        d_.displayName = std::move(displayName);
        d_.deviceText = std::move(text);
        d_.idleIcon = kIdleIcon;
        d_.activeIcon = kActiveIcon;
        d_.pictures = kPictures;
    }

    void Control(int control, std::string label, int x, int y, int width, int height) {
        ControlFact c;
        c.name = label;
        c.defaultLabel = std::move(label);
        c.x = x;
        c.y = y;
        c.width = width;
        c.height = height;
        c.control = control;
        d_.controls.push_back(std::move(c));
    }

    // Buttons 128..135 around a free centre (cx, cy), where the arrow of the
    // highlighted direction is drawn.
    void DirectionPad(int cx, int cy, const std::string& labelPrefix = "") {
        for (int i = 0; i < 8; ++i) {
            const Direction& dir = kDirections[i];
            Control(128 + i, labelPrefix + dir.label,
                    cx + dir.dx * kDirectionPitch - kDirection / 2,
                    cy + dir.dy * kDirectionPitch - kDirection / 2, kDirection, kDirection);
            OverlayFact overlay;
            overlay.control = 128 + i;
            overlay.entries.push_back(
                {cx - kOverlayImageSize / 2, cy - kOverlayImageSize / 2, 0});  // bitmap: Finish
            d_.overlays.push_back(std::move(overlay));
        }
    }

    void Axis(int control, int upperEnd, int lowerEnd, bool throttle = false) {
        VH_AXIS_RECORD axis{};
        axis.control = control;
        axis.throttle = throttle ? 1 : 0;
        axis.upperEnd = upperEnd;
        axis.lowerEnd = lowerEnd;
        d_.axes.push_back(axis);
    }

    DeviceFacts& Facts() { return d_; }

  private:
    DeviceFacts d_;
};

// Ids that follow from the order of the lists: button bitmaps by position, labels
// by control index from the device's own base, overlay arrows in turn.
DeviceFacts Finish(DeviceFacts d, uint16_t labelBase) {
    const auto byControl = [](const auto& a, const auto& b) { return a.control < b.control; };
    std::sort(d.controls.begin(), d.controls.end(), byControl);
    std::sort(d.overlays.begin(), d.overlays.end(), byControl);
    std::sort(d.axes.begin(), d.axes.end(), byControl);
    for (size_t i = 0; i < d.controls.size(); ++i) {
        ControlFact& c = d.controls[i];
        c.normalBitmap = static_cast<uint16_t>(kFirstButtonBitmap + 2 * i);
        c.highlightBitmap = static_cast<uint16_t>(kFirstButtonBitmap + 2 * i + 1);
        c.labelId = static_cast<uint16_t>(labelBase + c.control);
    }
    int32_t bitmap = kFirstOverlayBitmap;
    for (OverlayFact& o : d.overlays)
        for (VH_OVERLAY_ENTRY& e : o.entries) e.bitmap = bitmap++;
    return d;
}

std::string Numbered(const char* what, int n) {
    return std::string(what) + " " + std::to_string(n);
}

// A pad held in both hands: direction pad left, buttons right, shoulders on top.
DeviceFacts G71() {
    Builder b("g71", 0x0DF6BB62, "Varnholt g71 Gamepad", "Varnholt g71 Gamepad, ten buttons");
    // Buttons 1..6: two rows of three on the right, the lower row set in a little.
    for (int i = 0; i < 3; ++i) {
        b.Control(i, Numbered("Button", i + 1), 420 + 56 * i, 196, kPadButton, kPadButton);
        b.Control(3 + i, Numbered("Button", i + 4), 400 + 56 * i, 252, kPadButton, kPadButton);
    }
    b.Control(6, "Button 7", 108, 80, kShoulderWidth, kShoulderHeight);
    b.Control(7, "Button 8", 468, 80, kShoulderWidth, kShoulderHeight);
    b.Control(8, "Button 9", 262, 300, kSmallWidth, kSmallHeight);
    b.Control(9, "Button 10", 338, 300, kSmallWidth, kSmallHeight);
    b.DirectionPad(150, 250);
    return Finish(std::move(b.Facts()), 20000);
}

// The g71's shape with a diamond of four buttons, two shoulder buttons a side and
// the two sticks below, each pressed as a button and read as two axes.
DeviceFacts G74() {
    Builder b("g74", 0x0DF6BB61, "Varnholt g74 Dual Analog Gamepad",
              "Varnholt g74 Dual Analog Gamepad, two sticks and thirteen buttons");
    constexpr int cx = 490, cy = 190, half = kPadButton / 2;
    b.Control(0, "Button 1", cx - half, cy - 50 - half, kPadButton, kPadButton);
    b.Control(1, "Button 2", cx + 50 - half, cy - half, kPadButton, kPadButton);
    b.Control(2, "Button 3", cx - half, cy + 50 - half, kPadButton, kPadButton);
    b.Control(3, "Button 4", cx - 50 - half, cy - half, kPadButton, kPadButton);
    b.Control(4, "Button 5", 118, 56, kShoulderWidth, kShoulderHeight);
    b.Control(5, "Button 6", 458, 56, kShoulderWidth, kShoulderHeight);
    b.Control(6, "Button 7", 118, 16, kShoulderWidth, kShoulderHeight);
    b.Control(7, "Button 8", 458, 16, kShoulderWidth, kShoulderHeight);
    b.Control(8, "Button 9", 262, 180, kSmallWidth, kSmallHeight);
    b.Control(9, "Button 10", 338, 180, kSmallWidth, kSmallHeight);
    b.Control(12, "Button 13", 300, 128, kSmallWidth, kSmallHeight);
    b.DirectionPad(150, 190);
    struct Stick {
        int centreX, button, axisX, axisY;
        const char* side;
    };
    for (const Stick& s : {Stick{230, 10, 192, 193, "Left"}, Stick{410, 11, 194, 197, "Right"}}) {
        b.Control(s.button, Numbered("Button", s.button + 1), s.centreX - half, 330 - half,
                  kPadButton, kPadButton);
        const std::string stick = std::string(s.side) + " Stick ";
        b.Control(s.axisX, stick + "X", s.centreX - 4 - kAxisWidth, 372, kAxisWidth, kAxisHeight);
        b.Control(s.axisY, stick + "Y", s.centreX + 4, 372, kAxisWidth, kAxisHeight);
        b.Axis(s.axisX, VH_AXIS_END_RIGHT, VH_AXIS_END_LEFT);
        b.Axis(s.axisY, VH_AXIS_END_FORWARD, VH_AXIS_END_BACK);
    }
    return Finish(std::move(b.Facts()), 20300);
}

// Left-hand keypad rows as on a keyboard, each set in a little further.
constexpr int kKeyPitch = 64;
int KeyX(int row, int column) {
    return 48 + 16 * row + kKeyPitch * column;
}

// Two rows of five keys for the fingers; thumb wheel and direction pad for the thumb.
DeviceFacts K31() {
    Builder b("k31", 0x0DF6BB60, "Varnholt k31 Tactiboard",
              "Varnholt k31 Tactiboard gaming keypad");
    for (int key = 0; key < 10; ++key)
        b.Control(key, Numbered("Key", key + 1), KeyX(key / 5, key % 5),
                  112 + kKeyPitch * (key / 5), kKey, kKey);
    b.Control(194, "Thumb Wheel", 392, 140, kWheelWidth, kWheelHeight);
    b.Axis(194, VH_AXIS_END_UP, VH_AXIS_END_DOWN);
    b.DirectionPad(510, 200);
    return Finish(std::move(b.Facts()), 20600);
}

// The k31's rows plus a row of four and two thumb keys (rows as the default
// profile's Tab Q W E R / CapsLock A S D F / LeftShift Z X C / Space LeftAlt), and a
// wheel that rolls up and down and clicks.
DeviceFacts K33() {
    Builder b("k33", 0x0DF6BB65, "Varnholt k33 Tactiboard2",
              "Varnholt k33 Tactiboard2 gaming keypad");
    constexpr int rowStart[] = {0, 5, 10};
    const auto rowY = [](int row) { return 80 + kKeyPitch * row; };
    for (int key = 0; key < 14; ++key) {
        const int row = key < 5 ? 0 : key < 10 ? 1 : 2;
        b.Control(key, Numbered("Key", key + 1), KeyX(row, key - rowStart[row]), rowY(row), kKey,
                  kKey);
    }
    // The space bar spans the Z and X keys above it; the key beside it sits under C.
    b.Control(14, "Key 15", KeyX(2, 1), rowY(3), KeyX(2, 2) - KeyX(2, 1) + kKey, kKey);
    b.Control(15, "Key 16", KeyX(2, 3), rowY(3), kKey, kKey);
    b.Control(16, "Wheel Up", 400, 100, kWheelWidth, 48);
    b.Control(17, "Wheel Click", 400, 156, kWheelWidth, 40);
    b.Control(18, "Wheel Down", 400, 204, kWheelWidth, 48);
    b.DirectionPad(520, 200);
    return Finish(std::move(b.Facts()), 20900);
}

// The stick from the front: hat on top of the grip with a button either side, the
// trigger below, twist and the stick axes under the grip, throttle and two buttons
// on the base.
DeviceFacts W58() {
    Builder b("w58", 0x0DF6BB63, "Varnholt w58 Aerogrip", "Varnholt w58 Aerogrip flight stick");
    b.Control(0, "Trigger", 298, 188, kPadButton, kPadButton);
    b.Control(1, "Button 2", 196, 88, kPadButton, kPadButton);
    b.Control(2, "Button 3", 400, 88, kPadButton, kPadButton);
    b.Control(3, "Button 4", 400, 188, kPadButton, kPadButton);
    b.Control(4, "Button 5", 180, 400, kPadButton, kPadButton);
    b.Control(5, "Button 6", 416, 400, kPadButton, kPadButton);
    b.DirectionPad(320, 110, "Hat ");
    b.Control(197, "Twist", 292, 250, kAxisWidth, kAxisHeight);
    b.Control(192, "Stick X", 254, 300, kAxisWidth, kAxisHeight);
    b.Control(193, "Stick Y", 330, 300, kAxisWidth, kAxisHeight);
    b.Control(194, "Throttle", 80, 340, kWheelWidth, kWheelHeight);
    b.Axis(192, VH_AXIS_END_RIGHT, VH_AXIS_END_LEFT);
    b.Axis(193, VH_AXIS_END_FORWARD, VH_AXIS_END_BACK);
    b.Axis(194, VH_AXIS_END_FORWARD, VH_AXIS_END_BACK, true);
    b.Axis(197, VH_AXIS_END_RIGHT, VH_AXIS_END_LEFT);
    return Finish(std::move(b.Facts()), 21200);
}

// The w58 and the k31 as one device: the stick half keeps the w58's controls and
// picture places ("JS..."), the keypad half is the k31 as the combined firmware
// numbers it ("AP...", on the second picture): keys 10..19, the four main
// directions 20..23 (no diagonals) and the wheel 205.
DeviceFacts Q97(const DeviceFacts& stick, const DeviceFacts& keypad) {
    const auto keypadControl = [](int control) {
        if (control < 10) return control + 10;
        if (control == 194) return 205;
        if (control >= 128 && control <= 134 && control % 2 == 0) return 20 + (control - 128) / 2;
        return -1;  // a diagonal
    };
    Builder b("q97", 0x0DF6BB64, "Varnholt q97 Virtual Combined Controller",
              "Varnholt q97 Virtual Combined Controller: w58 flight stick with k31 keypad");
    DeviceFacts& d = b.Facts();
    d.secondPictures = kSecondPictures;
    for (ControlFact c : stick.controls) {
        c.name = "JS " + c.name;
        d.controls.push_back(std::move(c));
    }
    d.overlays = stick.overlays;
    d.axes = stick.axes;
    for (ControlFact c : keypad.controls) {
        c.control = keypadControl(c.control);
        if (c.control < 0) continue;
        c.name = "AP " + c.name;
        d.controls.push_back(std::move(c));
    }
    for (OverlayFact o : keypad.overlays) {
        o.control = keypadControl(o.control);
        if (o.control >= 0) d.overlays.push_back(std::move(o));
    }
    for (VH_AXIS_RECORD a : keypad.axes) {
        a.control = keypadControl(a.control);
        d.axes.push_back(a);
    }
    return Finish(std::move(d), 21500);
}

std::vector<DeviceFacts> BuildCatalog() {
    std::vector<DeviceFacts> all;
    all.push_back(G71());
    all.push_back(G74());
    all.push_back(K31());
    all.push_back(K33());
    all.push_back(W58());
    all.push_back(Q97(all[4], all[2]));
    return all;
}

}  // namespace

const std::vector<DeviceFacts>& DeviceCatalog() {
    static const std::vector<DeviceFacts> catalog = BuildCatalog();
    return catalog;
}

const DeviceFacts* FindDevice(std::string_view code) {
    const auto lower = [](unsigned char c) { return std::tolower(c); };
    for (const DeviceFacts& d : DeviceCatalog()) {
        if (std::ranges::equal(d.code, code, {}, lower, lower)) return &d;
    }
    return nullptr;
}

bool OnSecondPicture(const DeviceFacts& device, const ControlFact& control) {
    return device.secondPictures[0] != 0 && control.name.starts_with("AP");
}

}  // namespace vh
