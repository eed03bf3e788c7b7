// The number, text and date routines the screens are written with, with the
// meaning the terminals' runtime gave them: Italian conventions (decimal
// comma, thousands point, dd/mm/yyyy) whatever the host's locale, and
// half-to-even rounding wherever a number becomes a whole number.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/vb/value.h"

namespace gw::vb {

// A runtime error of the kind the screens' runtime raises ("Overflow",
// "Tipo non corrispondente"); the toolkit reports it to the clerk.
class RuntimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a number with the point as decimal separator, skipping blanks, and
// stops at the first character that cannot continue it: Val("12,5") is 12,
// Val(" 1 2") is 12, Val("abc") is 0. Also reads &H / &O prefixed numbers
// (&HFFFF is -1, as a 16-bit Integer). RuntimeError("Overflow") when the
// number is beyond a double or a &H / &O number beyond 32 bits.
double Val(std::string_view text);
inline double Val(const std::string& text) {
  return Val(std::string_view(text));
}
inline double Val(const char* text) {
  return Val(std::string_view(text));
}
// Val of the value's text form, as the runtime passes any value to Val: a
// floating number reads up to its decimal comma (Val(12.5) is 12), a date up
// to its first '/'. Throws RuntimeError("Uso non valido di Null") for Null.
double Val(const Value& v);

// True when the value reads as a number under the Italian conventions: a
// number, or a text such as "12", "-3,5", "1.234,50", " 7 ". Null and the
// empty text are not numeric.
bool IsNumeric(const Value& v);

// The Italian conversion of a value to a number (CDbl): the comma is the
// decimal separator, points are thousands separators and are ignored.
// Throws RuntimeError("Tipo non corrispondente") for a non-numeric text or Null.
double CDbl(const Value& v);

// The Italian conversion of a text without the error: true, with the number
// in `out`, when the text is numeric; false, leaving `out` alone, otherwise.
bool TryCDbl(std::string_view text, double& out);

// Whole numbers with half-to-even rounding; RuntimeError("Overflow") outside
// the 16-bit / 32-bit range.
int16_t CInt(const Value& v);
int32_t CLng(const Value& v);

// Rounds half to even at the given number of decimals (Round(2.5) = 2,
// Round(0.125, 2) = 0.12, Round(2.675, 2) = 2.68), working on the number's
// 15 significant decimal digits, the digits NumberText shows, so that a
// number is rounded as the clerk reads it. Negative `decimals` throws
// RuntimeError("Chiamata di routine o argomento non validi").
double Round(double x, int decimals = 0);

// The text form of a number as CStr gives it under the Italian conventions:
// up to 15 significant digits, decimal comma, no grouping ("12,5", "-3", "0,1");
// from 1E+15 up and below 0,0001 in exponent form ("1E+15", "1,5E-05").
std::string NumberText(double x);

// Format(value, pattern) for the patterns the screens use: "##,##0.00",
// "##0.00", "###,##0.00", "#,###,##0.00", "#,##0.00", "0000000000000",
// "000000000", "0000", "000", and the plain "0.00"/"0.000". A ',' in the
// pattern asks for thousands grouping (shown as '.'), the '.' marks the
// decimals (shown as ','); digits are rounded half away from zero as the
// runtime's Format does. A text value is converted first as CDbl would; a
// text that is not numeric is returned unchanged; Null gives "". A number
// that rounds to zero prints without its sign. An empty pattern gives the
// value's text form. REQUIRES: the pattern holds only '#', '0', ',' and one
// '.' (std::invalid_argument otherwise).
std::string Format(const Value& v, std::string_view pattern);

// Trims blanks (spaces only) as Trim/LTrim/RTrim do.
std::string Trim(std::string_view s);
std::string RTrim(std::string_view s);
std::string LTrim(std::string_view s);

// UTF-8 aware Left/Mid/Len counting characters, not bytes. Mid is 1-based;
// Mid with start 0 throws RuntimeError("Chiamata di routine o argomento non
// validi"). UCase changes ASCII and the Latin-1 accented letters (à to À).
std::string Left(std::string_view s, size_t count);
std::string Right(std::string_view s, size_t count);
std::string Mid(std::string_view s, size_t start, size_t count = std::string::npos);
size_t Len(std::string_view s);
std::string UCase(std::string_view s);

// Replace every occurrence of `from` by `to`.
std::string Replace(std::string_view s, std::string_view from, std::string_view to);

// Dates. A date serial counts days from 1899-12-30 in the proleptic
// Gregorian calendar; before that day the serial is the day minus the time
// (-1.25 is 1899-12-29 06:00). Times are taken to the nearest second, and a
// serial outside 0100-01-01..9999-12-31 reads as the nearer end.
// MakeDate carries out-of-range months, days and times over as DateSerial
// does (month 13 is January of the next year, day 0 the last of the month
// before); the year is taken as given.
DateTime MakeDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
int Year(DateTime d);
int Month(DateTime d);
int Day(DateTime d);
DateTime DateOnly(DateTime d);  // the day without its time (Int(d) from 1899-12-30 on)
// dd/mm/yyyy, and " HH:MM:SS" after it when the time is not midnight; a
// serial in [0,1) is a time alone and prints "HH:MM:SS".
std::string DateText(DateTime d);
// Reads "dd/mm/yyyy", "dd/mm/yy", "yyyy-mm-dd", "yyyy-mm-dd hh:mm:ss",
// "hh:mm:ss" and "dd/mm/yyyy hh:mm:ss" (day, month and hour may have one
// digit; a two-digit year is 2000-2029 below 30, else 1900-1999). Returns
// false, leaving `out` alone, when the text is none of them or names no
// real day or time.
bool ParseDate(std::string_view text, DateTime& out);
// Storage forms: "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS", or "HH:MM:SS" for a
// time alone as in DateText.
std::string StorageDateText(DateTime d);

}  // namespace gw::vb
