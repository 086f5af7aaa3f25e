#include "devices/pictures/bmp_file.h"

namespace vh::pictures {

namespace {

void Put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8 & 0xFF);
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void PutInfoHeader(std::string& out, int width, int height, int bitCount, uint32_t imageSize,
                   uint32_t coloursUsed) {
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));  // positive: bottom-up
    Put16(out, 1);                              // planes
    Put16(out, static_cast<uint32_t>(bitCount));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, bitCount == 8 ? kPixelsPerMetre : 0);
    Put32(out, bitCount == 8 ? kPixelsPerMetre : 0);
    Put32(out, coloursUsed);
    Put32(out, 0);  // every colour is important
}

// Rows are padded to whole 32-bit words.
uint32_t RowBytes(int width, int bitCount) {
    return static_cast<uint32_t>((width * bitCount + 31) / 32 * 4);
}

}  // namespace

std::string BmpFile(const IndexedImage& image) {
    const uint32_t colours = static_cast<uint32_t>(image.palette.size());
    const uint32_t rowBytes = RowBytes(image.width, 8);
    const uint32_t imageSize = rowBytes * static_cast<uint32_t>(image.height);
    const uint32_t offset = 14 + kInfoHeaderSize + 4 * colours;
    std::string out;
    out.reserve(offset + imageSize);
    out += "BM";
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    PutInfoHeader(out, image.width, image.height, 8, imageSize, colours);
    for (const Rgb& c : image.palette) {
        out += static_cast<char>(c.b);
        out += static_cast<char>(c.g);
        out += static_cast<char>(c.r);
        out += '\0';
    }
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) out += static_cast<char>(image.At(x, y));
        out.append(rowBytes - static_cast<uint32_t>(image.width), '\0');
    }
    return out;
}

std::string IcoFile(const std::vector<IconImage>& images) {
    std::string out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    std::string data;
    for (const IconImage& icon : images) {
        const int n = icon.size;
        const uint32_t maskBytes = RowBytes(n, 1) * static_cast<uint32_t>(n);
        const uint32_t pixelBytes = static_cast<uint32_t>(n * n * 4);
        const uint32_t size = kInfoHeaderSize + pixelBytes + maskBytes;
        out += static_cast<char>(n >= 256 ? 0 : n);
        out += static_cast<char>(n >= 256 ? 0 : n);
        out += '\0';  // no colour table
        out += '\0';
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, size);
        Put32(out, offset);
        offset += size;

        // The header counts the colour image and the mask as one bitmap twice as high.
        PutInfoHeader(data, n, 2 * n, 32, pixelBytes + maskBytes, 0);
        for (int y = n - 1; y >= 0; --y) {
            for (int x = 0; x < n; ++x) {
                const uint8_t* p = &icon.rgba[static_cast<size_t>((y * n + x) * 4)];
                data += static_cast<char>(p[2]);
                data += static_cast<char>(p[1]);
                data += static_cast<char>(p[0]);
                data += static_cast<char>(p[3]);
            }
        }
        for (int y = n - 1; y >= 0; --y) {
            std::string row(RowBytes(n, 1), '\0');
            for (int x = 0; x < n; ++x)
                if (icon.rgba[static_cast<size_t>((y * n + x) * 4 + 3)] < 128)
                    row[static_cast<size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
            data += row;
        }
    }
    return out + data;
}

}  // namespace vh::pictures
