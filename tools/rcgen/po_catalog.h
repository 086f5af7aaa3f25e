// A translation catalogue: the pairs of English text (with an optional context)
// and its translation, in the PO form translators know.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace vh {

struct MessageKey {
    std::string context;  // empty for none
    std::string text;     // the English text
    auto operator<=>(const MessageKey&) const = default;
};

class CatalogError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

using Catalog = std::map<MessageKey, std::string>;

// Entries of msgctxt/msgid/msgstr with "..." continuation lines and C escapes;
// comments and flags are skipped; the header entry (empty msgid) is dropped. An
// entry with an empty msgstr is left out: it is untranslated. Throws CatalogError
// "line N: ..." for anything else.
Catalog ParsePoCatalog(std::string_view text);

// Text as a quoted string in a resource script: quotes doubled, backslash and
// control characters escaped as the resource compiler reads them.
std::string RcQuoted(std::string_view text);

}  // namespace vh
