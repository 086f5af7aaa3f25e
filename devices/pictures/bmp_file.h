// The bytes of Windows bitmap and icon files, as the resource compiler takes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "devices/pictures/indexed_image.h"

namespace vh::pictures {

// An 8-bit bitmap: BITMAPINFOHEADER, the image's colour table (biClrUsed entries),
// rows bottom-up.
std::string BmpFile(const IndexedImage& image);

// One square image of an icon: red, green, blue, alpha bytes, rows top to bottom.
struct IconImage {
    int size = 0;
    std::vector<uint8_t> rgba;
};

// An icon file of 32-bit images with alpha, each with the AND mask older systems use.
std::string IcoFile(const std::vector<IconImage>& images);

}  // namespace vh::pictures
