#include "framework/resources_win.h"

#include <vector>

#include "framework/language.h"

namespace vh {

namespace {

std::span<const uint8_t> Bytes(HMODULE module, HRSRC found) {
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const uint8_t*>(data), SizeofResource(module, found)};
}

// The string's counted text in its block of sixteen, or null.
const WCHAR* StringInBlock(std::span<const uint8_t> block, int id, size_t& length) {
    const auto* at = reinterpret_cast<const WCHAR*>(block.data());
    const WCHAR* end = at + block.size() / sizeof(WCHAR);
    for (int i = 0; i < (id & 15); ++i) {
        if (at >= end) return nullptr;
        at += 1 + *at;
    }
    if (at >= end || at + 1 + *at > end || *at == 0) return nullptr;
    length = *at;
    return at + 1;
}

}  // namespace

std::span<const uint8_t> CResources::Find(LPCWSTR type, LPCWSTR name) const {
    for (uint16_t language : ResourceLanguages(language_))
        if (HRSRC found = FindResourceExW(module_, type, name, language))
            return Bytes(module_, found);
    // Resources that are not translated (pictures, icons) are kept in one language.
    if (type != kRtString && type != kRtMenu && type != kRtDialog && type != kRtAccelerator)
        return Bytes(module_, FindResourceW(module_, name, type));
    return {};
}

bool CResources::HasString(int id) const {
    size_t length = 0;
    return StringInBlock(Find(kRtString, (id >> 4) + 1), id, length) != nullptr;
}

std::wstring CResources::LoadString(int id) const {
    size_t length = 0;
    const WCHAR* text = StringInBlock(Find(kRtString, (id >> 4) + 1), id, length);
    return text ? std::wstring(text, length) : std::wstring();
}

HMENU CResources::LoadMenu(int id) const {
    const auto bytes = Find(kRtMenu, id);
    return bytes.empty() ? nullptr : LoadMenuIndirectW(bytes.data());
}

HACCEL CResources::LoadAccelerators(int id) const {
    // In a module an entry is 8 bytes: flags, key, command, padding.
    const auto bytes = Find(kRtAccelerator, id);
    std::vector<ACCEL> table;
    for (size_t at = 0; at + 8 <= bytes.size(); at += 8) {
        const auto word = [&](size_t offset) {
            return static_cast<WORD>(bytes[at + offset] | bytes[at + offset + 1] << 8);
        };
        table.push_back({static_cast<BYTE>(word(0) & 0x7F), word(2), word(4)});
        if (word(0) & 0x80) break;  // the last entry
    }
    return table.empty() ? nullptr
                         : CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

HBITMAP CResources::LoadBitmap(int id) const {
    const auto bytes = Find(kRtBitmap, id);
    if (bytes.empty()) return nullptr;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data());
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const DWORD colours = header.biClrUsed ? header.biClrUsed
                                           : (header.biBitCount <= 8 ? 1u << header.biBitCount : 0);
    const uint8_t* bits = bytes.data() + header.biSize + colours * sizeof(RGBQUAD);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &header, CBM_INIT, bits, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

const DLGTEMPLATE* CResources::DialogTemplate(int id) const {
    const auto bytes = Find(kRtDialog, id);
    return bytes.empty() ? nullptr : reinterpret_cast<const DLGTEMPLATE*>(bytes.data());
}

}  // namespace vh
