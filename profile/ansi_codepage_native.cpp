#include "ansi_codepage.h"

#include "cp1252.h"
#include "utf8.h"

namespace vh {

std::string WideToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const bool high = unit >= 0xD800 && unit < 0xDC00;
        const bool low = unit >= 0xDC00 && unit < 0xE000;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            ++i;  // a pair is one character, and outside the code page
            out.push_back('?');
        } else if (high || low) {
            out.push_back('?');
        } else {
            out.push_back(UnicodeToCp1252(unit));
        }
    }
    return out;
}

std::u16string AnsiToWide(std::string_view text) {
    std::u16string out;
    for (char32_t cp : Cp1252Decode(text)) out += static_cast<char16_t>(cp);  // all in the BMP
    return out;
}

std::filesystem::path PathFromAnsi(std::string_view text) {
    std::string utf8;
    for (char32_t cp : Cp1252Decode(text)) AppendUtf8(utf8, cp);
    return std::filesystem::path(utf8);
}

}  // namespace vh
