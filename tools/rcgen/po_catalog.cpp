#include "po_catalog.h"

#include <optional>
#include <vector>

namespace vh {

namespace {

class PoParser {
  public:
    explicit PoParser(std::string_view text) : text_(text) {}

    Catalog Parse() {
        Catalog catalog;
        std::optional<std::string> context, id, str;
        std::string* last = nullptr;
        const auto finish = [&] {
            if (id && !str) Fail("msgid without msgstr");
            if (id && !id->empty() && !str->empty()) {
                MessageKey key{context.value_or(""), *id};
                if (!catalog.emplace(key, *str).second) Fail("\"" + *id + "\" appears twice");
            }
            context.reset();
            id.reset();
            str.reset();
            last = nullptr;
        };
        for (std::string_view line; NextLine(line);) {
            if (line.empty() || line[0] == '#') {
                if (line.empty()) last = nullptr;
                continue;
            }
            if (line[0] == '"') {
                if (!last) Fail("a continued string without its keyword");
                *last += Quoted(line);
                continue;
            }
            const size_t space = line.find(' ');
            const std::string_view keyword = line.substr(0, space);
            const std::string_view rest =
                space == std::string_view::npos ? "" : line.substr(space + 1);
            if (keyword == "msgctxt") {
                if (id) finish();
                context = Quoted(rest);
                last = &*context;
            } else if (keyword == "msgid") {
                if (id) finish();
                id = Quoted(rest);
                last = &*id;
            } else if (keyword == "msgstr") {
                if (!id || str) Fail("msgstr without msgid");
                str = Quoted(rest);
                last = &*str;
            } else {
                Fail("unknown keyword \"" + std::string(keyword) + "\"");
            }
        }
        finish();
        return catalog;
    }

  private:
    bool NextLine(std::string_view& line) {
        if (at_ >= text_.size()) return false;
        size_t end = text_.find('\n', at_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(at_, end - at_);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        at_ = end + 1;
        ++number_;
        return true;
    }

    [[noreturn]] void Fail(const std::string& why) const {
        throw CatalogError("line " + std::to_string(number_) + ": " + why);
    }

    // A "..." string with C escapes.
    std::string Quoted(std::string_view s) const {
        while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
        if (s.size() < 2 || s.front() != '"' || s.back() != '"') Fail("expected a quoted string");
        s = s.substr(1, s.size() - 2);
        std::string out;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '"') Fail("a quote inside a string must be \\\"");
            if (s[i] != '\\') {
                out += s[i];
                continue;
            }
            if (++i == s.size()) Fail("a string ends in a lone backslash");
            switch (s[i]) {
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
                    Fail(std::string("unknown escape \\") + s[i]);
            }
        }
        return out;
    }

    std::string_view text_;
    size_t at_ = 0;
    int number_ = 0;
};

}  // namespace

Catalog ParsePoCatalog(std::string_view text) {
    return PoParser(text).Parse();
}

std::string RcQuoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\"\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

}  // namespace vh
