// Text and number forms of a value, with the Italian conventions.
#include "core/vb/value.h"

#include <charconv>

#include "core/vb/vb.h"

namespace gw {

std::string Value::toText() const {
  switch (kind()) {
    case Kind::Null:
      return {};
    case Kind::Integer: {
      char buf[24];
      const auto end = std::to_chars(buf, buf + sizeof buf, integer()).ptr;
      return std::string(buf, end);
    }
    case Kind::Double:
      return vb::NumberText(real());
    case Kind::Text:
      return text();
    case Kind::Date:
      return vb::DateText(date());
  }
  return {};
}

double Value::toDouble() const {
  switch (kind()) {
    case Kind::Null:
      return 0;
    case Kind::Integer:
      return static_cast<double>(integer());
    case Kind::Double:
      return real();
    case Kind::Text: {
      double out = 0;
      vb::TryCDbl(text(), out);
      return out;
    }
    case Kind::Date:
      return date().serial;
  }
  return 0;
}

}  // namespace gw
