// A device type identifier. On Windows this is the platform's own GUID so that
// profile records and Win32 calls share one type; elsewhere a layout-identical copy.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <guiddef.h>
#else
struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
inline bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}
#endif

namespace vh {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case hex.
std::string GuidToString(const GUID& guid);
// Accepts the braced form above in either case; nothing else.
std::optional<GUID> GuidFromString(std::string_view text);
bool GuidIsZero(const GUID& guid);

}  // namespace vh
