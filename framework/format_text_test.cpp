#include "framework/format_text.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatText, EachConversionTakesTheNextArgument) {
    struct Case {
        std::u16string pattern;
        std::vector<std::u16string> args;
        std::u16string text;
    };
    const Case cases[] = {
        {u"Create Pipe failed with error %d", {u"231"}, u"Create Pipe failed with error 231"},
        {u"%s - %s", {u"a.k33", u"Varnholt Profile Editor"}, u"a.k33 - Varnholt Profile Editor"},
        {u"100%% of %ld", {u"7"}, u"100% of 7"},
        {u"%s and %s", {u"one"}, u"one and %s"},  // too few: left as written
        {u"%d", {u"1", u"2"}, u"1"},              // too many: ignored
        {u"%-5d|%", {u"3"}, u"3|%"},
        {u"no conversions", {}, u"no conversions"},
    };
    for (const Case& c : cases) EXPECT_EQ(vh::FormatText(c.pattern, c.args), c.text);
    EXPECT_EQ(vh::DecimalText(-42), u"-42");
    EXPECT_EQ(vh::VersionText(0x00020006, 0x00110000), u"2.6.17");
}

}  // namespace
