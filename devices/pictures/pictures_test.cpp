#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <stdexcept>

#include "devices/pictures/art_style.h"
#include "devices/pictures/bmp_file.h"
#include "devices/pictures/chooser_art.h"
#include "devices/pictures/device_art.h"
#include "devices/pictures/device_picture.h"

namespace {

using namespace vh::pictures;

uint32_t Read32(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
    return v;
}

uint16_t Read16(const std::string& b, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1])
                                                                   << 8);
}

// Reads an 8-bit BMP file as the programs' loader does, checking what it relies on.
IndexedImage ReadBmp(const std::string& file) {
    if (file.substr(0, 2) != "BM" || Read32(file, 2) != file.size() || Read32(file, 14) != 40 ||
        Read16(file, 28) != 8 || Read32(file, 30) != 0)
        throw std::runtime_error("not an uncompressed 8-bit BMP with BITMAPINFOHEADER");
    IndexedImage image;
    image.width = static_cast<int>(Read32(file, 18));
    image.height = static_cast<int>(Read32(file, 22));
    const uint32_t colours = Read32(file, 46);
    if (colours == 0 || colours > 236 || Read32(file, 10) != 54 + 4 * colours)
        throw std::runtime_error("colour table size");
    for (uint32_t i = 0; i < colours; ++i) {
        const size_t at = 54 + 4 * i;
        image.palette.push_back({static_cast<uint8_t>(file[at + 2]),
                                 static_cast<uint8_t>(file[at + 1]),
                                 static_cast<uint8_t>(file[at])});
    }
    const size_t stride = static_cast<size_t>((image.width + 3) / 4 * 4);
    if (Read32(file, 34) != stride * static_cast<size_t>(image.height) ||
        file.size() != Read32(file, 10) + stride * static_cast<size_t>(image.height))
        throw std::runtime_error("pixel data size");
    image.pixels.resize(static_cast<size_t>(image.width * image.height));
    for (int y = 0; y < image.height; ++y) {
        const size_t row = Read32(file, 10) + stride * static_cast<size_t>(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const uint8_t index = static_cast<uint8_t>(file[row + static_cast<size_t>(x)]);
            if (index >= colours) throw std::runtime_error("pixel outside the colour table");
            image.pixels[static_cast<size_t>(y * image.width + x)] = index;
        }
    }
    return image;
}

// The colour of the first stored pixel: the lower-left one.
Rgb FirstStored(const IndexedImage& image) {
    return image.ColourAt(0, image.height - 1);
}

struct Average {
    double r = 0, g = 0, b = 0;
};

Average AverageOf(const IndexedImage& image) {
    Average a;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.ColourAt(x, y);
            a.r += c.r;
            a.g += c.g;
            a.b += c.b;
        }
    }
    const double n = image.width * image.height;
    return {a.r / n, a.g / n, a.b / n};
}

// Every device's bitmaps as files, read back, by id.
const std::map<std::string, std::map<uint16_t, IndexedImage>>& AllBitmaps() {
    static const auto all = [] {
        std::map<std::string, std::map<uint16_t, IndexedImage>> out;
        for (const vh::DeviceFacts& d : vh::DeviceCatalog())
            for (const Bitmap& b : DrawBitmaps(d)) out[d.code][b.id] = ReadBmp(BmpFile(b.image));
        return out;
    }();
    return all;
}

TEST(BmpFile, HeadersAndColourTableAreExactAndPixelsRoundTrip) {
    IndexedImage image{3, 2, {{1, 2, 3}, {255, 0, 255}, {10, 20, 30}}, {0, 1, 2, 2, 1, 0}};
    const std::string file = BmpFile(image);
    const std::string expected = std::string("BM\x4A\0\0\0\0\0\0\0\x42\0\0\0", 14) +
                                 std::string(
                                     "\x28\0\0\0\x03\0\0\0\x02\0\0\0\x01\0\x08\0\0\0\0\0\x08\0\0\0"
                                     "\x13\x0B\0\0\x13\x0B\0\0\x03\0\0\0\0\0\0\0",
                                     40) +
                                 std::string("\x03\x02\x01\0\xFF\0\xFF\0\x1E\x14\x0A\0", 12) +
                                 // Bottom row first, each padded to four bytes.
                                 std::string("\x02\x01\0\0\0\x01\x02\0", 8);
    EXPECT_EQ(file, expected);
    const IndexedImage back = ReadBmp(file);
    EXPECT_EQ(back.pixels, image.pixels);
    EXPECT_EQ(back.palette, image.palette);
}

TEST(IcoFile, DirectoryPointsAtEachImageWithItsMask) {
    IconImage big{32, std::vector<uint8_t>(32 * 32 * 4, 0)};
    IconImage small{16, std::vector<uint8_t>(16 * 16 * 4, 0)};
    // Top-left opaque red in the small one; the rest is transparent.
    small.rgba[0] = 200, small.rgba[3] = 255;
    const std::string file = IcoFile({big, small});
    ASSERT_GE(file.size(), 38u);
    EXPECT_EQ(Read16(file, 0), 0);
    EXPECT_EQ(Read16(file, 2), 1);
    EXPECT_EQ(Read16(file, 4), 2);
    size_t next = 6 + 2 * 16;
    for (int i = 0; i < 2; ++i) {
        const size_t entry = 6 + 16 * static_cast<size_t>(i);
        const int n = i == 0 ? 32 : 16;
        SCOPED_TRACE(n);
        EXPECT_EQ(static_cast<uint8_t>(file[entry]), n);
        EXPECT_EQ(static_cast<uint8_t>(file[entry + 1]), n);
        EXPECT_EQ(Read16(file, entry + 4), 1);                    // planes
        EXPECT_EQ(Read16(file, entry + 6), 32);                   // bits per pixel
        const uint32_t maskBytes = 4 * static_cast<uint32_t>(n);  // rows of 32 bits
        EXPECT_EQ(Read32(file, entry + 8), 40 + static_cast<uint32_t>(n * n * 4) + maskBytes);
        EXPECT_EQ(Read32(file, entry + 12), next);
        const size_t header = Read32(file, entry + 12);
        EXPECT_EQ(Read32(file, header), 40u);
        EXPECT_EQ(Read32(file, header + 4), static_cast<uint32_t>(n));
        EXPECT_EQ(Read32(file, header + 8), static_cast<uint32_t>(2 * n));  // colour and mask
        EXPECT_EQ(Read16(file, header + 14), 32);
        next += Read32(file, entry + 8);
    }
    EXPECT_EQ(next, file.size());
    // The small image's top row is stored last: blue, green, red, alpha, then the mask
    // with only the one opaque pixel clear.
    const size_t pixels = Read32(file, 6 + 16 + 12) + 40;
    const size_t topRow = pixels + 15 * 16 * 4;
    EXPECT_EQ(file.substr(topRow, 4), std::string("\0\0\xC8\xFF", 4));
    const size_t maskTop = pixels + 16 * 16 * 4 + 15 * 4;
    EXPECT_EQ(file.substr(maskTop, 4), std::string("\x7F\xFF\0\0", 4));
}

TEST(Palette, HoldsAtMost236ColoursAndKeepsTheKeyForItself) {
    Palette p;
    p.Add(kTransparentKey).Add({250, 10, 250});
    EXPECT_EQ(p.Colours()[p.Nearest({254, 1, 254})], (Rgb{250, 10, 250}));
    EXPECT_EQ(p.Colours()[p.Nearest(kTransparentKey)], kTransparentKey);
    EXPECT_THROW(p.Ramp(Hex(0x000000), Hex(0xffffff), 240), std::length_error);
    EXPECT_LE(SharedPalette().Colours().size(), kMaxPaletteColours);
}

TEST(DeviceArt, EveryIdOfEveryDeviceHasAnImageOfItsSize) {
    for (const vh::DeviceFacts& d : vh::DeviceCatalog()) {
        SCOPED_TRACE(d.code);
        std::map<uint16_t, std::pair<int, int>> expected;
        for (const auto* set : {&d.pictures, &d.secondPictures})
            for (uint16_t id : *set)
                if (id) expected[id] = {vh::kPictureWidth, vh::kPictureHeight};
        for (const vh::ControlFact& c : d.controls) {
            expected[c.normalBitmap] = {c.width, c.height};
            expected[c.highlightBitmap] = {c.width, c.height};
        }
        for (const vh::OverlayFact& o : d.overlays)
            for (const VH_OVERLAY_ENTRY& e : o.entries)
                expected[static_cast<uint16_t>(e.bitmap & 0xFFFF)] = {vh::kOverlayImageSize,
                                                                      vh::kOverlayImageSize};
        const auto& drawn = AllBitmaps().at(d.code);
        EXPECT_EQ(drawn.size(), expected.size());
        for (const auto& [id, size] : expected) {
            ASSERT_TRUE(drawn.contains(id)) << id;
            EXPECT_EQ(drawn.at(id).width, size.first) << id;
            EXPECT_EQ(drawn.at(id).height, size.second) << id;
        }
        // The resource script lists exactly these files.
        const std::vector<uint16_t> ids = BitmapIds(d);
        EXPECT_EQ(std::set<uint16_t>(ids.begin(), ids.end()).size(), expected.size());
        for (uint16_t id : ids) EXPECT_TRUE(expected.contains(id)) << id;
        EXPECT_EQ(IconIds(d), (std::vector<uint16_t>{d.idleIcon, d.activeIcon}));
    }
}

TEST(DeviceArt, ButtonsAndArrowsAreKeyedAndPicturesNeverUseTheKey) {
    for (const vh::DeviceFacts& d : vh::DeviceCatalog()) {
        SCOPED_TRACE(d.code);
        const auto& drawn = AllBitmaps().at(d.code);
        std::set<uint16_t> pictures;
        for (const auto* set : {&d.pictures, &d.secondPictures})
            pictures.insert(set->begin(), set->end());
        for (const auto& [id, image] : drawn) {
            // One colour table for all, so the Normal picture's palette suits every image.
            EXPECT_EQ(image.palette, drawn.at(d.pictures[0]).palette) << id;
            if (pictures.contains(id)) {
                for (uint8_t index : image.pixels)
                    ASSERT_NE(image.palette[index], kTransparentKey) << id;
            } else {
                EXPECT_EQ(FirstStored(image), kTransparentKey) << id;
                EXPECT_NE(image.ColourAt(image.width / 2, image.height / 2), kTransparentKey) << id;
            }
        }
    }
}

TEST(DeviceArt, ModesAreTellableByTheirAverageColour) {
    for (const vh::DeviceFacts& d : vh::DeviceCatalog()) {
        for (const auto* set : {&d.pictures, &d.secondPictures}) {
            if (!(*set)[0]) continue;
            SCOPED_TRACE(d.code + " " + std::to_string((*set)[0]));
            std::vector<Average> modes;
            for (uint16_t id : *set) modes.push_back(AverageOf(AllBitmaps().at(d.code).at(id)));
            const Average& normal = modes[0];
            EXPECT_LT(
                std::max({normal.r, normal.g, normal.b}) - std::min({normal.r, normal.g, normal.b}),
                20);
            EXPECT_GT(modes[1].r, std::max(modes[1].g, modes[1].b) + 8);  // Red
            EXPECT_GT(modes[2].b, std::max(modes[2].r, modes[2].g) + 8);  // Blue
            EXPECT_GT(modes[3].g, std::max(modes[3].r, modes[3].b) + 8);  // Green
            for (size_t i = 0; i < modes.size(); ++i)
                for (size_t j = i + 1; j < modes.size(); ++j)
                    EXPECT_GT(std::abs(modes[i].r - modes[j].r) +
                                  std::abs(modes[i].g - modes[j].g) +
                                  std::abs(modes[i].b - modes[j].b),
                              25)
                        << i << " " << j;
        }
    }
}

TEST(DeviceArt, MarginAndChooserCornerShowOnlyTheBackdrop) {
    for (size_t mode = 0; mode < kModes.size(); ++mode) {
        const IndexedImage backdrop = Indexed(DrawBackdrop(kModes[mode]), SharedPalette());
        for (const vh::DeviceFacts& d : vh::DeviceCatalog()) {
            for (const auto* set : {&d.pictures, &d.secondPictures}) {
                if (!(*set)[0]) continue;
                const IndexedImage& picture = AllBitmaps().at(d.code).at((*set)[mode]);
                SCOPED_TRACE(d.code + " " + std::to_string((*set)[mode]));
                int differing = 0;
                for (int y = 0; y < picture.height; ++y) {
                    for (int x = 0; x < picture.width; ++x) {
                        const int m = vh::kPictureMargin;
                        const bool reserved = x < m || y < m || x >= picture.width - m ||
                                              y >= picture.height - m ||
                                              (x >= vh::kChooserLeft && y >= vh::kChooserTop);
                        if (reserved && picture.At(x, y) != backdrop.At(x, y)) ++differing;
                    }
                }
                EXPECT_EQ(differing, 0);
            }
        }
    }
}

// Brightness-weighted centre of an arrow, relative to its image's centre.
std::pair<double, double> BrightCentre(const IndexedImage& image) {
    double sx = 0, sy = 0, sum = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.ColourAt(x, y);
            if (c == kTransparentKey) continue;
            const double w = std::pow(c.r + c.g + c.b, 2);
            sx += w * (x + 0.5 - image.width / 2.0);
            sy += w * (y + 0.5 - image.height / 2.0);
            sum += w;
        }
    }
    return {sx / sum, sy / sum};
}

TEST(DeviceArt, EachArrowPointsToItsDirection) {
    // Directions 128..135 clockwise from north; the combined device's keypad numbers
    // its four 20..23.
    const auto expected = [](const vh::DeviceFacts& d, int control) -> std::pair<int, int> {
        static const std::pair<int, int> eight[] = {{0, -1}, {1, -1}, {1, 0},  {1, 1},
                                                    {0, 1},  {-1, 1}, {-1, 0}, {-1, -1}};
        if (control >= 128 && control <= 135) return eight[control - 128];
        EXPECT_EQ(d.code, "q97");
        return eight[(control - 20) * 2];
    };
    for (const vh::DeviceFacts& d : vh::DeviceCatalog()) {
        for (const vh::OverlayFact& o : d.overlays) {
            SCOPED_TRACE(d.code + " " + std::to_string(o.control));
            const auto [dx, dy] = expected(d, o.control);
            for (const VH_OVERLAY_ENTRY& e : o.entries) {
                const auto [cx, cy] =
                    BrightCentre(AllBitmaps().at(d.code).at(static_cast<uint16_t>(e.bitmap)));
                const double along = (cx * dx + cy * dy) / std::hypot(dx, dy);
                const double across = (cx * -dy + cy * dx) / std::hypot(dx, dy);
                EXPECT_GT(along, 0.4);
                EXPECT_LT(std::abs(across), 0.3);
            }
        }
    }
}

double Saturation(const uint8_t* rgba) {
    const int hi = std::max({rgba[0], rgba[1], rgba[2]}),
              lo = std::min({rgba[0], rgba[1], rgba[2]});
    return hi ? (hi - lo) / static_cast<double>(hi) : 0;
}

TEST(DeviceArt, IconsAreGreyWhileIdleAndLitWhileActive) {
    for (const vh::DeviceFacts& d : vh::DeviceCatalog()) {
        SCOPED_TRACE(d.code);
        const std::vector<Icon> icons = DrawIcons(d);
        ASSERT_EQ(icons.size(), 2u);
        EXPECT_EQ(icons[0].id, d.idleIcon);
        EXPECT_EQ(icons[1].id, d.activeIcon);
        for (const Icon& icon : icons) {
            ASSERT_EQ(icon.images.size(), 2u);
            EXPECT_EQ(icon.images[0].size, 32);
            EXPECT_EQ(icon.images[1].size, 16);
            for (const IconImage& image : icon.images) {
                ASSERT_EQ(image.rgba.size(), static_cast<size_t>(image.size * image.size * 4));
                double saturation = 0;
                int opaque = 0;
                for (size_t i = 0; i < image.rgba.size(); i += 4) {
                    if (image.rgba[i + 3] < 255) continue;
                    ++opaque;
                    saturation += Saturation(&image.rgba[i]);
                }
                // A silhouette, not a square: clear corners, a solid body.
                EXPECT_EQ(image.rgba[3], 0);
                EXPECT_GT(opaque, image.size * image.size / 5);
                if (icon.id == d.idleIcon)
                    EXPECT_LT(saturation / opaque, 0.15);
                else
                    EXPECT_GT(saturation / opaque, 0.5);
            }
        }
    }
}

TEST(ChooserArt, PanelsAndButtonsHaveTheirSizesAndKeys) {
    std::map<uint16_t, std::pair<int, int>> expected = {
        {kChooserUp, {24, 24}},      {kChooserUpLit, {24, 24}}, {kChooserDown, {24, 24}},
        {kChooserDownLit, {24, 24}}, {kChooserGo, {20, 8}},     {kChooserGoLit, {20, 8}}};
    for (uint16_t panel : {125, 354, 368, 124}) expected[panel] = {169, 129};
    const std::vector<Bitmap> chooser = DrawChooser();
    ASSERT_EQ(chooser.size(), expected.size());
    for (const Bitmap& b : chooser) {
        SCOPED_TRACE(b.id);
        ASSERT_TRUE(expected.contains(b.id));
        const IndexedImage image = ReadBmp(BmpFile(b.image));
        EXPECT_EQ(image.width, expected[b.id].first);
        EXPECT_EQ(image.height, expected[b.id].second);
        const bool panel = image.width == 169;
        EXPECT_EQ(FirstStored(image) == kTransparentKey, !panel);
        if (panel) {
            for (uint8_t index : image.pixels) ASSERT_NE(image.palette[index], kTransparentKey);
        }
    }
}

}  // namespace
