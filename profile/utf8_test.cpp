#include "profile/utf8.h"

#include <gtest/gtest.h>

#include "profile/ansi_codepage.h"

namespace {

TEST(Utf8, ConvertsToUtf16AndBackWithReplacementForIllFormedInput) {
    struct Case {
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"", u""},
        {"Key 1", u"Key 1"},
        {"\xC3\xA9t\xC3\xA9", u"\u00E9t\u00E9"},
        {"\xE2\x82\xAC", u"\u20AC"},
        {"\xF0\x9F\x8E\xAE", u"\U0001F3AE"},      // beyond the BMP: a surrogate pair
        {"a\xFFz", u"a\uFFFDz"},                  // a stray byte
        {"\xC0\xAF", u"\uFFFD\uFFFD"},            // overlong
        {"\xE2\x82", u"\uFFFD\uFFFD"},            // cut short
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vh::Utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
        if (c.utf16.find(u'\uFFFD') == std::u16string::npos) {
            EXPECT_EQ(vh::Utf16ToUtf8(c.utf16), c.utf8);
        }
    }
    EXPECT_EQ(vh::Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");  // a lone surrogate
}

}  // namespace

namespace {

// Western systems (and Wine here) use Windows-1252 as the ANSI code page.
TEST(AnsiCodePage, ConvertsBothWaysAndNamesFiles) {
    EXPECT_EQ(vh::AnsiToWide("caf\xE9 \x80"), u"caf\u00E9 \u20AC");
    EXPECT_EQ(vh::WideToAnsi(u"caf\u00E9 \u20AC"), "caf\xE9 \x80");
    EXPECT_EQ(vh::PathFromAnsi("Profiles/caf\xE9.k33").filename().u16string(), u"caf\u00E9.k33");
}

}  // namespace
