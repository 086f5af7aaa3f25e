// Writes a device module's resource script from the device catalogue:
//   vh_module_rc CODE OUT.rc PICTURES [IDENTIFIER]
// PICTURES is the folder vh_picture_gen drew the device's bitmaps and icons into.
// IDENTIFIER replaces the module identifier string (test modules that must be
// refused use it).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "devices/device_facts.h"
#include "devices/pictures/device_art.h"
#include "devices/resdll_interface.h"

namespace {

// A quoted resource-script string: quotes doubled, backslashes escaped.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += "\"\"";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5) {
        std::fputs("usage: vh_module_rc CODE OUT.rc PICTURES [IDENTIFIER]\n", stderr);
        return 1;
    }
    const vh::DeviceFacts* device = vh::FindDevice(argv[1]);
    if (!device) {
        std::fprintf(stderr, "vh_module_rc: no device \"%s\"\n", argv[1]);
        return 1;
    }
    const std::filesystem::path pictures = std::filesystem::absolute(argv[3]);
    // Forward slashes, which the resource compiler takes as they are.
    const auto file = [&](uint16_t id, const char* extension) {
        return Quoted((pictures / (std::to_string(id) + extension)).generic_string());
    };
    const std::string identifier = argc == 5 ? argv[4] : VH_RESOURCE_IDENTIFIER;
    std::ofstream rc(argv[2], std::ios::trunc);
    rc << "#pragma code_page(65001)\n"
       << "// Generated from the device catalogue; do not edit.\n\n"
       << "LANGUAGE 0, 0\nSTRINGTABLE\nBEGIN\n"
       << "    " << VH_RESOURCE_IDENTIFIER_ID << ", " << Quoted(identifier) << "\n"
       << "END\n\n"
       << "LANGUAGE 9, 1\nSTRINGTABLE\nBEGIN\n"
       << "    " << VH_DEVICE_TEXT_ID << ", " << Quoted(device->deviceText) << "\n";
    for (const vh::ControlFact& c : device->controls)
        rc << "    " << c.labelId << ", " << Quoted(c.defaultLabel) << "\n";
    rc << "END\n\nLANGUAGE 0, 0\n";
    for (uint16_t id : vh::pictures::BitmapIds(*device))
        rc << id << " BITMAP " << file(id, ".bmp") << "\n";
    for (uint16_t id : vh::pictures::IconIds(*device))
        rc << id << " ICON " << file(id, ".ico") << "\n";
    rc.close();
    if (!rc) {
        std::fprintf(stderr, "vh_module_rc: cannot write %s\n", argv[2]);
        return 2;
    }
    return 0;
}
