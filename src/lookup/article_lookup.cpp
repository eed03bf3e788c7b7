// Resolving codes to articles over "codean" and "articolo".
#include "lookup/article_lookup.h"

#include <cmath>

#include "core/db/datalink.h"
#include "core/vb/codes.h"
#include "core/vb/vb.h"

namespace gw::lookup {
namespace {

constexpr size_t kInStorePrefix = 7;

int32_t ArticleCode(const Value& codare) {
  return codare.isNull() ? 0 : vb::CLng(codare);
}

int32_t WholePart(double number) {
  return static_cast<int32_t>(std::trunc(number));
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool IsArticle(db::Database& store, int32_t codart) {
  db::TableRecordset articolo = store.openTable("articolo");
  articolo.setIndex("primary");
  articolo.seek(Value(codart));
  return !articolo.noMatch();
}

std::optional<int32_t> FirstArticle(db::Database& db, const db::Query& query) {
  db::QueryRecordset rows(db, query.sql, query.params);
  if (rows.eof()) return std::nullopt;
  return ArticleCode(rows.field("codare"));
}

}  // namespace

std::string WithLeadingZero(std::string_view code) {
  std::string out(vb::Len(code) == 12 ? 1 : 0, '0');
  out.append(code);
  return out;
}

std::optional<double> CodeNumber(std::string_view code) {
  double number = 0;
  if (!vb::TryCDbl(vb::Trim(code), number) || number < 0) return std::nullopt;
  return number;
}

std::string Ean13(double number) {
  return vb::Format(Value(number), "0000000000000");
}

bool IsInStoreCode(std::string_view ean) {
  return !ean.empty() && ean.front() == '2';
}

std::optional<std::string> ArticleCodes::eanOf(int32_t codare) {
  if (!by_article_) {
    by_article_.emplace(db_.openTable("codean"));
    by_article_->setIndex("codare");
  }
  by_article_->seek(Value(codare));
  if (by_article_->noMatch()) return std::nullopt;
  return by_article_->field("eanare").toText();
}

std::optional<int32_t> ArticleCodes::articleOf(std::string_view ean) {
  if (!by_code_) {
    by_code_.emplace(db_.openTable("codean"));
    by_code_->setIndex("keyean");
  }
  by_code_->seek(Value(ean));
  if (by_code_->noMatch()) return std::nullopt;
  return ArticleCode(by_code_->field("codare"));
}

std::optional<int32_t> InStoreArticle(db::Database& db, std::string_view ean) {
  const std::string prefix = vb::RTrim(vb::Left(ean, kInStorePrefix));
  if (!AllDigits(prefix)) return std::nullopt;
  if (prefix.size() == kInStorePrefix && prefix.front() != '0') {
    // Seven digits without a leading zero equal only themselves as numbers:
    // the codes beginning with them, found through the index on the code.
    // The bound after them raises the last digit past '9' if need be, since
    // ':' follows '9'.
    std::string after = prefix;
    ++after.back();
    return FirstArticle(
        db, {"SELECT codare FROM codean WHERE eanare >= ? AND eanare < ?", {prefix, after}});
  }
  return FirstArticle(db, {"SELECT codare FROM codean WHERE val(mid(eanare,1,7)) = ?",
                           {Value(static_cast<int64_t>(std::stoll(prefix)))}});
}

std::optional<InternalMatch> FindShortenedCode(ArticleCodes& codes, double number) {
  for (double divisor : {10.0, 100.0}) {
    const int32_t codcasa = WholePart(number / divisor);
    if (auto ean = codes.eanOf(codcasa)) return InternalMatch{codcasa, *ean};
  }
  return std::nullopt;
}

ResolvedCode ResolveTypedCode(db::Database& store, std::string_view typed) {
  const std::string code = vb::Trim(WithLeadingZero(typed));
  ResolvedCode result;
  const std::optional<double> number = CodeNumber(code);
  if (!number) return result;
  result.outcome = ResolvedCode::Outcome::NotFound;
  auto found = [&result](std::string ean) {
    result.outcome = ResolvedCode::Outcome::Found;
    result.ean = std::move(ean);
    return result;
  };

  if (*number < kFirstEanNumber) {
    ArticleCodes codes(store);
    const int32_t whole = vb::CLng(Value(*number));
    // A last digit that is the check digit of the number as an EAN-13 is
    // taken off; the code without it is the article code.
    Value padded(Ean13(*number));
    const std::string checked = EanCheck(padded);
    const bool check_digit = !checked.empty() && checked.back() == code.back();
    result.codcasa = check_digit ? static_cast<int32_t>(vb::Val(vb::Mid(checked, 2, 11))) : whole;

    if (auto ean = codes.eanOf(result.codcasa)) return found(*ean);
    if (IsArticle(store, result.codcasa)) return found(code);
    result.codcasa = whole;
    if (codes.eanOf(result.codcasa)) return found(code);
    if (auto match = FindShortenedCode(codes, *number)) {
      result.codcasa = match->codcasa;
      return found(match->ean);
    }
    result.codcasa = WholePart(*number / 100);
  }
  result.ean = Ean13(*number);
  return result;
}

std::string DownArrowCode(db::DataLink& link, const std::string& database, std::string_view table,
                          const std::string& code) {
  link.DatabaseName = database;
  link.RecordSource = {"SELECT * FROM " + std::string(table) + " where eanrig > ? ", {Value(code)}};
  link.Refresh();
  db::QueryRecordset& lines = link.Recordset();
  if (lines.eof()) return code;
  lines.moveNext();
  return lines.eof() ? code : lines.field("eanrig").toText();
}

}  // namespace gw::lookup
