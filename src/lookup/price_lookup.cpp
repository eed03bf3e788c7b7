// Prices, offers and margins from "listi01".
#include "lookup/price_lookup.h"

#include "core/db/recordset.h"
#include "core/vb/vb.h"
#include "lookup/article_lookup.h"

namespace gw::lookup {
namespace {

bool Zero(const Value& v) {
  return !v.isNull() && v.toDouble() == 0;
}

// The day is within [from, to]; false when either is not set.
bool Within(const Value& from, DateTime day, const Value& to) {
  const std::optional<int> after_start = db::CompareValues(Value(day), from);
  const std::optional<int> before_end = db::CompareValues(Value(day), to);
  return after_start && before_end && *after_start >= 0 && *before_end <= 0;
}

}  // namespace

bool IsVatRate(const Value& rate) {
  return vb::IsNumeric(rate) && vb::CDbl(rate) < 50;
}

Value WithVat(const Value& cost, const Value& rate) {
  if (cost.isNull()) return cost;
  const double amount = cost.toDouble();
  return Value(amount + vb::Round(amount * (vb::CDbl(rate) / 100), 2));
}

std::optional<ListPrice> FindListPrice(db::Database& db, std::string_view ean) {
  ArticleCodes codes(db);
  const std::optional<int32_t> codare = codes.articleOf(ean);
  if (!codare || *codare == 0) return std::nullopt;
  db::TableRecordset listi01 = db.openTable("listi01");
  listi01.setIndex("primary");
  listi01.seek(Value(*codare));
  if (listi01.noMatch()) return std::nullopt;
  return ListPrice{listi01.field("przpub"), listi01.field("ivart"),  listi01.field("cofart"),
                   listi01.field("przsal"), listi01.field("cosoff"), listi01.field("data1"),
                   listi01.field("data2")};
}

bool OfferRuns(const ListPrice& price, DateTime today) {
  return Within(price.data1, today, price.data2) && !price.przsal.isNull() && !Zero(price.przsal);
}

PriceTexts ShowListPrice(const ListPrice& price, std::optional<DateTime> offer_day) {
  PriceTexts texts;
  texts.prezzo = vb::Format(price.przpub, kPriceFormat);
  const bool vat = IsVatRate(price.ivart);
  if (vat) texts.costo = vb::Format(WithVat(price.cofart, price.ivart), kPriceFormat);
  const bool offer =
      offer_day ? OfferRuns(price, *offer_day) : !price.przsal.isNull() && !Zero(price.przsal);
  if (offer) {
    texts.offerta = vb::Format(price.przsal, kPriceFormat);
    if (vat) texts.costo = vb::Format(WithVat(price.cosoff, price.ivart), kPriceFormat);
  }
  return texts;
}

std::string MarginPercent(double price, double cost, double base) {
  return vb::Format(Value((price - cost) / base * 100), kMarginFormat);
}

std::optional<std::string> MarginText(std::string_view price, std::string_view cost,
                                      std::string_view offer, const Value& przpub) {
  const double sale = Value(price).toDouble();
  const double paid = Value(cost).toDouble();
  if (vb::Val(offer) != 0) return MarginPercent(sale, paid, Value(offer).toDouble());
  if (!przpub.isNull() && !Zero(przpub)) return MarginPercent(sale, paid, przpub.toDouble());
  return std::nullopt;
}

std::optional<SupplierCodePrice> FindBySupplierCode(db::Database& db, int32_t codcasa) {
  db::QueryRecordset rows(db, "SELECT przpub, cosiva FROM listi01 WHERE trim(codafo) = ?",
                          {Value(vb::Format(Value(codcasa), "000000000"))});
  if (rows.eof()) return std::nullopt;
  return SupplierCodePrice{rows.field("przpub"), rows.field("cosiva")};
}

}  // namespace gw::lookup
