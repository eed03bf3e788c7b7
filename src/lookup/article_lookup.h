// Article lookup shared by the entry screens: what a scanned or typed code
// stands for in a store database, as plain functions over the storage layer.
// The codes of an article are in "codean" (index `keyean` by code, `codare`
// by article), the article itself in "articolo" or "listi01". The screens'
// own `anagr` procedures fill their fields from what these functions find.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/db/database.h"
#include "core/db/datalink.h"

namespace gw::lookup {

// Numbers from this one up are never internal article codes: ten digits and
// more are EANs.
inline constexpr double kFirstEanNumber = 999999999;

// A code of exactly 12 characters is an EAN-13 without its leading zero: it
// gets the zero in front. Any other code is returned as it is.
std::string WithLeadingZero(std::string_view code);

// The number a code stands for: its trimmed text read with the Italian
// conventions. Nullopt when the text is not a number, or a negative one (no
// code has a sign).
std::optional<double> CodeNumber(std::string_view code);

// A number as a code of 13 digits, leading zeros added ("0000001234567").
std::string Ean13(double number);

// In-store codes of weighed or priced goods begin with "2".
bool IsInStoreCode(std::string_view ean);

// The codes of the articles in one database's "codean".
class ArticleCodes {
 public:
  explicit ArticleCodes(db::Database& db) : db_(db) {}
  ArticleCodes(const ArticleCodes&) = delete;
  ArticleCodes& operator=(const ArticleCodes&) = delete;

  // The article's first code (the first row of index `codare`), or nullopt.
  std::optional<std::string> eanOf(int32_t codare);
  // The article a code belongs to (index `keyean`, the code compared whole,
  // blind to trailing blanks), 0 when its row names none; nullopt when the
  // code is not there.
  std::optional<int32_t> articleOf(std::string_view ean);

 private:
  db::Database& db_;
  std::optional<db::TableRecordset> by_article_;
  std::optional<db::TableRecordset> by_code_;
};

// The article of an in-store code: the first row of "codean" whose first
// seven characters have the same numeric value as the code's first seven.
// Nullopt when none has, or when those characters are no whole number.
std::optional<int32_t> InStoreArticle(db::Database& db, std::string_view ean);

// An article found by its internal code, with its first code in "codean".
struct InternalMatch {
  int32_t codcasa = 0;
  std::string ean;
};

// The internal code `number` with its last digit dropped, then with its last
// two digits dropped: the first of the two that is an article in "codean".
// REQUIRES: 0 <= number < kFirstEanNumber.
std::optional<InternalMatch> FindShortenedCode(ArticleCodes& codes, double number);

// What the code field of the order entry screen resolves to.
struct ResolvedCode {
  enum class Outcome {
    Found,     // one of the internal-code tries named an article
    NotFound,  // to be looked up as it stands: `ean` and the last `codcasa` tried
    NotACode,  // the text is no number: nothing to look up
  };
  Outcome outcome = Outcome::NotACode;
  std::string ean;      // the current code
  int32_t codcasa = 0;  // the article found, or the last code tried (0: none)
};

// The order entry's code resolution, on the store database (its "codean"
// and "articolo"). A 12-character code gets its leading zero. A number below
// kFirstEanNumber is first taken as an internal code: without its last digit
// when that digit is the EAN check digit of the number written with 13
// digits, else whole; it is sought in "codean" by article (the code becomes
// the article's first code), then in "articolo" (the code stays as typed),
// then whole in "codean" (as typed), then without its last digit and
// without its last two digits (the article's first code). Anything else, and
// a number that none of the tries finds, is the number written with 13
// digits.
ResolvedCode ResolveTypedCode(db::Database& store, std::string_view typed);

// The Down arrow of the entry screens: `link` lists the lines of the work
// table of `database` whose code is greater than `code`, in the order they
// were written, and the code of the second one is returned; with fewer than
// two, `code` itself.
std::string DownArrowCode(db::DataLink& link, const std::string& database, std::string_view table,
                          const std::string& code);

}  // namespace gw::lookup
