// Writes a device module's resource script from the device catalogue:
//   vh_module_rc CODE OUT.rc [IDENTIFIER]
// IDENTIFIER replaces the module identifier string (test modules that must be
// refused use it).
#include <cstdio>
#include <fstream>
#include <string>

#include "devices/device_facts.h"
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
    if (argc < 3 || argc > 4) {
        std::fputs("usage: vh_module_rc CODE OUT.rc [IDENTIFIER]\n", stderr);
        return 1;
    }
    const vh::DeviceFacts* device = vh::FindDevice(argv[1]);
    if (!device) {
        std::fprintf(stderr, "vh_module_rc: no device \"%s\"\n", argv[1]);
        return 1;
    }
    const std::string identifier = argc == 4 ? argv[3] : VH_RESOURCE_IDENTIFIER;
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
    rc << "END\n";
    rc.close();
    if (!rc) {
        std::fprintf(stderr, "vh_module_rc: cannot write %s\n", argv[2]);
        return 2;
    }
    return 0;
}
