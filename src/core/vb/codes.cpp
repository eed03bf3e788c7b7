// Money texts and EAN-13 check digits.
#include "core/vb/codes.h"

#include "core/session/session_context.h"
#include "core/vb/vb.h"

namespace gw {

std::string FormatPrice(Value& value, bool in_cents) {
  if (value.isNull() || (value.isText() && value.text().empty())) value = Value(0);
  std::string text = value.toText();
  if (text.empty()) text = "0";

  double number = 0;
  if (in_cents && text.find_first_of(".,") == std::string::npos && vb::TryCDbl(text, number)) {
    text = vb::NumberText(number / 100);
  }

  // A point after the last comma is the decimal separator: the two swap.
  const size_t last_point = text.rfind('.');
  const size_t last_comma = text.rfind(',');
  if (last_point != std::string::npos &&
      (last_comma == std::string::npos || last_point > last_comma)) {
    for (char& c : text) {
      if (c == '.') {
        c = ',';
      } else if (c == ',') {
        c = '.';
      }
    }
  }
  return vb::Format(Value(std::move(text)), "#,###,##0.00");
}

void FormatNewPrice(SessionContext& session) {
  Value price(session.nuovoprezzo);
  session.nuovoprezzo = FormatPrice(price, true);
}

std::string EanCheck(Value& value) {
  if (!vb::IsNumeric(value)) return {};
  const std::string text = value.toText();
  if (vb::Len(text) != 13) return {};
  int sum = 0;
  for (size_t i = 0; i < 12; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return {};
    // From the right: the 12th digit weighs 3, the 11th 1, and so on.
    sum += (c - '0') * (i % 2 == 1 ? 3 : 1);
  }
  std::string result = text.substr(0, 12);
  value = Value(result);
  result += static_cast<char>('0' + (10 - sum % 10) % 10);
  return result;
}

}  // namespace gw
