#include "devices/pictures/device_art.h"

#include <memory>

#include "devices/pictures/art_style.h"
#include "devices/pictures/control_art.h"
#include "devices/pictures/device_picture.h"
#include "devices/pictures/icon_art.h"

namespace vh::pictures {

namespace {

const ControlFact& ControlOf(const DeviceFacts& device, int control) {
    for (const ControlFact& c : device.controls)
        if (c.control == control) return c;
    throw std::logic_error("an overlay of " + device.code + " names no control");
}

IndexedImage Button(const ControlShape& shape, bool lit) {
    Canvas c(static_cast<int>(shape.width), static_cast<int>(shape.height));
    DrawButton(c, shape, lit);
    return IndexedKeyed(c, SharedPalette(), kWellFloor);
}

}  // namespace

std::vector<uint16_t> BitmapIds(const DeviceFacts& device) {
    std::vector<uint16_t> ids;
    for (const auto* set : {&device.pictures, &device.secondPictures})
        for (uint16_t id : *set)
            if (id) ids.push_back(id);
    for (const ControlFact& c : device.controls) {
        ids.push_back(c.normalBitmap);
        ids.push_back(c.highlightBitmap);
    }
    for (const OverlayFact& o : device.overlays)
        for (const VH_OVERLAY_ENTRY& e : o.entries) ids.push_back(static_cast<uint16_t>(e.bitmap));
    return ids;
}

std::vector<uint16_t> IconIds(const DeviceFacts& device) {
    return {device.idleIcon, device.activeIcon};
}

std::vector<Bitmap> DrawBitmaps(const DeviceFacts& device) {
    std::vector<Bitmap> out;
    for (bool second : {false, true}) {
        const auto& ids = second ? device.secondPictures : device.pictures;
        if (!ids[0]) continue;
        const DevicePicture picture(device, second);
        for (size_t mode = 0; mode < kModes.size(); ++mode)
            out.push_back({ids[mode], Indexed(picture.Picture(kModes[mode]), SharedPalette())});
    }
    for (const ControlFact& c : device.controls) {
        const ControlShape shape = ShapeOf(device, c);
        out.push_back({c.normalBitmap, Button(shape, false)});
        out.push_back({c.highlightBitmap, Button(shape, true)});
    }
    for (const OverlayFact& o : device.overlays) {
        for (const VH_OVERLAY_ENTRY& e : o.entries) {
            Canvas c(kOverlayImageSize, kOverlayImageSize);
            DrawArrow(c, ArrowDirection(ControlOf(device, o.control), e));
            out.push_back(
                {static_cast<uint16_t>(e.bitmap), IndexedKeyed(c, SharedPalette(), kWellFloor)});
        }
    }
    return out;
}

std::vector<Icon> DrawIcons(const DeviceFacts& device) {
    return {{device.idleIcon, DrawDeviceIcon(device, false)},
            {device.activeIcon, DrawDeviceIcon(device, true)}};
}

}  // namespace vh::pictures
