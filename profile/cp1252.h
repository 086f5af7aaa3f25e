// Windows-1252, the code page profiles are written in on Western systems. The five
// bytes it leaves undefined map to the C1 control with the same number, so that
// every byte string survives a round trip through Unicode.
#pragma once

#include <string>
#include <string_view>

namespace vh {

char32_t Cp1252ToUnicode(unsigned char byte);
// The byte for a code point, or '?' when Windows-1252 cannot hold it.
char UnicodeToCp1252(char32_t cp);

std::u32string Cp1252Decode(std::string_view bytes);
std::string Cp1252Encode(std::u32string_view text);

}  // namespace vh
