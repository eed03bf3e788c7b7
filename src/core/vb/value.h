// A field or expression value as the screens see it: Null, a whole number,
// a floating number, a text or a date. Conversions follow the Italian
// conventions of the terminals (decimal comma, dd/mm/yyyy), whatever the
// host's locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace gw {

// A point in time as days since 1899-12-30, the fraction being the time of day.
struct DateTime {
  double serial = 0;
  friend bool operator==(DateTime, DateTime) = default;
  friend auto operator<=>(DateTime a, DateTime b) { return a.serial <=> b.serial; }
};

class Value {
 public:
  enum class Kind { Null, Integer, Double, Text, Date };

  Value() = default;
  Value(int v) : data_(static_cast<int64_t>(v)) {}
  Value(int64_t v) : data_(v) {}
  Value(double v) : data_(v) {}
  Value(std::string v) : data_(std::move(v)) {}
  Value(std::string_view v) : data_(std::string(v)) {}
  Value(const char* v) : data_(std::string(v)) {}
  Value(DateTime v) : data_(v) {}

  Kind kind() const { return static_cast<Kind>(data_.index()); }
  bool isNull() const { return kind() == Kind::Null; }
  bool isNumber() const { return kind() == Kind::Integer || kind() == Kind::Double; }
  bool isText() const { return kind() == Kind::Text; }

  // REQUIRES: kind() is the one asked for.
  int64_t integer() const { return std::get<int64_t>(data_); }
  double real() const { return std::get<double>(data_); }
  const std::string& text() const { return std::get<std::string>(data_); }
  DateTime date() const { return std::get<DateTime>(data_); }

  // The text form, as a text box shows the value: numbers with the decimal
  // comma and no grouping, dates dd/mm/yyyy (with the time when it is not
  // midnight), Null as the empty text.
  std::string toText() const;

  // The number the value stands for, converted as the Italian conventions
  // read a text ("12,5" is 12.5, "1.234" is 1234); Null and non-numeric text
  // read as 0. Use vb::IsNumeric first where the difference matters.
  double toDouble() const;

  friend bool operator==(const Value&, const Value&) = default;

 private:
  std::variant<std::monostate, int64_t, double, std::string, DateTime> data_;
};

}  // namespace gw
