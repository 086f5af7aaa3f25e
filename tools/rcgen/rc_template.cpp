#include "rc_template.h"

#include <algorithm>

namespace vh {

namespace {

// Reads a C string literal at text[at] (which is '"'); returns its value and moves
// `at` past it. Nothing when it is not a well-formed literal on one line.
std::optional<std::string> Literal(std::string_view text, size_t& at) {
    if (at >= text.size() || text[at] != '"') return std::nullopt;
    std::string out;
    for (size_t i = at + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') return std::nullopt;
        if (c == '"') {
            at = i + 1;
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

void SkipSpaces(std::string_view text, size_t& at) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
}

std::vector<std::string> Conversions(const std::string& s) {
    std::vector<std::string> out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') continue;
        if (i + 1 < s.size() && s[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t end = i + 1;
        while (end < s.size() &&
               std::string_view("-+ #0123456789.lhI").find(s[end]) != std::string_view::npos)
            ++end;
        if (end < s.size()) out.push_back(s.substr(i, end - i + 1));
        i = end;
    }
    return out;
}

int Mnemonics(const std::string& s) {
    int n = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '&') continue;
        if (i + 1 < s.size() && s[i + 1] == '&')
            ++i;
        else
            ++n;
    }
    return n;
}

}  // namespace

CRcTemplate::CRcTemplate(std::string name, std::string_view text) : name_(std::move(name)) {
    int line = 1;
    size_t at = 0;
    // The header: directive and blank lines at the start.
    while (at < text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view l = text.substr(at, end - at);
        if (!l.starts_with("#") && l.find_first_not_of(" \t\r") != std::string_view::npos) break;
        header_.append(l);
        header_ += '\n';
        at = end + 1;
        ++line;
    }
    const auto fail = [&](const std::string& why) {
        throw CatalogError(name_ + ":" + std::to_string(line) + ": " + why);
    };
    std::string verbatim;
    bool lineStart = true;
    while (at < text.size()) {
        const char c = text[at];
        if (lineStart && c == '#') fail("directives belong at the start of the file");
        if (c == '_' && (text.substr(at, 2) == "_(" || text.substr(at, 3) == "_C(") &&
            (at == 0 ||
             !(std::isalnum(static_cast<unsigned char>(text[at - 1])) || text[at - 1] == '_'))) {
            const bool withContext = text[at + 1] == 'C';
            size_t p = at + (withContext ? 3 : 2);
            MessageKey key;
            SkipSpaces(text, p);
            auto first = Literal(text, p);
            if (!first) fail("a marked text must be a string literal on one line");
            if (withContext) {
                SkipSpaces(text, p);
                if (p >= text.size() || text[p] != ',') fail("_C takes a context and a text");
                ++p;
                SkipSpaces(text, p);
                auto second = Literal(text, p);
                if (!second) fail("a marked text must be a string literal on one line");
                key = {*first, *second};
            } else {
                key = {"", *first};
            }
            SkipSpaces(text, p);
            if (p >= text.size() || text[p] != ')') fail("a mark ends with )");
            if (key.text.empty()) fail("an empty text needs no translation");
            pieces_.push_back({std::move(verbatim), key});
            texts_.push_back({key, line});
            verbatim.clear();
            at = p + 1;
            lineStart = false;
            continue;
        }
        verbatim += c;
        lineStart = c == '\n';
        if (c == '\n') ++line;
        ++at;
    }
    pieces_.push_back({std::move(verbatim), std::nullopt});
}

std::string CRcTemplate::Render(const Catalog* catalog) const {
    std::string out;
    std::string missing;
    for (const Piece& piece : pieces_) {
        out += piece.verbatim;
        if (!piece.key) continue;
        const std::string* text = &piece.key->text;
        if (catalog) {
            const auto it = catalog->find(*piece.key);
            if (it == catalog->end()) {
                missing += "\n  " + RcQuoted(piece.key->text);
                if (!piece.key->context.empty()) missing += " (" + piece.key->context + ")";
                continue;
            }
            text = &it->second;
        }
        out += RcQuoted(*text);
    }
    if (!missing.empty()) throw CatalogError(name_ + ": untranslated:" + missing);
    return out;
}

std::vector<std::string> TranslationProblems(const std::string& english,
                                             const std::string& translation) {
    std::vector<std::string> problems;
    if (Conversions(english) != Conversions(translation))
        problems.push_back("its % conversions differ from the English");
    for (char c : {'\n', '\t'})
        if (std::count(english.begin(), english.end(), c) !=
            std::count(translation.begin(), translation.end(), c))
            problems.push_back(c == '\n' ? "it has another number of line breaks"
                                         : "it has another number of tabs");
    const int mnemonics = Mnemonics(english);
    if (Mnemonics(translation) != mnemonics)
        problems.push_back(mnemonics ? "it needs exactly one & mnemonic"
                                     : "it has an & the English lacks");
    return problems;
}

}  // namespace vh
