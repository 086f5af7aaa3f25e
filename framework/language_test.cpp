#include "framework/language.h"

#include <gtest/gtest.h>

namespace {

TEST(Language, ChoiceKeepsTheEightAndSendsEveryOtherToEnglish) {
    const std::pair<uint16_t, uint16_t> cases[] = {
        {0x0406, 0x0006},                    // Danish (Denmark)
        {0x0006, 0x0006}, {0x0407, 0x0407},  // German (Germany)
        {0x0807, 0x0407},                    // German (Switzerland) too
        {0x0C0A, 0x040A},                    // Spanish (modern sort)
        {0x080C, 0x040C},                    // French (Belgium)
        {0x0410, 0x0410},                    // Italian
        {0x0813, 0x0413},                    // Dutch (Belgium)
        {0x041D, 0x041D},                    // Swedish
        {0x081D, 0x041D},                    // Swedish (Finland)
        {0x0809, 0x0409},                    // English (UK)
        {0x0411, 0x0409},                    // Japanese
        {0x0414, 0x0409},                    // Norwegian
        {0x0000, 0x0409},
    };
    for (const auto& [user, chosen] : cases)
        EXPECT_EQ(vh::ChooseUiLanguage(user), chosen) << std::hex << user;
}

TEST(Language, ResourcesAreLookedForInTheLanguageItsNeutralFormThenEnglish) {
    EXPECT_EQ(vh::ResourceLanguages(0x0407), (std::vector<uint16_t>{0x0407, 0x0007, 0x0409}));
    EXPECT_EQ(vh::ResourceLanguages(0x0006), (std::vector<uint16_t>{0x0006, 0x0409}));
    EXPECT_EQ(vh::ResourceLanguages(0x0409), (std::vector<uint16_t>{0x0409, 0x0009}));
    // Every catalogue language's resources are found from the language chosen for it.
    for (const vh::CatalogLanguage& l : vh::CatalogLanguages()) {
        const uint16_t chosen = vh::ChooseUiLanguage(l.resourceLanguage | 0x0400);
        const auto chain = vh::ResourceLanguages(chosen);
        EXPECT_NE(std::find(chain.begin(), chain.end(), l.resourceLanguage), chain.end()) << l.name;
    }
}

}  // namespace
