// Every image a device module carries, drawn from the device catalogue.
#pragma once

#include <cstdint>
#include <vector>

#include "devices/device_facts.h"
#include "devices/pictures/bmp_file.h"
#include "devices/pictures/indexed_image.h"

namespace vh::pictures {

struct Bitmap {
    uint16_t id = 0;
    IndexedImage image;
};

struct Icon {
    uint16_t id = 0;
    std::vector<IconImage> images;  // 32 x 32 and 16 x 16
};

// The resource ids of a device's bitmaps (pictures of every mode, both looks of every
// button, every overlay arrow) and of its icons.
std::vector<uint16_t> BitmapIds(const DeviceFacts& device);
std::vector<uint16_t> IconIds(const DeviceFacts& device);

// The images themselves, in the order of the ids above, all in SharedPalette().
std::vector<Bitmap> DrawBitmaps(const DeviceFacts& device);
std::vector<Icon> DrawIcons(const DeviceFacts& device);

}  // namespace vh::pictures
