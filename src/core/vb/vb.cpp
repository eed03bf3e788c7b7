// The runtime's number, text and date routines with the Italian conventions
// written into the code: no locale, no streams, no regular expressions, so
// they read and print the same on every host and stay cheap on the scan path.
//
// Numbers become decimal digits through std::to_chars with 15 significant
// digits, the precision the runtime shows a number with: Round and Format
// round those digits, so 2.675 rounds as the clerk reads it (2.68) and a sum
// such as 0.285 that the binary arithmetic left as 0.28499999999999998 still
// rounds as 0.285.
#include "core/vb/vb.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace gw::vb {
namespace {

constexpr char kOverflow[] = "Overflow";
constexpr char kTypeMismatch[] = "Tipo non corrispondente";
constexpr char kInvalidCall[] = "Chiamata di routine o argomento non validi";
constexpr char kInvalidNull[] = "Uso non valido di Null";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsValBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsExponentMark(char c) {
  return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

int DigitOfRadix(char c, int radix) {
  int d = -1;
  if (IsDigit(c)) d = c - '0';
  if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
  return d < radix ? d : -1;
}

int RadixOf(char c) {
  if (c == 'h' || c == 'H') return 16;
  if (c == 'o' || c == 'O') return 8;
  return 0;
}

enum class Parse { kOk, kNotNumber, kOverflow };

// A &H / &O number is a 16-bit Integer when it fits in 16 bits and a 32-bit
// Long when it fits in 32, both read as two's complement: &HFFFF is -1.
Parse RadixValue(uint64_t magnitude, bool too_long, double& out) {
  if (too_long || magnitude > 0xFFFFFFFFu) return Parse::kOverflow;
  if (magnitude <= 0xFFFFu) {
    out = static_cast<int16_t>(static_cast<uint16_t>(magnitude));
  } else {
    out = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
  }
  return Parse::kOk;
}

// Accumulates one radix digit; `too_long` latches once the value passes 32 bits.
void AddRadixDigit(uint64_t& magnitude, bool& too_long, int radix, int digit) {
  magnitude = magnitude * radix + digit;
  if (magnitude > 0xFFFFFFFFu) {
    too_long = true;
    magnitude = 0;
  }
}

// Collects a decimal number as digits times a power of ten and converts it
// with std::from_chars, which reads the C form whatever the locale.
class DecimalBuilder {
 public:
  void AddDigit(char c, bool fraction) {
    if (fraction) --scale_;
    if (digits_.empty() && c == '0') return;
    digits_ += c;
  }
  void AddExponentDigit(char c) {
    if (exponent_ < kExponentCap) exponent_ = exponent_ * 10 + (c - '0');
  }
  void SetExponentNegative() { exponent_negative_ = true; }

  Parse Convert(bool negative, double& out) const {
    out = 0;
    if (digits_.empty()) return Parse::kOk;
    const int64_t power = scale_ + (exponent_negative_ ? -exponent_ : exponent_);
    const int64_t magnitude = static_cast<int64_t>(digits_.size()) + power;
    if (magnitude > 310) return Parse::kOverflow;
    if (magnitude < -330) return Parse::kOk;
    std::string text = digits_;
    text += 'e';
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, power).ptr;
    text.append(buf, end);
    double value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
      if (magnitude > 0) return Parse::kOverflow;
      value = 0;
    }
    out = negative ? -value : value;
    return Parse::kOk;
  }

 private:
  static constexpr int64_t kExponentCap = 1'000'000;
  std::string digits_;  // significant digits, leading zeros dropped
  int64_t scale_ = 0;   // minus the number of fraction digits read
  int64_t exponent_ = 0;
  bool exponent_negative_ = false;
};

// The Italian reading of a text: blanks around it, a sign, digits with points
// as thousands separators anywhere before the decimal comma, an exponent, or
// a &H / &O number; nothing else may follow.
Parse ParseItalian(std::string_view s, double& out) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && IsBlank(s[i])) ++i;
  if (i == n) return Parse::kNotNumber;

  if (s[i] == '&') {
    const int radix = i + 1 < n ? RadixOf(s[i + 1]) : 0;
    if (radix == 0) return Parse::kNotNumber;
    i += 2;
    uint64_t magnitude = 0;
    bool too_long = false;
    size_t count = 0;
    for (int d; i < n && (d = DigitOfRadix(s[i], radix)) >= 0; ++i, ++count) {
      AddRadixDigit(magnitude, too_long, radix, d);
    }
    while (i < n && IsBlank(s[i])) ++i;
    if (count == 0 || i != n) return Parse::kNotNumber;
    return RadixValue(magnitude, too_long, out);
  }

  bool negative = false;
  if (s[i] == '+' || s[i] == '-') {
    negative = s[i] == '-';
    ++i;
    while (i < n && IsBlank(s[i])) ++i;
  }
  DecimalBuilder number;
  size_t digits = 0;
  for (; i < n && (IsDigit(s[i]) || s[i] == '.'); ++i) {
    if (s[i] != '.') {
      number.AddDigit(s[i], false);
      ++digits;
    }
  }
  if (i < n && s[i] == ',') {
    for (++i; i < n && IsDigit(s[i]); ++i, ++digits) number.AddDigit(s[i], true);
  }
  if (digits == 0) return Parse::kNotNumber;
  if (i < n && IsExponentMark(s[i])) {
    ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
      if (s[i] == '-') number.SetExponentNegative();
      ++i;
    }
    size_t exponent_digits = 0;
    for (; i < n && IsDigit(s[i]); ++i, ++exponent_digits) number.AddExponentDigit(s[i]);
    if (exponent_digits == 0) return Parse::kNotNumber;
  }
  while (i < n && IsBlank(s[i])) ++i;
  if (i != n) return Parse::kNotNumber;
  return number.Convert(negative, out);
}

// Half-to-even rounding to a whole number, on the binary value.
double RoundHalfEven(double x) {
  const double floor = std::floor(x);
  const double diff = x - floor;
  if (diff > 0.5) return floor + 1;
  if (diff < 0.5) return floor;
  return std::fmod(floor, 2) == 0 ? floor : floor + 1;
}

template <typename Int>
Int ToWhole(const Value& v) {
  constexpr auto kMin = std::numeric_limits<Int>::min();
  constexpr auto kMax = std::numeric_limits<Int>::max();
  if (v.kind() == Value::Kind::Integer) {
    const int64_t i = v.integer();
    if (i < kMin || i > kMax) throw RuntimeError(kOverflow);
    return static_cast<Int>(i);
  }
  const double r = RoundHalfEven(CDbl(v));
  if (!(r >= kMin && r <= kMax)) throw RuntimeError(kOverflow);
  return static_cast<Int>(r);
}

// A finite number as at most 15 significant decimal digits, trailing zeros
// dropped: |x| = 0.d1d2...dn × 10^(point). Zero has no digits.
struct Decimal {
  char digits[16];
  int count = 0;
  int point = 0;
  bool negative = false;
};

Decimal ToDecimal(double x) {
  Decimal d;
  d.negative = std::signbit(x);
  if (x == 0) return d;
  char buf[32];
  const auto end =
      std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 14).ptr;
  // buf holds "d.dddddddddddddde±xx": 15 digits, then the exponent from index 17.
  d.digits[0] = buf[0];
  std::memcpy(d.digits + 1, buf + 2, 14);
  d.count = 15;
  int exponent = 0;
  std::from_chars(buf + (buf[17] == '-' ? 17 : 18), end, exponent);
  d.point = exponent + 1;
  while (d.count > 0 && d.digits[d.count - 1] == '0') --d.count;
  return d;
}

// Rounds `d` to `decimals` places, a half going to the even digit or away
// from zero.
void RoundDecimal(Decimal& d, int64_t decimals, bool half_even) {
  const int64_t keep = d.point + decimals;
  if (keep >= d.count) return;
  if (keep < 0) {
    d.count = 0;
    return;
  }
  const int k = static_cast<int>(keep);
  const char first = d.digits[k];
  const bool more = d.count > k + 1;
  const bool odd = k > 0 && (d.digits[k - 1] - '0') % 2 == 1;
  const bool up = first > '5' || (first == '5' && (more || !half_even || odd));
  d.count = k;
  if (up) {
    int i = k - 1;
    while (i >= 0 && d.digits[i] == '9') --i;
    if (i < 0) {
      d.digits[0] = '1';
      d.count = 1;
      ++d.point;
    } else {
      ++d.digits[i];
      d.count = i + 1;
    }
  }
  while (d.count > 0 && d.digits[d.count - 1] == '0') --d.count;
}

// The digit of `d` at the given place: place 0 is the units, 1 the tens, -1
// the tenths.
char DigitAt(const Decimal& d, int place) {
  const int index = d.point - 1 - place;
  return index >= 0 && index < d.count ? d.digits[index] : '0';
}

std::string NonFiniteText(double x) {
  if (std::isnan(x)) return "-1,#IND";
  return x < 0 ? "-1,#INF" : "1,#INF";
}

// The pattern of Format, read once per call.
struct NumberPattern {
  int min_integer = 0;  // '0' before the point
  int max_decimals = 0;
  int min_decimals = 0;  // up to the last '0' after the point
  bool grouping = false;
  bool point = false;
};

NumberPattern ReadPattern(std::string_view pattern) {
  NumberPattern p;
  for (char c : pattern) {
    if (c == '.' && !p.point) {
      p.point = true;
    } else if (c == ',' && !p.point) {
      p.grouping = true;
    } else if (c == '0' || c == '#') {
      if (p.point) {
        ++p.max_decimals;
        if (c == '0') p.min_decimals = p.max_decimals;
      } else if (c == '0') {
        ++p.min_integer;
      }
    } else {
      throw std::invalid_argument("unsupported number pattern: " + std::string(pattern));
    }
  }
  return p;
}

std::string FormatNumber(double x, const NumberPattern& p) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  Decimal d = ToDecimal(x);
  RoundDecimal(d, p.max_decimals, false);
  const int integer_digits = std::max(d.point, p.min_integer);
  int decimals = p.max_decimals;
  while (decimals > p.min_decimals && DigitAt(d, -decimals) == '0') --decimals;

  std::string out;
  out.reserve(integer_digits + integer_digits / 3 + decimals + 2);
  if (d.negative && d.count > 0) out += '-';
  for (int place = integer_digits - 1; place >= 0; --place) {
    out += DigitAt(d, place);
    if (p.grouping && place > 0 && place % 3 == 0) out += '.';
  }
  if (p.point) out += ',';
  for (int place = -1; place >= -decimals; --place) out += DigitAt(d, place);
  return out;
}

void AppendTwo(std::string& out, int v) {
  out += static_cast<char>('0' + v / 10 % 10);
  out += static_cast<char>('0' + v % 10);
}

// Days from 1970-01-01 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct Civil {
  int year, month, day;
};

Civil CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(era * 400 + yoe + (m <= 2)), m, d};
}

const int64_t kEpochDays = DaysFromCivil(1899, 12, 30);
constexpr int64_t kSecondsPerDay = 86400;
// The runtime's date range: 0100-01-01 to 9999-12-31.
constexpr double kMinSerial = -657434;
constexpr double kMaxSerial = 2958465.99999;

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// A serial as a day and the seconds of its time. Before 1899-12-30 the
// serial is the day minus the time of day (-1.25 is 1899-12-29 06:00).
struct DayTime {
  int64_t day;  // days from 1899-12-30
  int seconds;
};

DayTime Split(DateTime d) {
  double s = d.serial;
  if (std::isnan(s)) s = 0;
  s = std::clamp(s, kMinSerial, kMaxSerial);
  const double whole = std::trunc(s);
  DayTime r{static_cast<int64_t>(whole),
            static_cast<int>(std::llround(std::fabs(s - whole) * kSecondsPerDay))};
  if (r.seconds >= kSecondsPerDay) {
    r.seconds -= kSecondsPerDay;
    ++r.day;
  }
  return r;
}

DateTime Join(int64_t day, int64_t seconds) {
  day += FloorDiv(seconds, kSecondsPerDay);
  seconds -= FloorDiv(seconds, kSecondsPerDay) * kSecondsPerDay;
  const double time = static_cast<double>(seconds) / kSecondsPerDay;
  return {day < 0 ? day - time : day + time};
}

void AppendDate(std::string& out, int64_t day, char sep, bool year_first) {
  const Civil c = CivilFromDays(day + kEpochDays);
  if (year_first) {
    AppendTwo(out, c.year / 100);
    AppendTwo(out, c.year % 100);
    out += sep;
    AppendTwo(out, c.month);
    out += sep;
    AppendTwo(out, c.day);
  } else {
    AppendTwo(out, c.day);
    out += sep;
    AppendTwo(out, c.month);
    out += sep;
    AppendTwo(out, c.year / 100);
    AppendTwo(out, c.year % 100);
  }
}

void AppendTime(std::string& out, int seconds) {
  AppendTwo(out, seconds / 3600);
  out += ':';
  AppendTwo(out, seconds / 60 % 60);
  out += ':';
  AppendTwo(out, seconds % 60);
}

std::string DateTextIn(DateTime d, bool storage) {
  const DayTime t = Split(d);
  std::string out;
  out.reserve(19);
  if (t.day == 0) {
    AppendTime(out, t.seconds);
    return out;
  }
  AppendDate(out, t.day, storage ? '-' : '/', storage);
  if (t.seconds != 0) {
    out += ' ';
    AppendTime(out, t.seconds);
  }
  return out;
}

// A cursor over a date text for ParseDate.
class DateReader {
 public:
  explicit DateReader(std::string_view s) : s_(s) {}
  bool AtEnd() const { return i_ == s_.size(); }
  bool Peek(char c) const { return i_ < s_.size() && s_[i_] == c; }
  bool Take(char c) {
    if (!Peek(c)) return false;
    ++i_;
    return true;
  }
  void SkipBlanks() {
    while (Peek(' ')) ++i_;
  }
  // Reads between min and max digits.
  bool Number(size_t min, size_t max, int& out, size_t* count = nullptr) {
    size_t k = 0;
    out = 0;
    for (; k < max && i_ < s_.size() && IsDigit(s_[i_]); ++i_, ++k) out = out * 10 + (s_[i_] - '0');
    if (count) *count = k;
    return k >= min;
  }

 private:
  std::string_view s_;
  size_t i_ = 0;
};

bool ReadTime(DateReader& r, int& seconds) {
  int h, m, s;
  if (!r.Number(1, 2, h) || !r.Take(':') || !r.Number(2, 2, m) || !r.Take(':') ||
      !r.Number(2, 2, s)) {
    return false;
  }
  if (h > 23 || m > 59 || s > 59) return false;
  seconds = h * 3600 + m * 60 + s;
  return true;
}

bool ValidDay(int y, int m, int d) {
  if (m < 1 || m > 12 || d < 1 || y < 100 || y > 9999) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return d <= kDays[m - 1] + (m == 2 && leap);
}

// A byte offset in UTF-8 text: where character `chars` (0-based) begins, or
// the size when the text is shorter.
size_t ByteOffset(std::string_view s, size_t chars) {
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (chars == 0) return i;
      --chars;
    }
  }
  return s.size();
}

}  // namespace

double Val(std::string_view s) {
  size_t i = 0;
  const size_t n = s.size();
  auto skip = [&] {
    while (i < n && IsValBlank(s[i])) ++i;
  };
  skip();
  if (i < n && s[i] == '&') {
    ++i;
    skip();
    const int radix = i < n ? RadixOf(s[i]) : 0;
    if (radix == 0) return 0;
    uint64_t magnitude = 0;
    bool too_long = false;
    for (++i, skip(); i < n; ++i, skip()) {
      const int d = DigitOfRadix(s[i], radix);
      if (d < 0) break;
      AddRadixDigit(magnitude, too_long, radix, d);
    }
    double out = 0;
    if (RadixValue(magnitude, too_long, out) == Parse::kOverflow) throw RuntimeError(kOverflow);
    return out;
  }

  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
    skip();
  }
  DecimalBuilder number;
  for (; i < n && IsDigit(s[i]); ++i, skip()) number.AddDigit(s[i], false);
  if (i < n && s[i] == '.') {
    for (++i, skip(); i < n && IsDigit(s[i]); ++i, skip()) number.AddDigit(s[i], true);
  }
  if (i < n && IsExponentMark(s[i])) {
    size_t j = i + 1;
    while (j < n && IsValBlank(s[j])) ++j;
    bool exponent_negative = false;
    if (j < n && (s[j] == '+' || s[j] == '-')) {
      exponent_negative = s[j] == '-';
      ++j;
      while (j < n && IsValBlank(s[j])) ++j;
    }
    if (j < n && IsDigit(s[j])) {
      if (exponent_negative) number.SetExponentNegative();
      for (i = j; i < n && IsDigit(s[i]); ++i, skip()) number.AddExponentDigit(s[i]);
    }
  }
  double out = 0;
  if (number.Convert(negative, out) == Parse::kOverflow) throw RuntimeError(kOverflow);
  return out == 0 ? 0.0 : out;
}

double Val(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::Null:
      throw RuntimeError(kInvalidNull);
    case Value::Kind::Integer:
      return static_cast<double>(v.integer());
    case Value::Kind::Text:
      return Val(v.text());
    case Value::Kind::Double:
    case Value::Kind::Date:
      break;
  }
  return Val(v.toText());
}

bool TryCDbl(std::string_view text, double& out) {
  double value = 0;
  if (ParseItalian(text, value) != Parse::kOk) return false;
  out = value;
  return true;
}

bool IsNumeric(const Value& v) {
  double ignored;
  return v.isNumber() || (v.isText() && TryCDbl(v.text(), ignored));
}

double CDbl(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::Null:
      break;
    case Value::Kind::Integer:
      return static_cast<double>(v.integer());
    case Value::Kind::Double:
      return v.real();
    case Value::Kind::Date:
      return v.date().serial;
    case Value::Kind::Text: {
      double out = 0;
      const Parse p = ParseItalian(v.text(), out);
      if (p == Parse::kOk) return out;
      if (p == Parse::kOverflow) throw RuntimeError(kOverflow);
      break;
    }
  }
  throw RuntimeError(kTypeMismatch);
}

int16_t CInt(const Value& v) {
  return ToWhole<int16_t>(v);
}
int32_t CLng(const Value& v) {
  return ToWhole<int32_t>(v);
}

double Round(double x, int decimals) {
  if (decimals < 0) throw RuntimeError(kInvalidCall);
  if (!std::isfinite(x)) return x;
  if (x == 0) return 0;
  Decimal d = ToDecimal(x);
  RoundDecimal(d, decimals, true);
  if (d.count == 0) return 0;
  char buf[40];
  std::memcpy(buf, d.digits, d.count);
  char* end = buf + d.count;
  *end++ = 'e';
  end = std::to_chars(end, buf + sizeof buf, d.point - d.count).ptr;
  double out = 0;
  std::from_chars(buf, end, out);
  return d.negative ? -out : out;
}

std::string NumberText(double x) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  const Decimal d = ToDecimal(x);
  if (d.count == 0) return "0";
  std::string out;
  out.reserve(24);
  if (d.negative) out += '-';
  if (d.point > 15 || d.point < -3) {
    out += d.digits[0];
    if (d.count > 1) {
      out += ',';
      out.append(d.digits + 1, d.count - 1);
    }
    const int exponent = d.point - 1;
    out += exponent < 0 ? "E-" : "E+";
    const int e = std::abs(exponent);
    if (e >= 100) out += static_cast<char>('0' + e / 100);
    AppendTwo(out, e % 100);
    return out;
  }
  if (d.point <= 0) {
    out += "0,";
    out.append(-d.point, '0');
    out.append(d.digits, d.count);
    return out;
  }
  for (int i = 0; i < d.point; ++i) out += i < d.count ? d.digits[i] : '0';
  if (d.count > d.point) {
    out += ',';
    out.append(d.digits + d.point, d.count - d.point);
  }
  return out;
}

std::string Format(const Value& v, std::string_view pattern) {
  double x = 0;
  switch (v.kind()) {
    case Value::Kind::Null:
      return {};
    case Value::Kind::Text:
      if (ParseItalian(v.text(), x) != Parse::kOk) return v.text();
      break;
    case Value::Kind::Date:
      if (pattern.empty()) return v.toText();
      x = v.date().serial;
      break;
    case Value::Kind::Integer:
    case Value::Kind::Double:
      x = CDbl(v);
      break;
  }
  if (pattern.empty()) return NumberText(x);
  return FormatNumber(x, ReadPattern(pattern));
}

std::string Trim(std::string_view s) {
  return RTrim(LTrim(s));
}

std::string RTrim(std::string_view s) {
  size_t end = s.size();
  while (end > 0 && s[end - 1] == ' ') --end;
  return std::string(s.substr(0, end));
}

std::string LTrim(std::string_view s) {
  size_t begin = 0;
  while (begin < s.size() && s[begin] == ' ') ++begin;
  return std::string(s.substr(begin));
}

std::string Left(std::string_view s, size_t count) {
  return std::string(s.substr(0, ByteOffset(s, count)));
}

std::string Right(std::string_view s, size_t count) {
  const size_t length = Len(s);
  if (count >= length) return std::string(s);
  return std::string(s.substr(ByteOffset(s, length - count)));
}

std::string Mid(std::string_view s, size_t start, size_t count) {
  if (start == 0) throw RuntimeError(kInvalidCall);
  const std::string_view rest = s.substr(ByteOffset(s, start - 1));
  return std::string(rest.substr(0, ByteOffset(rest, count)));
}

size_t Len(std::string_view s) {
  size_t n = 0;
  for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::string UCase(std::string_view s) {
  std::string out(s);
  for (size_t i = 0; i < out.size(); ++i) {
    const unsigned char c = out[i];
    if (c >= 'a' && c <= 'z') {
      out[i] = static_cast<char>(c - 'a' + 'A');
    } else if (c == 0xC3 && i + 1 < out.size()) {
      // Latin-1 small letters à..þ (U+00E0..U+00FE, not ÷) to À..Þ.
      const unsigned char next = out[i + 1];
      if (next >= 0xA0 && next <= 0xBE && next != 0xB7) out[i + 1] = static_cast<char>(next - 0x20);
      ++i;
    }
  }
  return out;
}

std::string Replace(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string out;
  out.reserve(s.size());
  size_t pos = 0;
  for (size_t hit; (hit = s.find(from, pos)) != std::string_view::npos; pos = hit + from.size()) {
    out.append(s.substr(pos, hit - pos));
    out.append(to);
  }
  out.append(s.substr(pos));
  return out;
}

DateTime MakeDate(int year, int month, int day, int hour, int minute, int second) {
  const int64_t months = int64_t{year} * 12 + (month - 1);
  const int64_t y = FloorDiv(months, 12);
  const int m = static_cast<int>(months - y * 12) + 1;
  const int64_t days = DaysFromCivil(y, m, 1) + (day - 1) - kEpochDays;
  return Join(days, int64_t{hour} * 3600 + int64_t{minute} * 60 + second);
}

int Year(DateTime d) {
  return CivilFromDays(Split(d).day + kEpochDays).year;
}
int Month(DateTime d) {
  return CivilFromDays(Split(d).day + kEpochDays).month;
}
int Day(DateTime d) {
  return CivilFromDays(Split(d).day + kEpochDays).day;
}

DateTime DateOnly(DateTime d) {
  return {static_cast<double>(Split(d).day)};
}

std::string DateText(DateTime d) {
  return DateTextIn(d, false);
}
std::string StorageDateText(DateTime d) {
  return DateTextIn(d, true);
}

bool ParseDate(std::string_view text, DateTime& out) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  const std::string_view trimmed = text.substr(b, e - b);

  int seconds = 0;
  if (trimmed.size() >= 3 && (trimmed[1] == ':' || trimmed[2] == ':')) {
    DateReader t(trimmed);
    if (!ReadTime(t, seconds) || !t.AtEnd()) return false;
    out = Join(0, seconds);
    return true;
  }
  DateReader r(trimmed);
  int first;
  size_t first_digits = 0;
  if (!r.Number(1, 4, first, &first_digits)) return false;
  int year, month, day;
  if (first_digits == 4 && r.Take('-')) {
    year = first;
    if (!r.Number(1, 2, month) || !r.Take('-') || !r.Number(1, 2, day)) return false;
  } else if (first_digits <= 2 && r.Take('/')) {
    day = first;
    size_t year_digits = 0;
    if (!r.Number(1, 2, month) || !r.Take('/') || !r.Number(2, 4, year, &year_digits)) {
      return false;
    }
    if (year_digits == 3) return false;
    if (year_digits == 2) year += year < 30 ? 2000 : 1900;
  } else {
    return false;
  }
  if (!ValidDay(year, month, day)) return false;
  if (r.Take(' ')) {
    r.SkipBlanks();
    if (!ReadTime(r, seconds)) return false;
  }
  if (!r.AtEnd()) return false;
  out = MakeDate(year, month, day, 0, 0, seconds);
  return true;
}

}  // namespace gw::vb
