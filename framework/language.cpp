#include "framework/language.h"

#include <algorithm>

namespace vh {

namespace {

constexpr uint16_t kDanish = 0x06;
constexpr uint16_t kWithDefaultSublanguage[] = {0x07, 0x0A, 0x0C, 0x10, 0x13, 0x1D};

}  // namespace

uint16_t ChooseUiLanguage(uint16_t userDefaultUiLanguage) {
    const uint16_t primary = userDefaultUiLanguage & 0xFF;
    if (primary == kDanish) return kDanish;
    if (std::ranges::find(kWithDefaultSublanguage, primary) != std::end(kWithDefaultSublanguage))
        return primary + 0x400;
    return kEnglishUs;
}

std::vector<uint16_t> ResourceLanguages(uint16_t language) {
    std::vector<uint16_t> chain;
    for (uint16_t candidate : {language, PrimaryLanguage(language), kEnglishUs})
        if (candidate != 0 && std::ranges::find(chain, candidate) == chain.end())
            chain.push_back(candidate);
    return chain;
}

const std::vector<CatalogLanguage>& CatalogLanguages() {
    static const std::vector<CatalogLanguage> languages = {
        {"en", kEnglishUs}, {"da", 0x06}, {"de", 0x07}, {"es", 0x0A},
        {"fr", 0x0C},       {"it", 0x10}, {"nl", 0x13}, {"sv", 0x1D},
    };
    return languages;
}

}  // namespace vh
