// The language a program shows itself in, chosen once at start from the user's
// interface language, and where a resource of that language is looked for.
#pragma once

#include <cstdint>
#include <vector>

namespace vh {

inline constexpr uint16_t kEnglishUs = 0x0409;

inline constexpr uint16_t PrimaryLanguage(uint16_t language) {
    return language & 0x3FF;
}

// Danish stays 6 (its neutral form); German, Spanish, French, Italian, Dutch and
// Swedish become their default sublanguage; anything else is English (US).
uint16_t ChooseUiLanguage(uint16_t userDefaultUiLanguage);

// The order in which a resource is looked for: the language itself, its neutral
// form (where the translations are kept), then English. Never the language-neutral
// 0, so that a stray neutral copy cannot shadow a translation.
std::vector<uint16_t> ResourceLanguages(uint16_t language);

// The eight languages the programs carry, with the id their resources are kept
// under and the catalogue's name.
struct CatalogLanguage {
    const char* name;  // "de"; "en" for the reference
    uint16_t resourceLanguage;
};
const std::vector<CatalogLanguage>& CatalogLanguages();

}  // namespace vh
