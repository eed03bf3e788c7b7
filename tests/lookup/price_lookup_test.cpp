// Prices, offers and margins from price list 01 of a real working database.
#include "lookup/price_lookup.h"

#include <gtest/gtest.h>

#include <string>

#include "core/vb/vb.h"
#include "lookup/lookup_store.h"

namespace gw::lookup::test {
namespace {

DateTime Today() {
  return vb::MakeDate(2026, 3, 2);
}

// "prezzo|costo|offerta", "-" for a text not shown.
std::string Show(const PriceTexts& texts) {
  return texts.prezzo + "|" + texts.costo.value_or("-") + "|" + texts.offerta.value_or("-");
}

ListPrice Price(Value ivart, Value przsal, Value data1, Value data2) {
  return {Value(3.49), ivart, Value(2.10), przsal, Value(1.90), data1, data2};
}

TEST(VatTest, AddsVatBelowRateFifty) {
  EXPECT_TRUE(IsVatRate(Value(10)));
  EXPECT_TRUE(IsVatRate(Value(49)));
  EXPECT_TRUE(IsVatRate(Value("22")));
  EXPECT_FALSE(IsVatRate(Value(50)));
  EXPECT_FALSE(IsVatRate(Value(52)));
  EXPECT_FALSE(IsVatRate(Value()));
  EXPECT_FALSE(IsVatRate(Value("x")));
  EXPECT_EQ(WithVat(Value(0.55), Value(10)).toText(), "0,61");  // 0,055 to the even 0,06
  EXPECT_EQ(WithVat(Value(2.10), Value(22)).toText(), "2,56");
  EXPECT_TRUE(WithVat(Value(), Value(10)).isNull());
}

TEST(OfferTest, RunsFromItsFirstToItsLastDay) {
  struct {
    Value przsal, data1, data2;
    bool runs;
  } cases[] = {
      {Value(2.99), Value("2026-02-15"), Value("2026-03-01"), false},  // ended yesterday
      {Value(2.99), Value("2026-03-02"), Value("2026-03-15"), true},   // starts today
      {Value(2.99), Value("2026-02-15"), Value("2026-03-02"), true},   // ends today
      {Value(2.99), Value("2026-03-03"), Value("2026-03-15"), false},
      {Value(0), Value("2026-03-01"), Value("2026-03-15"), false},
      {Value(), Value("2026-03-01"), Value("2026-03-15"), false},
      {Value(2.99), Value(), Value("2026-03-15"), false},
      {Value(2.99), Value("2026-03-01"), Value(), false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(OfferRuns(Price(Value(22), c.przsal, c.data1, c.data2), Today()), c.runs)
        << c.data1.toText() << ".." << c.data2.toText();
}

TEST(ShowListPriceTest, ShowsPriceCostAndOffer) {
  const Value from("2026-03-02"), to("2026-03-15");
  EXPECT_EQ(Show(ShowListPrice(Price(Value(22), Value(), from, to), Today())), "3,49|2,56|-");
  // The offer's cost takes the place of the regular one.
  EXPECT_EQ(Show(ShowListPrice(Price(Value(22), Value(2.99), from, to), Today())),
            "3,49|2,32|2,99");
  // A rate code adds no VAT and leaves the cost alone, offer or not.
  EXPECT_EQ(Show(ShowListPrice(Price(Value(52), Value(2.99), from, to), Today())), "3,49|-|2,99");
  // Outside its days the offer is not shown, unless the days do not count.
  const DateTime later = vb::MakeDate(2026, 4, 1);
  EXPECT_EQ(Show(ShowListPrice(Price(Value(22), Value(2.99), from, to), later)), "3,49|2,56|-");
  EXPECT_EQ(Show(ShowListPrice(Price(Value(22), Value(2.99), from, to), std::nullopt)),
            "3,49|2,32|2,99");
}

TEST(MarginTest, DividesByTheOfferOrTheListPrice) {
  struct {
    const char *price, *cost, *offer;
    Value przpub;
    const char* margin;
  } cases[] = {
      {"3,49", "2,32", "2,99", Value(3.49), "39,13"},  // over the offer
      {"0,99", "0,61", "0", Value(0.99), "38,38"},     // over the list price
      {"0,99", "0,61", "", Value(0.99), "38,38"},
      // The offer's value is read up to its decimal comma: 0,50 counts as 0.
      {"0,99", "0,61", "0,50", Value(0.99), "38,38"},
      {"1.234,50", "1.000,00", "0", Value(1234.5), "19,00"},
      {"1,00", "0,50", "0", Value(0), "-"},
      {"1,00", "0,50", "0", Value(), "-"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MarginText(c.price, c.cost, c.offer, c.przpub).value_or("-"), c.margin)
        << c.price << " " << c.cost << " " << c.offer;
  EXPECT_EQ(MarginPercent(18.9, 12.5, 18.9), "33,86");
}

class PriceListTest : public LookupTest {
 protected:
  void SetUp() override {
    sql(working(), R"(
      INSERT INTO codean (eanare, codare) VALUES ('8007654321019', 7654321);
      INSERT INTO codean (eanare, codare) VALUES ('8000000000000', 0);
      INSERT INTO codean (eanare, codare) VALUES ('8000000000017', 1);
      INSERT INTO listi01 (codart, codafo, przpub, ivart, cofart, przsal, cosoff, data1, data2)
        VALUES (7654321, '007654321', 3.49, 22, 2.10, 2.99, 1.90, '2026-03-02', '2026-03-15');
      INSERT INTO listi01 (codart, codafo, przpub, cosiva) VALUES (555, ' 000000555 ', 18.9, 12.5);
      INSERT INTO listi01 (codart, codafo, przpub, cosiva) VALUES (556, '000000555', 1, 1);
    )");
  }
};

TEST_F(PriceListTest, FindsThePriceListRowByCode) {
  std::optional<ListPrice> price = FindListPrice(working(), "8007654321019");
  ASSERT_TRUE(price);
  EXPECT_EQ(Show(ShowListPrice(*price, Today())), "3,49|2,32|2,99");
  EXPECT_FALSE(FindListPrice(working(), "8000000000000"));  // article 0
  EXPECT_FALSE(FindListPrice(working(), "8000000000017"));  // no price-list row
  EXPECT_FALSE(FindListPrice(working(), "8009999999999"));
}

TEST_F(PriceListTest, FindsThePriceBySupplierCode) {
  std::optional<SupplierCodePrice> price = FindBySupplierCode(working(), 555);
  ASSERT_TRUE(price);
  EXPECT_EQ(price->przpub.toText() + "|" + price->cosiva.toText(), "18,9|12,5");
  EXPECT_FALSE(FindBySupplierCode(working(), 554));
}

}  // namespace
}  // namespace gw::lookup::test
