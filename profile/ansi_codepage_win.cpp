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

}  // namespace vh
