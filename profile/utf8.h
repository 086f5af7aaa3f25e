// UTF-8, the text of the suite's own files and command lines, to and from the
// code points and UTF-16 that profiles and Windows hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vh {

void AppendUtf8(std::string& out, char32_t cp);
// Nothing for text that is not well-formed UTF-8 (overlong forms and surrogates
// included).
std::optional<std::u32string> DecodeUtf8(std::string_view text);

// Ill-formed input becomes U+FFFD, so a name read from a file is always shown.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace vh
