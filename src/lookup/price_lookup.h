// Price lookup shared by the entry screens: an article's sale price, its
// cost with VAT, the running offer and the margin, from price list 01
// ("listi01") of a store database, and the texts the screens show them in.
// Which fields a screen fills, and when, is the screen's own `l_prezzo`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/db/database.h"
#include "core/vb/value.h"

namespace gw::lookup {

inline constexpr std::string_view kPriceFormat = "##,##0.00";
inline constexpr std::string_view kMarginFormat = "##0.00";

// VAT rates from 50 up are codes, not rates, and add nothing; Null and a
// text that is no number are no rate either.
bool IsVatRate(const Value& rate);

// cost + cost × rate / 100 rounded to 2 decimals; Null when the cost is.
// REQUIRES: IsVatRate(rate).
Value WithVat(const Value& cost, const Value& rate);

// The figures of an article's price-list row.
struct ListPrice {
  Value przpub;  // sale price
  Value ivart;   // VAT rate
  Value cofart;  // supplier cost without VAT
  Value przsal;  // offer sale price
  Value cosoff;  // offer cost without VAT
  Value data1;   // first and last day of the offer
  Value data2;
};

// The price-list row of the article that `ean` belongs to in the "codean"
// of the same database. Nullopt when the code is not there, names article 0
// or an article without a row.
std::optional<ListPrice> FindListPrice(db::Database& db, std::string_view ean);

// The offer runs on `today`: both days set, data1 <= today <= data2, and an
// offer price that is neither Null nor 0.
bool OfferRuns(const ListPrice& price, DateTime today);

// The texts of a price-list row as the entry screens show them.
struct PriceTexts {
  std::string prezzo;                  // sale price
  std::optional<std::string> costo;    // cost with VAT: only when the rate is one
  std::optional<std::string> offerta;  // offer price: only when an offer runs
};

// The sale price; the cost with VAT; and, with an offer, its price and (when
// the rate is one) its cost with VAT in place of the regular cost. Without
// `offer_day` an offer price counts whatever its days.
PriceTexts ShowListPrice(const ListPrice& price, std::optional<DateTime> offer_day);

// (price − cost) / base × 100, formatted "##0.00".
std::string MarginPercent(double price, double cost, double base);

// The margin from the texts of a screen's price, cost and offer fields (read
// back as Italian numbers): over the offer when its value (read with Val) is
// not 0, else over the list price `przpub` when that is not 0; nullopt when
// neither.
std::optional<std::string> MarginText(std::string_view price, std::string_view cost,
                                      std::string_view offer, const Value& przpub);

// The sale price and cost with VAT of the price-list row whose supplier code
// `codafo`, trimmed, is the article code written with nine digits.
struct SupplierCodePrice {
  Value przpub;
  Value cosiva;
};
std::optional<SupplierCodePrice> FindBySupplierCode(db::Database& db, int32_t codcasa);

}  // namespace gw::lookup
