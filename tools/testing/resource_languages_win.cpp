#include "resource_languages_win.h"

#include <span>

#include "framework/language.h"
#include "framework/resources_win.h"

namespace vh::test {

namespace {

struct Named {
    LPCWSTR type;
    const char* kind;
};

std::span<const uint8_t> Resource(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
    HRSRC found = FindResourceExW(module, type, name, language);
    if (!found) return {};
    const void* data = LockResource(LoadResource(module, found));
    return {static_cast<const uint8_t*>(data), SizeofResource(module, found)};
}

// The lengths of the sixteen strings of a string block.
std::vector<int> StringLengths(std::span<const uint8_t> block) {
    std::vector<int> lengths;
    const auto* at = reinterpret_cast<const WCHAR*>(block.data());
    const WCHAR* end = at + block.size() / 2;
    while (at < end && lengths.size() < 16) {
        lengths.push_back(*at);
        at += 1 + *at;
    }
    lengths.resize(16, 0);
    return lengths;
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR context) {
    // Only numbered resources are used by the programs.
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<WORD>*>(context)->push_back(
            static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

}  // namespace

std::vector<std::string> MissingTranslations(HMODULE module) {
    std::vector<std::string> missing;
    for (const Named& type : {Named{kRtString, "string"}, Named{kRtDialog, "dialog"},
                              Named{kRtMenu, "menu"}, Named{kRtAccelerator, "accelerators"}}) {
        std::vector<WORD> names;
        EnumResourceNamesW(module, type.type, CollectName, reinterpret_cast<LONG_PTR>(&names));
        for (WORD name : names) {
            const auto english = Resource(module, type.type, MAKEINTRESOURCEW(name), kEnglishUs);
            if (english.empty()) continue;
            for (const CatalogLanguage& language : CatalogLanguages()) {
                const auto translated =
                    Resource(module, type.type, MAKEINTRESOURCEW(name), language.resourceLanguage);
                if (type.type != kRtString) {
                    if (translated.empty())
                        missing.push_back(std::string(type.kind) + " " + std::to_string(name) +
                                          " " + language.name);
                    continue;
                }
                const auto want = StringLengths(english), have = StringLengths(translated);
                for (int i = 0; i < 16; ++i)
                    if (want[i] && !have[i])
                        missing.push_back("string " + std::to_string((name - 1) * 16 + i) + " " +
                                          language.name);
            }
        }
    }
    return missing;
}

}  // namespace vh::test
