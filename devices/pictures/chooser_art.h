// The profile editor's device chooser: a panel per device it can switch to (a
// miniature with the device's name) and the chooser's arrow and GO buttons.
#pragma once

#include <vector>

#include "devices/pictures/device_art.h"

namespace vh::pictures {

inline constexpr int kChooserPanelWidth = 169, kChooserPanelHeight = 129;
inline constexpr int kChooserArrowSize = 24;
inline constexpr int kChooserGoWidth = 20, kChooserGoHeight = 8;

struct ChooserPanelId {
    uint16_t id;
    const char* code;
};
inline constexpr ChooserPanelId kChooserPanels[] = {
    {125, "g74"}, {354, "k31"}, {368, "k33"}, {124, "g71"}};
// Each button's normal and lit look.
inline constexpr uint16_t kChooserUp = 129, kChooserUpLit = 130;
inline constexpr uint16_t kChooserDown = 126, kChooserDownLit = 127;
inline constexpr uint16_t kChooserGo = 123, kChooserGoLit = 128;

// Every chooser image, panels first, all in SharedPalette().
std::vector<Bitmap> DrawChooser();

}  // namespace vh::pictures
