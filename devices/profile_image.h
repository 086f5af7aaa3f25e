// The profile image: the flat bytes a controller's firmware runs a profile from.
#pragma once

#include <cstdint>
#include <vector>

#include "profile/controller_data.h"

namespace vh {

using Bytes = std::vector<uint8_t>;

constexpr size_t kImageHeaderSize = 92;

// Header, then the button tables of the four modes, the axis table and the macro
// table, each only when it has entries. For the combined virtual controller
// (`virtualDevice`) control 194 is sent as 202 and 205 as 194, as its firmware
// numbers them.
Bytes BuildProfileImage(const CControllerData& profile, bool virtualDevice);

}  // namespace vh
