// A resource script with its user-visible texts marked for translation:
//   CAPTION _("About Varnholt Profile Editor")
//   MENUITEM _C("Mode menu", "&Normal"), 32778
// Lines of preprocessor directives at its start are written once; the rest is
// written once per language with every marked text replaced by its translation.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "po_catalog.h"

namespace vh {

struct MarkedText {
    MessageKey key;
    int line = 0;
};

class CRcTemplate {
  public:
    // Throws CatalogError "NAME:LINE: ..." for a malformed mark or a directive
    // after the header.
    CRcTemplate(std::string name, std::string_view text);

    const std::string& Header() const { return header_; }
    const std::vector<MarkedText>& Texts() const { return texts_; }
    // The body with every mark replaced: by its English text without a catalogue,
    // else by the catalogue's translation. Throws CatalogError listing every text
    // the catalogue lacks.
    std::string Render(const Catalog* catalog) const;

  private:
    struct Piece {
        std::string verbatim;           // text before the mark
        std::optional<MessageKey> key;  // the mark, if any
    };
    std::string name_;
    std::string header_;
    std::vector<Piece> pieces_;
    std::vector<MarkedText> texts_;
};

// What is wrong with a translation of `english`: the printf conversions must be
// the same and in the same order, line breaks and tabs as many, and a mnemonic
// ("&x") present exactly when the English has one. Empty when it is fine.
std::vector<std::string> TranslationProblems(const std::string& english,
                                             const std::string& translation);

}  // namespace vh
