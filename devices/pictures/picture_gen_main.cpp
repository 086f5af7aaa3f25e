// Writes a device module's pictures, or the editor's chooser set, as resource files:
//   vh_picture_gen CODE OUTDIR     OUTDIR/<id>.bmp for every bitmap, <id>.ico per icon
//   vh_picture_gen editor OUTDIR   the chooser's panels and buttons
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "devices/device_facts.h"
#include "devices/pictures/bmp_file.h"
#include "devices/pictures/chooser_art.h"
#include "devices/pictures/device_art.h"
#include "profile/replace_file.h"

namespace {

namespace fs = std::filesystem;
using namespace vh::pictures;

void WriteBitmaps(const fs::path& folder, const std::vector<Bitmap>& bitmaps) {
    for (const Bitmap& b : bitmaps)
        vh::ReplaceFileContents(folder / (std::to_string(b.id) + ".bmp"), BmpFile(b.image));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: vh_picture_gen CODE|editor OUTDIR\n", stderr);
        return 1;
    }
    const std::string what = argv[1];
    const fs::path folder = argv[2];
    const vh::DeviceFacts* device = what == "editor" ? nullptr : vh::FindDevice(what);
    if (what != "editor" && !device) {
        std::fprintf(stderr, "vh_picture_gen: no device \"%s\"\n", argv[1]);
        return 1;
    }
    try {
        fs::create_directories(folder);
        if (!device) {
            WriteBitmaps(folder, DrawChooser());
            return 0;
        }
        WriteBitmaps(folder, DrawBitmaps(*device));
        for (const Icon& icon : DrawIcons(*device))
            vh::ReplaceFileContents(folder / (std::to_string(icon.id) + ".ico"),
                                    IcoFile(icon.images));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vh_picture_gen: %s\n", e.what());
        return 2;
    }
    return 0;
}
