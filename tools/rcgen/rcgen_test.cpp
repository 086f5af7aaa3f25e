#include <gtest/gtest.h>

#include "po_catalog.h"
#include "rc_template.h"

namespace {

TEST(PoCatalog, ReadsEntriesWithContextsContinuationsAndEscapes) {
    const vh::Catalog catalog = vh::ParsePoCatalog(
        "# German\n"
        "msgid \"\"\n"
        "msgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n"
        "\n"
        "msgid \"&File\"\n"
        "msgstr \"&Datei\"\n"
        "\n"
        "msgctxt \"Mode menu\"\n"
        "msgid \"&Normal\"\n"
        "msgstr \"&Normal\"\n"
        "\r\n"
        "#, fuzzy\n"
        "msgid \"Do you wish to save\\n\"\n"
        "\"your \\\"work\\\" first?\"\n"
        "msgstr \"Zuerst\\tspeichern?\\\\\"\n"
        "\n"
        "msgid \"Untranslated\"\n"
        "msgstr \"\"\n");
    ASSERT_EQ(catalog.size(), 3u);
    EXPECT_EQ(catalog.at({"", "&File"}), "&Datei");
    EXPECT_EQ(catalog.at({"Mode menu", "&Normal"}), "&Normal");
    EXPECT_EQ(catalog.at({"", "Do you wish to save\nyour \"work\" first?"}),
              "Zuerst\tspeichern?\\");
    EXPECT_FALSE(catalog.count({"", "Untranslated"}));

    const std::pair<const char*, const char*> bad[] = {
        {"msgstr \"x\"", "line 1: msgstr without msgid"},
        {"msgid \"a\"\nmsgid \"b\"\nmsgstr \"c\"", "line 2: msgid without msgstr"},
        {"msgid \"a\"\nmsgstr \"b\"\nmsgid \"a\"\nmsgstr \"c\"", "line 4: \"a\" appears twice"},
        {"msgid a\nmsgstr \"b\"", "line 1: expected a quoted string"},
        {"msgid \"a\\q\"", "line 1: unknown escape \\q"},
        {"\"orphan\"", "line 1: a continued string without its keyword"},
        {"msgfoo \"a\"", "line 1: unknown keyword \"msgfoo\""},
    };
    for (const auto& [text, error] : bad) {
        try {
            vh::ParsePoCatalog(text);
            ADD_FAILURE() << text;
        } catch (const vh::CatalogError& e) {
            EXPECT_STREQ(e.what(), error) << text;
        }
    }
}

TEST(RcTemplate, WritesTheHeaderOnceAndEachLanguagesTexts) {
    const vh::CRcTemplate t("test.rc.in",
                            "#include \"ids.h\"\n"
                            "\n"
                            "STRINGTABLE\nBEGIN\n"
                            "    5010, _(\"Do you wish to save your work first?\")\n"
                            "    5088, \"vhedit\"\n"
                            "    8195, _(\"Unable to save file.\\nNo \\\"permission\\\".\")\n"
                            "END\n"
                            "MENUITEM _C(\"Mode menu\", \"&Normal\"), 32778\n");
    EXPECT_EQ(t.Header(), "#include \"ids.h\"\n\n");
    ASSERT_EQ(t.Texts().size(), 3u);
    EXPECT_EQ(t.Texts()[2].key.context, "Mode menu");
    EXPECT_EQ(t.Texts()[2].line, 9);

    EXPECT_EQ(t.Render(nullptr),
              "STRINGTABLE\nBEGIN\n"
              "    5010, \"Do you wish to save your work first?\"\n"
              "    5088, \"vhedit\"\n"
              "    8195, \"Unable to save file.\\nNo \"\"permission\"\".\"\n"
              "END\n"
              "MENUITEM \"&Normal\", 32778\n");

    vh::Catalog german = {
        {{"", "Do you wish to save your work first?"}, "Möchten Sie zuerst speichern?"},
        {{"", "Unable to save file.\nNo \"permission\"."},
         "Speichern nicht möglich.\n\"Keine\" Rechte."},
    };
    try {
        t.Render(&german);
        ADD_FAILURE() << "rendered with a text missing";
    } catch (const vh::CatalogError& e) {
        EXPECT_STREQ(e.what(), "test.rc.in: untranslated:\n  \"&Normal\" (Mode menu)");
    }
    german[{"Mode menu", "&Normal"}] = "&Normal";
    const std::string rendered = t.Render(&german);
    EXPECT_NE(rendered.find("5010, \"Möchten Sie zuerst speichern?\""), std::string::npos);
    EXPECT_NE(rendered.find("\"Speichern nicht möglich.\\n\"\"Keine\"\" Rechte.\""),
              std::string::npos);

    for (const char* bad :
         {"X _(\"a\" \n", "X _(a)\n", "X _C(\"c\")\n", "X _(\"\")\n", "X\n#define A 1\n"}) {
        EXPECT_THROW(vh::CRcTemplate("bad", bad), vh::CatalogError) << bad;
    }
    // Only a whole-word mark counts.
    EXPECT_TRUE(vh::CRcTemplate("ok", "IDC_X_(\"no mark\")\n").Texts().empty());
}

TEST(RcTemplate, TranslationProblemsCatchBrokenFormatsAndMnemonics) {
    struct Case {
        const char* english;
        const char* translation;
        size_t problems;
    };
    const Case cases[] = {
        {"&New\tCtrl+N", "&Neu\tStrg+N", 0},
        {"&New\tCtrl+N", "Neu\tStrg+N", 1},  // mnemonic lost
        {"&New\tCtrl+N", "&Neu Strg+N", 1},  // tab lost
        {"Save &As...", "Speichern &unter...", 0},
        {"Cmd %d of %s", "%s: Befehl %d", 1},  // conversions reordered
        {"100%% done", "100 %% fertig", 0},
        {"\nRed Shift", "\nRote Umschaltung", 0},
        {"\nRed Shift", "Rote Umschaltung", 1},  // tooltip split lost
        {"Salt && Pepper", "Salz && Pfeffer", 0},
        {"Salt && Pepper", "Salz & Pfeffer", 1},  // a stray mnemonic
    };
    for (const Case& c : cases)
        EXPECT_EQ(vh::TranslationProblems(c.english, c.translation).size(), c.problems)
            << c.english << " / " << c.translation;
}

TEST(RcText, QuotesForTheResourceCompiler) {
    EXPECT_EQ(vh::RcQuoted("a\"b\\c\nd\te"), "\"a\"\"b\\\\c\\nd\\te\"");
}

}  // namespace
