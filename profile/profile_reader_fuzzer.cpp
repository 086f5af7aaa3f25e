// Fuzz target for the profile reader. Any input may be rejected with a format
// error; nothing else may escape, and whatever loads must survive a save and a
// reload unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "profile/archive.h"
#include "profile/controller_data.h"

namespace {

bool Load(const std::string& bytes, CControllerData& p) {
    std::istringstream in(bytes);
    CArchive ar(in, "fuzz");
    try {
        p.Serialize(ar);
        return true;
    } catch (const CArchiveException&) {
        return false;
    }
}

void CheckRoundTrip(CControllerData& loaded) {
    std::string bytes;
    CArchive ar(bytes);
    loaded.Serialize(ar);
    CControllerData again;
    if (!Load(bytes, again)) {
        std::fputs("a saved profile does not load\n", stderr);
        std::abort();
    }
    // What the file does not carry: the load switches, the first-generation
    // third shift key and the record form of the file it came from.
    loaded.convertForCombined = loaded.convertFromFirstKeypad = 0;
    loaded.legacyShiftControl = again.legacyShiftControl;
    loaded.oldFormat = again.oldFormat;
    for (auto& [key, macro] : loaded.macros) macro.recordDelays = 1;
    if (!(again == loaded)) {
        std::fputs("a saved profile loads differently\n", stderr);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (int switches = 0; switches < 2; ++switches) {
        CControllerData p;
        p.convertForCombined = p.convertFromFirstKeypad = switches;
        if (Load(bytes, p)) CheckRoundTrip(p);
    }
    return 0;
}
