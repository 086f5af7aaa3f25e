// The device's icons: a small silhouette, muted while idle, lit while active.
#pragma once

#include <vector>

#include "devices/device_facts.h"
#include "devices/pictures/bmp_file.h"

namespace vh::pictures {

// 32 x 32 and 16 x 16 images with alpha.
std::vector<IconImage> DrawDeviceIcon(const DeviceFacts& device, bool active);

}  // namespace vh::pictures
