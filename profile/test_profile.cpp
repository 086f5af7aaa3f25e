#include "profile/test_profile.h"

#include <limits>

#include "profile/archive.h"

namespace vh::test {

CControllerData RichProfile() {
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    CControllerData p;
    for (int b = 0; b < 256; ++b) p.author += static_cast<char>(b);
    p.email = "\x81\x8D\x8F\x90\x9D";
    p.legacyText = "legacy";
    p.webPage = "https://example.org/profiles";
    p.comments =
        "Gr\xF6\xDF"
        "e \x80\r\n\t\"quoted\" \\ slash /";
    p.deviceType = {0x0DF6BB65, 0xAE74, 0x11D4, {0x95, 0x48, 0x00, 0x50, 0x04, 0x72, 0x8F, 0x22}};
    p.SetLabel(MODE_NORMAL, 0, "Schub erh\xF6hen");
    p.SetLabel(MODE_NORMAL, 255, std::string(300, 'x') + "!");
    p.SetLabel(MODE_RED, 17, std::string("nul\0inside", 10));
    p.SetLabel(MODE_GREEN, 128, "\xC4\x80\x9F");
    p.redShiftControl = 15;
    p.blueShiftControl = 14;
    p.cycleShiftControl = 13;
    p.redShiftType = 1;
    p.blueShiftType = 2;
    p.greenShiftType = kMax;

    p.assignments[MODE_NORMAL][0] = {0, BT_KEY, 0x11};
    p.assignments[MODE_NORMAL][255] = {255, BT_DI_BUTTON, 3};
    p.assignments[MODE_RED][300] = {5, BT_MACRO, 77};
    p.assignments[MODE_BLUE][-7] = {-7, kMin, kMax};

    MACRO_INFO fire;
    fire.id = 77;
    fire.name = "Z\xFCnden";
    fire.repeatInterval = -1;
    fire.repeatMode = REPEAT_UNTIL_PRESSED;
    fire.events = {{ME_KEY_PRESS, 0x1D}, {ME_DELAY, 50}, {ME_KEY_RELEASE, 0x1D}};
    p.macros[77] = fire;
    MACRO_INFO other;
    other.id = 9;
    other.repeatInterval = 250;
    other.repeatMode = REPEAT_WHILE_DOWN;
    p.macros[3] = other;
    p.macros[kMin] = MACRO_INFO{};

    AXIS_INFO thrust;
    thrust.id = 5;
    thrust.name = "Schub";
    thrust.outputAxis = AXIS_Z;
    thrust.axisMode = 1;
    thrust.useBands = true;
    thrust.invert = true;
    thrust.bands = {{0, 50, BT_KEY, 0x10}, {50, 100, BT_KEY, 0x12}};
    p.axes[5] = thrust;
    AXIS_INFO silent;
    silent.id = 6;
    silent.hasOutput = false;
    p.axes[40000] = silent;
    return p;
}

std::string FirstGenerationFile(const GUID& device) {
    std::string bytes;
    CArchive ar(bytes);
    ar.WriteString(kProfileHeaderV1);
    for (int v : {9, 9, 9}) ar.WriteInt32(v);  // version: never looked at
    ar.WriteString("old text");
    GUID g = device;
    ar.Exchange(g);
    for (int i = 0; i < 1024; ++i) ar.WriteString(i == 3 ? "Three" : "");
    for (int v : {1, 2, 7}) ar.WriteInt32(v);
    ar.WriteCount(2);
    for (int v : {3, 3, int{BT_KEY}, 0x04}) ar.WriteInt32(v);
    for (int v : {194, 194, int{BT_AXIS_UP}, int{AXIS_Z}}) ar.WriteInt32(v);
    for (int mode = 1; mode < 4; ++mode) ar.WriteCount(0);
    ar.WriteCount(1);
    ar.WriteInt32(8);  // key, then the record without repeatMode
    ar.WriteInt32(5);
    ar.WriteString("m");
    ar.WriteInt32(250);
    ar.WriteCount(1);
    ar.WriteInt32(ME_KEY_PRESS);
    ar.WriteInt32(0x1E);
    ar.WriteCount(0);
    return bytes;
}

}  // namespace vh::test
