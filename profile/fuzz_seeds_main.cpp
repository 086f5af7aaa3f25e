// Writes the reader's seed corpus: small valid profiles of each generation and form,
// from which the fuzzer mutates its way into the format.
#include <filesystem>
#include <fstream>
#include <string>

#include "profile/archive.h"
#include "profile/controller_data.h"
#include "profile/test_profile.h"

namespace {

void WriteSeed(const std::filesystem::path& dir, const char* name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

std::string Saved(CControllerData& p) {
    std::string bytes;
    CArchive ar(bytes);
    p.Serialize(ar);
    return bytes;
}

CControllerData Populated() {
    CControllerData p;
    p.deviceType = kFirstKeypadGuid;
    p.author = "seed";
    p.SetLabel(MODE_NORMAL, 3, "Three");
    p.SetAssignment(MODE_NORMAL, 3, BT_KEY, 0x1E);
    p.SetAssignment(MODE_NORMAL, 128, BT_DI_BUTTON, 1);
    p.SetAssignment(MODE_RED, 194, BT_AXIS_UP, AXIS_Z);
    p.SetShiftRole(CControllerData::ROLE_GREEN, 9);
    MACRO_INFO m;
    m.id = 7;
    m.name = "macro";
    m.repeatInterval = 100;
    m.events = {{ME_KEY_PRESS, 0x1E}, {ME_DELAY, 20}, {ME_KEY_RELEASE, 0x1E}};
    p.SetMacro(m);
    AXIS_INFO a;
    a.id = 8;
    a.bands = {{0, 50, BT_KEY, 0x10}, {50, 100, BT_MACRO, 7}};
    p.SetAxis(a);
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 1;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    CControllerData empty;
    WriteSeed(dir, "empty", Saved(empty));
    CControllerData populated = Populated();
    WriteSeed(dir, "populated", Saved(populated));
    WriteSeed(dir, "first-generation", vh::test::FirstGenerationFile(kFirstKeypadGuid));
    // A wide label, as another writer may store text.
    std::string wide = Saved(empty);
    const size_t firstLabel = 27 + 12 + 5 + 16;  // header, version, five texts, GUID
    wide.replace(firstLabel, 1, std::string("\xFF\xFE\xFF\x02W\0i\0", 8));
    WriteSeed(dir, "wide-label", wide);
    return 0;
}
