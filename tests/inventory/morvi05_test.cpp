// The code and quantity rules of the inventory entry, on a real store
// database where they read one.
#include "inventory/morvi05.h"

#include <gtest/gtest.h>

#include <string>

#include "lookup/lookup_store.h"

namespace gw::inventory {
namespace {

class CountedCodeTest : public lookup::test::LookupTest {
 protected:
  void SetUp() override {
    sql(store(), R"(
      INSERT INTO codean (eanare, codare) VALUES ('8001234567897', 1234567);
      INSERT INTO codean (eanare, codare) VALUES ('8000000012345', 12345);
      INSERT INTO codean (eanare, codare) VALUES ('8000000012352', 12345);
      INSERT INTO codean (eanare, codare) VALUES ('0001234567890', 4711);
      INSERT INTO codean (eanare, codare) VALUES ('0000999999999', 4712);
      INSERT INTO codean (eanare, codare) VALUES ('0000000000777', 4713);
      INSERT INTO codean (eanare, codare) VALUES ('8009999999992', 99999999);
    )");
  }

  // "Outcome 'ean' codcasa".
  std::string resolve(std::string_view typed) {
    const CountedArticle found = ResolveCountedCode(store(), typed);
    const char* outcome = found.outcome == CountedArticle::Outcome::Internal ? "Internal"
                          : found.outcome == CountedArticle::Outcome::Ean    ? "Ean"
                                                                             : "NotACode";
    return std::string(outcome) + " '" + found.ean + "' " + std::to_string(found.codcasa);
  }
};

TEST_F(CountedCodeTest, ReadsInternalCodesThenEans) {
  struct {
    const char* typed;
    const char* resolved;
  } cases[] = {
      // The article code itself, its first code shown.
      {"1234567", "Internal '8001234567897' 1234567"},
      {" 12345 ", "Internal '8000000012345' 12345"},
      // One or two check digits appended are dropped, whatever they are:
      // no EAN check digit is asked for here.
      {"12345670", "Internal '8001234567897' 1234567"},
      {"123456", "Internal '8000000012345' 12345"},
      {"1234599", "Internal '8000000012345' 12345"},
      // 999999998 is still an internal code (and its tries find 99999999);
      // 999999999 and ten digits are EANs only.
      {"999999998", "Internal '8009999999992' 99999999"},
      {"999999999", "Ean '0000999999999' 4712"},
      {"1234567890", "Ean '0001234567890' 4711"},
      {"8001234567897", "Ean '8001234567897' 1234567"},
      // No article by any of the tries: the code with 13 digits, and the
      // article that code has, if any.
      {"777", "Ean '0000000000777' 4713"},
      {"555", "Ean '0000000000555' 0"},
      // Nothing to look up.
      {"ABC", "NotACode '' 0"},
      {"12,5", "NotACode '' 0"},
      {"-5", "NotACode '' 0"},
      {"'; DROP TABLE codean; --", "NotACode '' 0"},
  };
  for (const auto& c : cases) EXPECT_EQ(resolve(c.typed), c.resolved) << c.typed;
}

TEST(CountedCode, PadsShortDigitCodesToThirteen) {
  EXPECT_EQ(CountedCode(" 12345 "), "0000000012345");
  EXPECT_EQ(CountedCode("800123456789"), "0800123456789");
  EXPECT_EQ(CountedCode("8001234567897"), "8001234567897");
  EXPECT_EQ(CountedCode("80012345678970"), "80012345678970");
  EXPECT_EQ(CountedCode("12A"), "12A");
  EXPECT_EQ(CountedCode("   "), "");
}

TEST(VariablePrice, RecognisesThirteenCharacterCodesBeginningWithTwo) {
  EXPECT_TRUE(IsVariablePriceCode("2000123012508"));
  EXPECT_TRUE(IsVariablePriceCode(" 2000123012508 "));
  EXPECT_FALSE(IsVariablePriceCode("200012301250"));
  EXPECT_FALSE(IsVariablePriceCode("8000123012508"));
  EXPECT_FALSE(IsVariablePriceCode(""));
}

TEST(VariablePrice, QuantityIsThePriceOverTheSalePrice) {
  struct {
    const char* code;
    double przpub;
    double quantity;
  } cases[] = {
      {"2000123012508", 10.00, 1.25},   // 12,50 at 10,00
      {"2000123012348", 10.00, 1.234},  // 12,34, not exact in single precision
      {"2000123003008", 8.00, 0.375},   // a weight with three decimals
      {"2000123000258", 4.00, 0.062},   // 0,0625: a half goes to the even digit
      {"2000123000758", 4.00, 0.188},   // 0,1875
      {"2000123001258", 4.00, 0.312},   // 0,3125
      {"2000123ABCDE8", 10.00, 0},      // no price in the label
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(LabelQuantity(c.code, c.przpub), c.quantity) << c.code;
}

}  // namespace
}  // namespace gw::inventory
