#include "framework/format_text.h"

#include <string_view>

namespace vh {

std::u16string FormatText(const std::u16string& pattern, const std::vector<std::u16string>& args) {
    std::u16string out;
    size_t next = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != u'%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        if (pattern[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        // Flags, width, precision and size, then the conversion letter.
        size_t end = i + 1;
        while (end < pattern.size() &&
               std::u16string_view(u"-+ #0123456789.lhI").find(pattern[end]) !=
                   std::u16string_view::npos)
            ++end;
        if (end == pattern.size() || next == args.size()) {
            out += pattern.substr(i, end - i + (end < pattern.size()));
            i = end;
            continue;
        }
        out += args[next++];
        i = end;
    }
    return out;
}

std::u16string DecimalText(int64_t value) {
    std::u16string out;
    for (char c : std::to_string(value)) out += static_cast<char16_t>(c);
    return out;
}

std::u16string VersionText(uint32_t mostSignificant, uint32_t leastSignificant) {
    return DecimalText(mostSignificant >> 16) + u"." + DecimalText(mostSignificant & 0xFFFF) +
           u"." + DecimalText(leastSignificant >> 16);
}

}  // namespace vh
