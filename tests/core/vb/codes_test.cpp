// Money texts and EAN-13 check digits.
#include "core/vb/codes.h"

#include <gtest/gtest.h>

#include "core/session/session_context.h"

namespace gw {
namespace {

TEST(FormatPriceTest, InCents) {
  const struct {
    Value input;
    const char* expected;
  } cases[] = {
      {1250, "12,50"},
      {"1250", "12,50"},
      {0, "0,00"},
      {"", "0,00"},
      {Value(), "0,00"},
      {"12.5", "12,50"},
      {"1,234.5", "1.234,50"},
      {"12,5", "12,50"},
      {"1.234", "1,23"},
      {"1.234,5", "1.234,50"},
      {"1234567", "12.345,67"},
      {"-250", "-2,50"},
      {"5", "0,05"},
      {12.5, "12,50"},
      {"abc", "abc"},
  };
  for (const auto& c : cases) {
    Value v = c.input;
    EXPECT_EQ(FormatPrice(v, true), c.expected) << '"' << c.input.toText() << '"';
  }
}

TEST(FormatPriceTest, WithoutCentsAWholeNumberIsEuros) {
  Value v("1250");
  EXPECT_EQ(FormatPrice(v, false), "1.250,00");
  v = Value("12.5");
  EXPECT_EQ(FormatPrice(v, false), "12,50");
}

TEST(FormatPriceTest, OnlyNullOrEmptyChangesTheCallersValue) {
  Value null_value;
  FormatPrice(null_value, true);
  EXPECT_EQ(null_value, Value(0));
  Value empty("");
  FormatPrice(empty, true);
  EXPECT_EQ(empty, Value(0));
  Value typed("1250");
  FormatPrice(typed, true);
  EXPECT_EQ(typed, Value("1250"));
}

TEST(FormatNewPriceTest, NormalisesInPlace) {
  const struct {
    const char* typed;
    const char* stored;
  } cases[] = {{"1250", "12,50"}, {"", "0,00"}, {"3.5", "3,50"}, {"1.234,5", "1.234,50"}};
  for (const auto& c : cases) {
    SessionContext session;
    session.nuovoprezzo = c.typed;
    FormatNewPrice(session);
    EXPECT_EQ(session.nuovoprezzo, c.stored) << '"' << c.typed << '"';
  }
}

TEST(EanCheckTest, CheckDigit) {
  const struct {
    Value input;
    const char* expected;
    Value after;
  } cases[] = {
      {"5901234123457", "5901234123457", "590123412345"},
      {"5901234123450", "5901234123457", "590123412345"},
      {"2000123001250", "2000123001258", "200012300125"},
      {"4006381333931", "4006381333931", "400638133393"},
      {"0000000000000", "0000000000000", "000000000000"},
      {int64_t{5901234123450}, "5901234123457", "590123412345"},
      {"12345", "", "12345"},
      {"590123412345A", "", "590123412345A"},
      {"59012341234570", "", "59012341234570"},
      {"5901.23412345", "", "5901.23412345"},  // numeric, but not 13 digits
      {Value(), "", Value()},
  };
  for (const auto& c : cases) {
    Value v = c.input;
    EXPECT_EQ(EanCheck(v), c.expected) << c.input.toText();
    EXPECT_EQ(v, c.after) << c.input.toText();
  }
}

}  // namespace
}  // namespace gw
