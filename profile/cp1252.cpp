#include "cp1252.h"

namespace vh {

namespace {

// 0x80..0x9F; the undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for themselves.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

char UnicodeToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

std::u32string Cp1252Decode(std::string_view bytes) {
    std::u32string out;
    out.reserve(bytes.size());
    for (char c : bytes) out.push_back(Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string Cp1252Encode(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t cp : text) out.push_back(UnicodeToCp1252(cp));
    return out;
}

}  // namespace vh
