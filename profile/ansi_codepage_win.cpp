#include <windows.h>

#include "ansi_codepage.h"

namespace vh {

std::string WideToAnsi(std::u16string_view text) {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    // No best fit: a character the code page lacks is "?", not a look-alike.
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, nullptr, 0, "?", nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, out.data(), size, "?",
                            nullptr);
    return out;
}

std::u16string AnsiToWide(std::string_view text) {
    if (text.empty()) return {};
    const int bytes = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, nullptr, 0);
    std::u16string out(static_cast<size_t>(size > 0 ? size : 0), u'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, reinterpret_cast<wchar_t*>(out.data()),
                            size);
    return out;
}

std::filesystem::path PathFromAnsi(std::string_view text) {
    const std::u16string wide = AnsiToWide(text);
    return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
}

}  // namespace vh
