#include "guid.h"

#include <cstdio>

namespace vh {

std::string GuidToString(const GUID& g) {
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads `digits` hex digits at text[pos]; false when any of them is not hex.
bool ReadHex(std::string_view text, size_t pos, int digits, uint32_t& out) {
    out = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = HexDigit(text[pos + i]);
        if (d < 0) return false;
        out = out << 4 | static_cast<uint32_t>(d);
    }
    return true;
}

}  // namespace

std::optional<GUID> GuidFromString(std::string_view t) {
    // {00000000-0000-0000-0000-000000000000}
    if (t.size() != 38 || t[0] != '{' || t[37] != '}' || t[9] != '-' || t[14] != '-' ||
        t[19] != '-' || t[24] != '-')
        return std::nullopt;
    GUID g{};
    uint32_t v = 0;
    if (!ReadHex(t, 1, 8, v)) return std::nullopt;
    g.Data1 = v;
    if (!ReadHex(t, 10, 4, v)) return std::nullopt;
    g.Data2 = static_cast<uint16_t>(v);
    if (!ReadHex(t, 15, 4, v)) return std::nullopt;
    g.Data3 = static_cast<uint16_t>(v);
    static constexpr size_t kData4At[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!ReadHex(t, kData4At[i], 2, v)) return std::nullopt;
        g.Data4[i] = static_cast<uint8_t>(v);
    }
    return g;
}

bool GuidIsZero(const GUID& g) {
    return g == GUID{};
}

}  // namespace vh
