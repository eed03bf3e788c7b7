// The runtime's number, text and date routines under the Italian conventions.
#include "core/vb/vb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace gw::vb {
namespace {

// The message of the RuntimeError `f` raises, or "no error".
template <typename F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.what();
  }
  return "no error";
}

TEST(ValTest, ReadsPointDecimalsSkippingBlanks) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"", 0},
      {"12", 12},
      {" 1 2", 12},
      {"\t4\n2", 42},
      {"12,5", 12},
      {"12.5", 12.5},
      {".5", 0.5},
      {"1.2.3", 1.2},
      {"-3.5", -3.5},
      {"- 3", -3},
      {"+7", 7},
      {"1e3", 1000},
      {"1 e 3", 1000},
      {"1E-2", 0.01},
      {"1d2", 100},
      {"1e", 1},
      {"1e+", 1},
      {"abc", 0},
      {"12abc", 12},
      {"-", 0},
      {"&H1F", 31},
      {"&h1f", 31},
      {"&O17", 15},
      {"&HFFFF", -1},
      {"&H10000", 65536},
      {"&HFFFFFFFF", -1},
      {"&H", 0},
      {"&HG", 0},
      {"0042", 42},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ValTest, OverflowIsAnError) {
  EXPECT_EQ(ErrorOf([] { Val("1e400"); }), "Overflow");
  EXPECT_EQ(ErrorOf([] { Val("&H100000000"); }), "Overflow");
  EXPECT_EQ(Val("1e-400"), 0);
}

TEST(ValTest, ValueReadsItsTextForm) {
  EXPECT_EQ(Val(Value(7)), 7);
  EXPECT_EQ(Val(Value("3.5")), 3.5);
  EXPECT_EQ(Val(Value(12.5)), 12);  // its text is "12,5"
  EXPECT_EQ(Val(Value(MakeDate(2024, 1, 5))), 5);
  EXPECT_EQ(ErrorOf([] { Val(Value()); }), "Uso non valido di Null");
}

TEST(IsNumericTest, ItalianTexts) {
  const struct {
    const char* text;
    double number;
  } numeric[] = {
      {"12", 12},    {"-3,5", -3.5},  {"1.234,50", 1234.5}, {" 7 ", 7}, {"12,5", 12.5},
      {"12.5", 125}, {"1.234", 1234}, {",5", 0.5},          {"5,", 5},  {"+ 2", 2},
      {"1e3", 1000}, {"1,5E2", 150},  {"&H1F", 31},         {"\t8", 8}, {"0000000000042", 42},
  };
  for (const auto& c : numeric) {
    EXPECT_TRUE(IsNumeric(Value(c.text))) << '"' << c.text << '"';
    EXPECT_DOUBLE_EQ(CDbl(Value(c.text)), c.number) << '"' << c.text << '"';
  }
  for (const char* text : {"", " ", "abc", "12a", "1 2", ".", ",", "-", "1,2,3", "1,2.3", "1e",
                           "&H", "&HG", "1e400"}) {
    EXPECT_FALSE(IsNumeric(Value(text))) << '"' << text << '"';
  }
}

TEST(IsNumericTest, OtherKinds) {
  EXPECT_TRUE(IsNumeric(Value(0)));
  EXPECT_TRUE(IsNumeric(Value(-2.5)));
  EXPECT_FALSE(IsNumeric(Value()));
  EXPECT_FALSE(IsNumeric(Value(MakeDate(2024, 1, 5))));
}

TEST(CDblTest, KindsAndErrors) {
  EXPECT_EQ(CDbl(Value(int64_t{1} << 40)), 1099511627776.0);
  EXPECT_EQ(CDbl(Value(MakeDate(2024, 1, 5, 12))), 45296.5);
  EXPECT_EQ(ErrorOf([] { CDbl(Value()); }), "Tipo non corrispondente");
  EXPECT_EQ(ErrorOf([] { CDbl(Value("abc")); }), "Tipo non corrispondente");
  EXPECT_EQ(ErrorOf([] { CDbl(Value("1e400")); }), "Overflow");
  double out = 7;
  EXPECT_FALSE(TryCDbl("12 5", out));
  EXPECT_EQ(out, 7);
  EXPECT_TRUE(TryCDbl("-1.000,25", out));
  EXPECT_EQ(out, -1000.25);
}

TEST(CIntTest, HalfToEven) {
  const struct {
    Value value;
    int16_t expected;
  } cases[] = {
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {-3.5, -4},
      {0.5, 0},
      {1.5, 2},
      {2.4999, 2},
      {2.6, 3},
      {"2,5", 2},
      {"32767", 32767},
      {-32768.5, -32768},
      {32767.4, 32767},
      {int64_t{-32768}, -32768},
  };
  for (const auto& c : cases) EXPECT_EQ(CInt(c.value), c.expected) << c.value.toText();
}

TEST(CIntTest, Errors) {
  for (const Value& v : {Value(32767.5), Value(32768), Value(-32769), Value(int64_t{40000}),
                         Value("1e10"), Value(std::nan(""))}) {
    EXPECT_EQ(ErrorOf([&] { CInt(v); }), "Overflow") << v.toText();
  }
  EXPECT_EQ(ErrorOf([] { CInt(Value("abc")); }), "Tipo non corrispondente");
  EXPECT_EQ(ErrorOf([] { CInt(Value()); }), "Tipo non corrispondente");
}

TEST(CLngTest, RangeAndRounding) {
  EXPECT_EQ(CLng(Value(2147483647)), 2147483647);
  EXPECT_EQ(CLng(Value(-2147483648.0)), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(CLng(Value(1234567.5)), 1234568);
  EXPECT_EQ(CLng(Value("1.234.566,5")), 1234566);
  EXPECT_EQ(ErrorOf([] { CLng(Value(2147483647.5)); }), "Overflow");
  EXPECT_EQ(ErrorOf([] { CLng(Value(1e10)); }), "Overflow");
}

TEST(RoundTest, HalfToEvenOnTheDecimalDigits) {
  const struct {
    double x;
    int decimals;
    double expected;
  } cases[] = {
      {2.5, 0, 2},
      {3.5, 0, 4},
      {-2.5, 0, -2},
      {0.5, 0, 0},
      {99.5, 0, 100},
      {-0.4, 0, 0},
      {0.125, 2, 0.12},
      {0.375, 2, 0.38},
      {2.675, 2, 2.68},
      {1.005, 2, 1},
      {-1.005, 2, -1},
      {9.995, 2, 10},
      {0.0005, 3, 0},
      {0.0015, 3, 0.002},
      {123.456, 1, 123.5},
      {1234.5678, 20, 1234.5678},
      {0.1 * 1.15, 2, 0.12},  // 0.11499999999999999 in binary, read as 0.115
      {0, 2, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Round(c.x, c.decimals), c.expected) << c.x << " at " << c.decimals;
  }
  EXPECT_FALSE(std::signbit(Round(-0.4)));
  EXPECT_EQ(ErrorOf([] { Round(1, -1); }), "Chiamata di routine o argomento non validi");
}

TEST(NumberTextTest, ItalianCStr) {
  const struct {
    double x;
    const char* expected;
  } cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {12.5, "12,5"},
      {-3, "-3"},
      {0.1, "0,1"},
      {0.1 + 0.2, "0,3"},
      {2.0 / 3, "0,666666666666667"},
      {1234567.891, "1234567,891"},
      {100, "100"},
      {123456789012345, "123456789012345"},
      {1e14, "100000000000000"},
      {1e15, "1E+15"},
      {1234567890123456, "1,23456789012346E+15"},
      {1.5e20, "1,5E+20"},
      {1e100, "1E+100"},
      {0.0001, "0,0001"},
      {0.00001, "1E-05"},
      {-1.25e-7, "-1,25E-07"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberText(c.x), c.expected) << c.x;
}

TEST(FormatTest, Patterns) {
  const struct {
    Value value;
    const char* pattern;
    const char* expected;
  } cases[] = {
      {0, "##,##0.00", "0,00"},
      {1234.5, "##,##0.00", "1.234,50"},
      {-1234.5, "##,##0.00", "-1.234,50"},
      {1234567.891, "#,###,##0.00", "1.234.567,89"},
      {999999.995, "#,##0.00", "1.000.000,00"},
      {0.75, "###,##0.00", "0,75"},
      {999.995, "##0.00", "1000,00"},
      {0.5, "##0.00", "0,50"},
      {42, "0000000000000", "0000000000042"},
      {5901234123457.0, "0000000000000", "5901234123457"},
      {123456789, "000000000", "123456789"},
      {7, "0000", "0007"},
      {12345, "000", "12345"},
      {int64_t{42}, "000", "042"},
      {1e15, "0", "1000000000000000"},
      {12.345, "0.00", "12,35"},  // a half goes away from zero
      {-12.345, "0.00", "-12,35"},
      {12.344, "0.00", "12,34"},
      {2.675, "0.00", "2,68"},
      {0.7 * 1.15, "0.00", "0,81"},  // 0.8049999999999999 in binary
      {0.0005, "0.000", "0,001"},
      {-0.001, "0.00", "0,00"},
      {"1.234,5", "##,##0.00", "1.234,50"},
      {"12,5", "0.00", "12,50"},
      {" 12.5 ", "0.00", "125,00"},
      {"abc", "##,##0.00", "abc"},
      {"", "##,##0.00", ""},
      {Value(), "##,##0.00", ""},
      {MakeDate(2024, 1, 1), "0.00", "45292,00"},
      {12.5, "", "12,5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Format(c.value, c.pattern), c.expected) << c.value.toText() << " with " << c.pattern;
  }
  EXPECT_THROW(Format(Value(1), "0.00%"), std::invalid_argument);
}

TEST(TextTest, TrimSpacesOnly) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(LTrim("  a b  "), "a b  ");
  EXPECT_EQ(RTrim("  a b  "), "  a b");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");
  EXPECT_EQ(Trim("   "), "");
}

TEST(TextTest, CharactersNotBytes) {
  EXPECT_EQ(Len("Città"), 5u);
  EXPECT_EQ(Len(""), 0u);
  EXPECT_EQ(Left("Città", 4), "Citt");
  EXPECT_EQ(Left("Città", 5), "Città");
  EXPECT_EQ(Left("Città", 10), "Città");
  EXPECT_EQ(Right("Città", 2), "tà");
  EXPECT_EQ(Right("Città", 9), "Città");
  EXPECT_EQ(Mid("Città", 4, 2), "tà");
  EXPECT_EQ(Mid("Città", 5), "à");
  EXPECT_EQ(Mid("Città", 6), "");
  EXPECT_EQ(Mid("5901234123457", 8, 5), "12345");
  EXPECT_EQ(ErrorOf([] { Mid("abc", 0); }), "Chiamata di routine o argomento non validi");
  EXPECT_EQ(UCase("città è ÷ ok"), "CITTÀ È ÷ OK");
}

TEST(TextTest, Replace) {
  EXPECT_EQ(Replace("1,234.5", ",", "JKL"), "1JKL234.5");
  EXPECT_EQ(Replace("aaa", "a", ""), "");
  EXPECT_EQ(Replace("aaa", "aa", "b"), "ba");
  EXPECT_EQ(Replace("abc", "", "x"), "abc");
}

TEST(DateTest, Serials) {
  const struct {
    DateTime date;
    double serial;
  } cases[] = {
      {MakeDate(1899, 12, 30), 0},
      {MakeDate(1899, 12, 31), 1},
      {MakeDate(1900, 1, 1), 2},
      {MakeDate(1900, 3, 1), 61},
      {MakeDate(2000, 1, 1), 36526},
      {MakeDate(2024, 1, 1), 45292},
      {MakeDate(2024, 2, 29, 12), 45351.5},
      {MakeDate(1899, 12, 29, 6), -1.25},
      {MakeDate(2024, 13, 1), 45658},  // 2025-01-01
      {MakeDate(2024, 3, 0), 45351},   // 2024-02-29
      {MakeDate(2024, 1, 1, 25), 45293 + 1.0 / 24},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(c.date.serial, c.serial);
}

TEST(DateTest, Parts) {
  const struct {
    int y, m, d;
  } days[] = {{1600, 2, 29}, {1899, 12, 29}, {1900, 2, 28}, {2024, 2, 29}, {9999, 12, 31}};
  for (const auto& c : days) {
    const DateTime t = MakeDate(c.y, c.m, c.d, 23, 59, 59);
    EXPECT_EQ(Year(t), c.y);
    EXPECT_EQ(Month(t), c.m);
    EXPECT_EQ(Day(t), c.d);
    EXPECT_EQ(DateOnly(t), MakeDate(c.y, c.m, c.d));
  }
}

TEST(DateTest, Texts) {
  const struct {
    DateTime date;
    const char* text;
    const char* storage;
  } cases[] = {
      {MakeDate(2024, 1, 5), "05/01/2024", "2024-01-05"},
      {MakeDate(2024, 1, 5, 13, 4, 9), "05/01/2024 13:04:09", "2024-01-05 13:04:09"},
      {DateTime{0.5}, "12:00:00", "12:00:00"},
      {DateTime{0}, "00:00:00", "00:00:00"},
      {MakeDate(1899, 12, 29, 6), "29/12/1899 06:00:00", "1899-12-29 06:00:00"},
      {DateTime{45292 + 86399.6 / 86400}, "02/01/2024", "2024-01-02"},  // to the nearest second
      {DateTime{1e12}, "31/12/9999 23:59:59", "9999-12-31 23:59:59"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DateText(c.date), c.text);
    EXPECT_EQ(StorageDateText(c.date), c.storage);
    EXPECT_EQ(Value(c.date).toText(), c.text);
  }
}

TEST(DateTest, Parse) {
  const struct {
    const char* text;
    DateTime expected;
  } good[] = {
      {"05/01/2024", MakeDate(2024, 1, 5)},
      {"5/1/24", MakeDate(2024, 1, 5)},
      {"05/01/99", MakeDate(1999, 1, 5)},
      {" 29/02/2024 ", MakeDate(2024, 2, 29)},
      {"2024-01-05", MakeDate(2024, 1, 5)},
      {"2024-01-05 13:04:09", MakeDate(2024, 1, 5, 13, 4, 9)},
      {"05/01/2024 13:04:09", MakeDate(2024, 1, 5, 13, 4, 9)},
      {"13:04:09", MakeDate(1899, 12, 30, 13, 4, 9)},
      {"7:00:00", DateTime{7.0 / 24}},
  };
  for (const auto& c : good) {
    DateTime out{-1};
    EXPECT_TRUE(ParseDate(c.text, out)) << c.text;
    EXPECT_DOUBLE_EQ(out.serial, c.expected.serial) << c.text;
  }
  for (const char* text :
       {"", "abc", "31/02/2024", "29/02/2023", "2024-13-01", "25:00:00", "12:60:00", "05/01",
        "05-01-2024", "05/01/202", "05/01/2024 12:00", "05/01/2024x", "123/01/2024"}) {
    DateTime out{-1};
    EXPECT_FALSE(ParseDate(text, out)) << text;
    EXPECT_EQ(out.serial, -1) << text;
  }
}

TEST(ValueTest, TextAndNumberForms) {
  const struct {
    Value value;
    const char* text;
    double number;
  } cases[] = {
      {Value(), "", 0},
      {42, "42", 42},
      {int64_t{-7}, "-7", -7},
      {12.5, "12,5", 12.5},
      {"1.234,5", "1.234,5", 1234.5},
      {"abc", "abc", 0},
      {MakeDate(2024, 1, 5), "05/01/2024", 45296},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.value.toText(), c.text);
    EXPECT_EQ(c.value.toDouble(), c.number) << c.text;
  }
}

}  // namespace
}  // namespace gw::vb
